#include "EffectPlan.h"

#include "ByteKernels.h"
#include "ParallelRows.h"
#include "PixelEffects.h"
#include "TRasterRGB.h"

#include <cstring>

void EffectPlan::addChannels(int red, int green, int blue)
{
    Stage s{Kind::Channels};
    s.red = red;
    s.green = green;
    s.blue = blue;
    m_stages.push_back(s);
}

void EffectPlan::addLightness(int amount)
{
    Stage s{Kind::Lightness};
    s.amount = amount;
    s.tabled = amount < -ByteKernels::kMaxLightness || amount > ByteKernels::kMaxLightness;
    for (int v = 0; v < 256; ++v) {
        // The 64-bit products keep extreme amounts from overflowing; the
        // shifts are floor divisions.
        long long t;
        if (amount < 0)
            t = v - ((static_cast<long long>(v) * -static_cast<long long>(amount)) >> 8);
        else
            t = v + ((static_cast<long long>(255 - v) * amount) >> 8);
        s.table[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(t < 0 ? 0 : (t > 255 ? 255 : t));
    }
    m_stages.push_back(s);
}

void EffectPlan::addContrast(int amount)
{
    Stage s{Kind::Contrast};
    s.amount = amount;
    s.tabled = amount < -ByteKernels::kMaxContrast || amount > ByteKernels::kMaxContrast;
    for (int v = 0; v < 256; ++v) {
        const long long q = (static_cast<long long>(v > 128 ? v - 128 : 128 - v) * amount) / 256;
        const long long t = v <= 126 ? v - q : v + q;
        s.table[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(t < 0 ? 0 : (t > 255 ? 255 : t));
    }
    m_stages.push_back(s);
}

void EffectPlan::addSaturation(int amount)
{
    Stage s{Kind::Saturation};
    s.amount = amount;
    s.tabled = amount < 0 || amount > ByteKernels::kMaxSaturation;
    if (s.tabled) {
        // Extreme amounts are clamped to where every result saturates
        // anyway, so the table entries fit in an int.
        const long long a = amount < -65536 ? -65536 : (amount > 65536 ? 65536 : amount);
        for (int v = 0; v < 256; ++v)
            s.scaled[static_cast<std::size_t>(v)] = static_cast<int>((v * a) >> 8);
        for (int g = 0; g < 768; ++g)
            s.grey[static_cast<std::size_t>(g)] = g / 3 - s.scaled[static_cast<std::size_t>(g / 3)];
    }
    m_stages.push_back(s);
}

void EffectPlan::runRows(const TRasterRGB *source, TRasterRGB &bitmap, int begin, int end) const
{
    const int w = bitmap.Width();
    const int count = 3 * w;
    bool needsScratch = false;
    for (const Stage &s : m_stages)
        needsScratch = needsScratch || (s.kind == Kind::Saturation && !s.tabled);
    const int margin = ByteKernels::kSourceMargin;
    std::vector<std::uint8_t> scratch(needsScratch ? static_cast<std::size_t>(count + 2 * margin) : 0);
    for (int r = begin; r < end; ++r) {
        std::uint8_t *row = bitmap.Rows(r);
        if (source != nullptr)
            std::memcpy(row, source->Rows(r), static_cast<std::size_t>(bitmap.RowStride()));
        for (const Stage &s : m_stages) {
            switch (s.kind) {
            case Kind::Channels:
                ByteKernels::addChannels(row, w, s.red, s.green, s.blue);
                break;
            case Kind::Lightness:
                if (s.tabled)
                    ByteKernels::table(row, count, s.table.data());
                else if (s.amount != 0)
                    ByteKernels::lightness(row, count, s.amount);
                break;
            case Kind::Contrast:
                if (s.tabled)
                    ByteKernels::table(row, count, s.table.data());
                else if (s.amount != 0)
                    ByteKernels::contrast(row, count, s.amount);
                break;
            case Kind::Saturation:
                if (s.tabled) {
                    std::uint8_t *p = row;
                    for (int x = 0; x < w; ++x, p += 3) {
                        const int k = s.grey[static_cast<std::size_t>(p[0] + p[1] + p[2])];
                        p[0] = static_cast<std::uint8_t>(ClampToByte(s.scaled[p[0]] + k));
                        p[1] = static_cast<std::uint8_t>(ClampToByte(s.scaled[p[1]] + k));
                        p[2] = static_cast<std::uint8_t>(ClampToByte(s.scaled[p[2]] + k));
                    }
                } else if (s.amount != 256) {
                    std::memcpy(scratch.data() + margin, row, static_cast<std::size_t>(count));
                    ByteKernels::saturation(scratch.data() + margin, row, w, s.amount);
                }
                break;
            }
        }
    }
}

void EffectPlan::apply(TRasterRGB &bitmap) const
{
    if (bitmap.IsEmpty() || m_stages.empty())
        return;
    ParallelRows::run(bitmap.Height(), static_cast<std::size_t>(bitmap.ByteCount()),
                      [&](int begin, int end) { runRows(nullptr, bitmap, begin, end); });
}

void EffectPlan::applyFrom(const TRasterRGB &source, TRasterRGB &bitmap) const
{
    if (bitmap.IsEmpty())
        return;
    ParallelRows::run(bitmap.Height(), static_cast<std::size_t>(bitmap.ByteCount()),
                      [&](int begin, int end) { runRows(&source, bitmap, begin, end); });
}
