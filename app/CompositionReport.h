#pragma once

/**
 * A hook for checks run from outside the program (the package check, the
 * two-start test): with QUENDA_REPORT_COMPOSITIONS=FILE in the environment the
 * program writes the number of open compositions to FILE after its start
 * and after every hand-off from a later start; with QUENDA_QUIT_AT=N as well
 * it ends once N compositions are open. Without them it does nothing.
 */
class CompositionReport
{
public:
    /** Writes `count` when asked to; true when the program should end now. */
    static bool Update(int count);
};
