#pragma once

#include <cstdint>

/**
 * Vectorised (SSE2) row kernels behind the table effects and the saturation.
 * Each computes exactly what the per-value table of its effect gives, for the
 * amounts it accepts; outside those the effects fall back to the tables.
 * A row here is the pixel bytes only (3 x pixels), never its padding.
 */
class ByteKernels
{
public:
    /** Largest |amount| for which lightness() is exact. */
    static constexpr int kMaxLightness = 256;
    /** Largest |amount| for which contrast() is exact. */
    static constexpr int kMaxContrast = 511;
    /** saturation() is exact for 0 <= amount <= kMaxSaturation. */
    static constexpr int kMaxSaturation = 511;
    /** Bytes that saturation() may read before and after its source row. */
    static constexpr int kSourceMargin = 16;

    /** blue, green, red = ClampToByte(value + offset), for any offsets. */
    static void addChannels(std::uint8_t *row, int pixels, int red, int green, int blue);
    /** The lightness curve, |amount| <= kMaxLightness. */
    static void lightness(std::uint8_t *bytes, int count, int amount);
    /** The contrast curve, |amount| <= kMaxContrast. */
    static void contrast(std::uint8_t *bytes, int count, int amount);
    /** Saturation from `source` into `target` (distinct rows of `pixels`
     *  pixels); `source` must allow kSourceMargin bytes of reading on both
     *  sides. 0 <= amount <= kMaxSaturation. */
    static void saturation(const std::uint8_t *source, std::uint8_t *target, int pixels,
                           int amount);
    /** Replaces every byte by its table entry. */
    static void table(std::uint8_t *bytes, int count, const std::uint8_t *table);
    /** Replaces blue, green and red by their own tables' entries. */
    static void channelTables(std::uint8_t *row, int pixels, const std::uint8_t *blue,
                              const std::uint8_t *green, const std::uint8_t *red);
};
