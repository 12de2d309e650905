#pragma once

#include <cstdint>
#include <string>

// A hair colour as given in the catalogue list, "#RRGGBB".
struct HairColour
{
    float red = 0;
    float green = 0;
    float blue = 0;

    static bool parse(const std::string &text, HairColour &out)
    {
        if (text.size() != 7 || text[0] != '#')
            return false;
        std::uint32_t value = 0;
        for (std::size_t i = 1; i < 7; ++i) {
            const char c = text[i];
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                return false;
            value = value * 16 + std::uint32_t(digit);
        }
        out.red = float((value >> 16) & 0xFF);
        out.green = float((value >> 8) & 0xFF);
        out.blue = float(value & 0xFF);
        return true;
    }

    float luminance() const { return 0.299f * red + 0.587f * green + 0.114f * blue; }
};
