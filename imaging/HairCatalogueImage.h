#pragma once

#include "HairCutout.h"
#include "Picture24.h"

#include <cstdint>
#include <vector>

/**
 * Turns a cut-out hair into the picture a catalogue hair file holds: the
 * background one key colour that no hair pixel has (white when possible),
 * the bottom-left pixel background, and at most 255 hair colours, so the
 * GIF writer keeps every colour exactly.
 */
class HairCatalogueImage
{
public:
    static constexpr int kHairColours = 255;

    /** The catalogue picture; `key` receives the background colour. A cut
     *  without hair gives an empty picture. */
    static Picture24 Make(const CutHair &cut, std::uint32_t &key);

    /** White when it is not among `colours`, else the first colour downwards
     *  from white that is not. */
    static std::uint32_t KeyColourFor(const std::vector<std::uint32_t> &colours);

    /** Maps the hair pixels to `palette` with error diffusion that stays
     *  inside the hair: background pixels neither take nor pass on error. */
    static void Diffuse(Picture24 &picture, const std::vector<std::uint8_t> &mask,
                        const std::vector<std::uint32_t> &palette);
};
