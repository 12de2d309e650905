#pragma once

#include <array>
#include <cstdint>
#include <vector>

class TRasterRGB;

/**
 * A sequence of per-pixel effects (channel offsets, lightness, contrast,
 * saturation) applied row by row: each row runs through every effect while
 * it is in the cache, optionally after being copied from a saved picture.
 * The result is the same, byte for byte, as running the effects one after
 * the other over the whole picture, because none of them looks beyond its
 * own pixel. Rows are shared between two threads for large pictures.
 */
class EffectPlan
{
public:
    void addChannels(int red, int green, int blue);
    void addLightness(int amount);
    void addContrast(int amount);
    void addSaturation(int amount);
    bool isEmpty() const { return m_stages.empty(); }

    /** Runs the effects in place. */
    void apply(TRasterRGB &bitmap) const;
    /** Copies every row of `source` (same size, padding included) into
     *  `bitmap` and runs the effects on it. */
    void applyFrom(const TRasterRGB &source, TRasterRGB &bitmap) const;

private:
    enum class Kind { Channels, Lightness, Contrast, Saturation };
    struct Stage
    {
        Kind kind;
        int amount = 0;
        int red = 0, green = 0, blue = 0;
        /** Set when the amount lies outside the vector kernels' range:
         *  then the per-value tables below are used. */
        bool tabled = false;
        std::array<std::uint8_t, 256> table{};
        std::array<int, 256> scaled{};
        std::array<int, 768> grey{};
    };

    void runRows(const TRasterRGB *source, TRasterRGB &bitmap, int begin, int end) const;

    std::vector<Stage> m_stages;
};
