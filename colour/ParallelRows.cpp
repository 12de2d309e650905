#include "ParallelRows.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

static std::atomic<int> g_maxThreads{2};

void ParallelRows::setMaxThreads(int threads)
{
    g_maxThreads.store(std::clamp(threads, 1, 2));
}

int ParallelRows::maxThreads()
{
    return g_maxThreads.load();
}

void ParallelRows::run(int rows, std::size_t bytes, const std::function<void(int, int)> &body)
{
    if (rows <= 0)
        return;
    if (rows < 2 || bytes < kMinBytes || g_maxThreads.load() < 2) {
        body(0, rows);
        return;
    }
    // Both threads take blocks of rows from a shared counter, so a thread
    // that the system holds back (the machine is shared) does less of the
    // work instead of making the call wait for its half.
    const int block = std::max(1, rows / 32);
    std::atomic<int> next{0};
    auto worker = [&] {
        for (;;) {
            const int begin = next.fetch_add(block);
            if (begin >= rows)
                return;
            body(begin, std::min(rows, begin + block));
        }
    };
    std::exception_ptr failure;
    std::thread helper([&] {
        try {
            worker();
        } catch (...) {
            failure = std::current_exception();
        }
    });
    try {
        worker();
    } catch (...) {
        next.store(rows);
        helper.join();
        throw;
    }
    helper.join();
    if (failure)
        std::rethrow_exception(failure);
}
