#pragma once

#include "Picture24.h"

#include <cstdint>
#include <vector>

/**
 * Reduces a 24-bit picture to a palette of at most `maxColours` colours.
 *
 * A picture that already has no more distinct colours than that is mapped
 * exactly, with those colours and nothing else: hair pictures depend on an
 * exact key colour in the bottom-left corner. Otherwise the palette comes from
 * median cut over a 15-bit colour histogram, each entry the mean of the pixels
 * it stands for; Floyd-Steinberg error diffusion is optional.
 */
class ColourQuantiser
{
public:
    /** `maxColours` is clamped to 2..256. */
    explicit ColourQuantiser(int maxColours = 256);

    /** Error diffusion when the picture needs reducing; off by default. */
    void setDithering(bool on) { m_dithering = on; }
    bool dithering() const { return m_dithering; }

    /**
     * Builds `palette` (0xRRGGBB, at most maxColours entries) and `indices`
     * (one byte per pixel, rows from the top, no padding). A null picture
     * gives an empty palette and no indices.
     */
    void quantise(const Picture24 &picture, std::vector<std::uint32_t> &palette,
                  std::vector<std::uint8_t> &indices) const;

private:
    bool quantiseExactly(const Picture24 &picture, std::vector<std::uint32_t> &palette,
                         std::vector<std::uint8_t> &indices) const;
    void medianCut(const Picture24 &picture, std::vector<std::uint32_t> &palette) const;
    void mapToPalette(const Picture24 &picture, const std::vector<std::uint32_t> &palette,
                      std::vector<std::uint8_t> &indices) const;

    int m_maxColours;
    bool m_dithering = false;
};
