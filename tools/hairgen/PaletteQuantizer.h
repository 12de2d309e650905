#pragma once

#include "HairMask.h"
#include "IndexedPicture.h"
#include "RgbPicture.h"

#include <cstdint>

// Turns a rendered hair into a palette picture: index 0 is the key colour and
// covers exactly the background; the hair gets up to 255 colours chosen by
// median cut over its own pixels, sorted dark to light. Every hair colour is
// the mean of hair pixels, so no palette entry lies towards the key: the edge
// stays hard.
class PaletteQuantizer
{
public:
    static IndexedPicture quantize(const RgbPicture &picture, const HairMask &mask, std::uint32_t key,
                                   int maxHairColours = 255);
};
