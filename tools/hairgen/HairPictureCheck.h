#pragma once

#include "IndexedPicture.h"

#include <cstdint>
#include <string>
#include <vector>

// Measures whether a catalogue picture works as a hair overlay: the overlay
// leaves out exactly the colour of the bottom-left pixel, so that colour must
// be the background and nothing else, and hair pixels beside the background
// must not blend towards it (a light fringe around the hair on every photo).
class HairPictureCheck
{
public:
    // Closest a hair colour may come to the key (distance in RGB).
    static constexpr double kMinKeyDistance = 60.0;
    // How much lighter the hair's outline pixels may be, on average, than the
    // hair inside (luminance). A blended edge is far lighter.
    static constexpr double kMaxEdgeLift = 6.0;
    // Below this a picture is a flat shape, not painted hair.
    static constexpr int kMinHairColours = 48;
    static constexpr double kMinLuminanceSpread = 8.0;
    static constexpr int kMinSide = 200;
    static constexpr int kMaxSide = 700;

    struct Result
    {
        std::vector<std::string> problems;
        std::uint32_t key = 0;
        int hairPixels = 0;
        double meanLuminance = 0; // of the hair
        bool ok() const { return problems.empty(); }
    };

    // The catalogue keys on white: after a preset colour the program turns
    // the background white again.
    static Result inspect(const IndexedPicture &picture, std::uint32_t requiredKey = 0xFFFFFF);

    static double luminance(std::uint32_t rgb);
    static double distance(std::uint32_t a, std::uint32_t b);
};
