#pragma once

#include "HairColour.h"
#include "HairMask.h"
#include "RgbPicture.h"

#include <cstdint>

// Paints hair into a mask: thousands of thin strands following the hair's
// flow, rounded shading of every lock, darker roots and rims, a lighter crown
// and a band of sheen. Pixels outside the mask get the key colour; pixels
// inside never come near it, so the hair keeps a hard edge once the key is
// taken out.
class HairRenderer
{
public:
    // Brightest a hair pixel may be (luminance, 0..255), and the largest
    // channel. Keeps every hair pixel far from a white key.
    static constexpr float kMaxLuminance = 205.0f;
    static constexpr float kMaxChannel = 235.0f;

    explicit HairRenderer(std::uint64_t seed) : m_seed(seed) {}

    // The key colour must be white or another colour far from kMaxLuminance;
    // the hair never takes it. The tips of locks are frayed, so a few pixels
    // of the mask stay background; `painted`, when given, receives the pixels
    // that really are hair (the mask to quantise with).
    RgbPicture render(const HairMask &mask, const HairColour &base, std::uint32_t key = 0xFFFFFF,
                      HairMask *painted = nullptr) const;

    // Where the strands start: the crown, near the top of the hair, at the
    // centre of its upper part.
    static void findCrown(const HairMask &mask, float &x, float &y);

    // Pulls a colour into the hair range (see kMaxLuminance) keeping its hue.
    static void guard(float &red, float &green, float &blue);

private:
    std::uint64_t m_seed;
};
