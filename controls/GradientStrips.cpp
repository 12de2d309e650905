#include "GradientStrips.h"

namespace {

// n / 100 rounded to the nearest whole number, halves to the even one.
int roundHundredth(long long n)
{
    long long q = n / 100;
    const long long rest = n % 100;
    if (rest > 50 || (rest == 50 && (q & 1)))
        ++q;
    return static_cast<int>(q);
}

int channel(std::uint32_t rgb, int shift)
{
    return static_cast<int>((rgb >> shift) & 0xFF);
}

} // namespace

std::vector<GradientStrip> GradientStrips(int width, std::uint32_t start, std::uint32_t end)
{
    std::vector<GradientStrip> strips;
    if (width <= 0)
        return strips;
    std::uint32_t table[100];
    for (int k = 0; k < 100; ++k) {
        std::uint32_t c = 0;
        for (int shift : {16, 8, 0}) {
            const int s = channel(start, shift);
            // Trunc: towards zero, also when the colours fall.
            const int v = s + (k * (channel(end, shift) - s)) / 100;
            c |= std::uint32_t(v) << shift;
        }
        table[k] = c;
    }
    for (int i = 0; i < 100; ++i) {
        const int left = roundHundredth(static_cast<long long>(i) * width);
        const int right = roundHundredth(static_cast<long long>(i + 1) * width);
        if (right > left)
            strips.push_back({left, right, table[i < 50 ? 2 * i + 1 : 198 - 2 * i]});
    }
    return strips;
}
