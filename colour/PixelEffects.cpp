#include "PixelEffects.h"

#include "EffectPlan.h"
#include "ParallelRows.h"
#include "SharpenKernel.h"
#include "TRasterRGB.h"

#include <cstring>

void AdjustChannels(TRasterRGB &bitmap, int red, int green, int blue)
{
    EffectPlan plan;
    plan.addChannels(red, green, blue);
    plan.apply(bitmap);
}

void AdjustLightness(TRasterRGB &bitmap, int amount)
{
    EffectPlan plan;
    plan.addLightness(amount);
    plan.apply(bitmap);
}

void AdjustContrast(TRasterRGB &bitmap, int amount)
{
    EffectPlan plan;
    plan.addContrast(amount);
    plan.apply(bitmap);
}

void AdjustSaturation(TRasterRGB &bitmap, int amount)
{
    EffectPlan plan;
    plan.addSaturation(amount);
    plan.apply(bitmap);
}

void SharpenAtDistance(TRasterRGB &bitmap, int distance)
{
    SharpenKernel::run(bitmap, distance);
}

// Four pixels (12 bytes) in reverse pixel order, each pixel's bytes kept.
static inline void reverseFour(const std::uint8_t *in, std::uint64_t &low, std::uint32_t &high)
{
    std::uint64_t a;
    std::uint32_t b;
    std::memcpy(&a, in, 8);
    std::memcpy(&b, in + 8, 4);
    const std::uint64_t p0 = a & 0xFFFFFF;
    const std::uint64_t p1 = (a >> 24) & 0xFFFFFF;
    const std::uint64_t p2 = (a >> 48) | (std::uint64_t(b & 0xFF) << 16);
    const std::uint64_t p3 = b >> 8;
    low = p3 | (p2 << 24) | (p1 << 48);
    high = static_cast<std::uint32_t>((p1 >> 16) | (p0 << 8));
}

static void mirrorRow(std::uint8_t *row, int w)
{
    int left = 0;
    int right = w - 4; // first pixel of the right-hand group of four
    for (; left + 4 <= right; left += 4, right -= 4) {
        std::uint64_t leftLow, rightLow;
        std::uint32_t leftHigh, rightHigh;
        reverseFour(row + 3 * left, leftLow, leftHigh);
        reverseFour(row + 3 * right, rightLow, rightHigh);
        std::memcpy(row + 3 * left, &rightLow, 8);
        std::memcpy(row + 3 * left + 8, &rightHigh, 4);
        std::memcpy(row + 3 * right, &leftLow, 8);
        std::memcpy(row + 3 * right + 8, &leftHigh, 4);
    }
    // The middle, fewer than eight pixels: one pair at a time.
    for (int a = left, b = right + 3; a < b; ++a, --b) {
        std::uint8_t *pa = row + 3 * a;
        std::uint8_t *pb = row + 3 * b;
        for (int k = 0; k < 3; ++k) {
            const std::uint8_t t = pa[k];
            pa[k] = pb[k];
            pb[k] = t;
        }
    }
}

void MirrorRows(TRasterRGB &bitmap)
{
    if (bitmap.IsEmpty())
        return;
    const int w = bitmap.Width();
    ParallelRows::run(bitmap.Height(), static_cast<std::size_t>(bitmap.ByteCount()),
                      [&](int begin, int end) {
                          for (int r = begin; r < end; ++r)
                              mirrorRow(bitmap.Rows(r), w);
                      });
}
