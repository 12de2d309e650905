#include "WindowFit.h"

#include <algorithm>

int WindowFit::Width(int wanted, int available)
{
    return std::max(1, std::min(wanted, available));
}

int WindowFit::Height(int wanted, int needed, int available)
{
    return std::max(1, std::min(std::max(wanted, needed), available));
}
