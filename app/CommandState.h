#pragma once

/**
 * The rule that enables the commands which need an open composition.
 * `n` counts the open compositions, a closing one included while it is
 * still being closed.
 */
class CommandState
{
public:
    /** False with no composition or while Close All runs; else true when
     *  the caller counts every window as staying, or when more than one
     *  is open (the caller's own window is closing). */
    static bool StateValue(int n, bool closingAll, bool countsActive)
    {
        if (n == 0 || closingAll)
            return false;
        if (countsActive)
            return true;
        return n > 1;
    }
};
