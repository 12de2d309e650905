#pragma once

#include <cstdint>

/**
 * The integer HSV model shared by the colour picker and the engine's HSV
 * shift: hue 0 ... 359, saturation and value 0 ... 99, channels 0 ... 255.
 *
 * Both directions quantise the channels to 100 levels and truncate the hue
 * and saturation arithmetic, so a round trip is not the identity: it keeps
 * the value exactly and greys exactly, but may lose a step of saturation or
 * hue. Callers that compare colours must compare them after conversion.
 */

/** A colour of the integer HSV model. */
struct HsvColour
{
    int hue = 0; ///< 0 ... 359
    int sat = 0; ///< 0 ... 99
    int val = 0; ///< 0 ... 99

    bool operator==(const HsvColour &other) const = default;
};

/** A colour as three byte channels. */
struct RgbColour
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const RgbColour &other) const = default;
};

/**
 * Rounds to the nearest integer; a value exactly halfway between two integers
 * goes to the even one (0.5 -> 0, 1.5 -> 2, -2.5 -> -2). Unlike std::round,
 * which moves halves away from zero.
 */
long long roundHalfEven(long double value);

/** Converts byte channels to the integer HSV model. A grey gives hue 0 and
 *  saturation 0. */
HsvColour RGBtoHSV(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

/** Converts an HSV colour to byte channels. The hue is clamped to 0 ... 359
 *  and saturation and value to 0 ... 99 first, so any integers are accepted. */
RgbColour HSVtoRGB(int hue, int sat, int val);
