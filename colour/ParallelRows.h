#pragma once

#include <cstddef>
#include <functional>

/**
 * Splits a range of rows between the calling thread and one helper thread.
 * Used only by operations whose rows are independent, so the result is the
 * same as a single sequential pass; the call returns when every row is done.
 */
class ParallelRows
{
public:
    /** Below this many bytes of work a second thread costs more than it saves. */
    static constexpr std::size_t kMinBytes = std::size_t(1) << 20;

    /** Runs body(begin, end) over blocks covering [0, rows), on two threads
     *  when `bytes` (the work's size) is at least kMinBytes and threading
     *  is enabled. Blocks may run in any order and at the same time. */
    static void run(int rows, std::size_t bytes, const std::function<void(int, int)> &body);

    /** Limits the number of threads (1 or 2); for benchmarks and tests. */
    static void setMaxThreads(int threads);
    static int maxThreads();
};
