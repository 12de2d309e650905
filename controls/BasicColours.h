#pragma once

#include <array>
#include <cstdint>
#include <string>

/**
 * The sixteen basic colours offered by the colour picker, in its list order,
 * each with the name shown for it. Values are packed as 0xBBGGRR (red in the
 * low byte), the way the picker stores them as its items' data.
 */
class BasicColours
{
public:
    struct Entry
    {
        const char *identifier; ///< e.g. "clMaroon"
        std::uint32_t bgr;      ///< 0xBBGGRR
    };

    static constexpr int kCount = 16;
    /** Longest item text kept from an identifier. */
    static constexpr std::size_t kMaxTextLength = 30;

    static const std::array<Entry, kCount> &Entries();

    /** The item text for a colour: its identifier from the third character
     *  on ("Maroon"), at most 30 characters; a colour without one gives its
     *  "$%.8x" form. */
    static std::string ItemText(std::uint32_t bgr);

    /** 0xBBGGRR <-> 0xRRGGBB (the byte order of the pictures). */
    static std::uint32_t ToRgb(std::uint32_t bgr);
    static std::uint32_t FromRgb(std::uint32_t rgb) { return ToRgb(rgb); }
};
