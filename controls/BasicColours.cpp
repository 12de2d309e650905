#include "BasicColours.h"

#include <cstdio>

const std::array<BasicColours::Entry, BasicColours::kCount> &BasicColours::Entries()
{
    static const std::array<Entry, kCount> entries{{
        {"clBlack", 0x000000},
        {"clMaroon", 0x000080},
        {"clGreen", 0x008000},
        {"clOlive", 0x008080},
        {"clNavy", 0x800000},
        {"clPurple", 0x800080},
        {"clTeal", 0x808000},
        {"clGray", 0x808080},
        {"clSilver", 0xC0C0C0},
        {"clRed", 0x0000FF},
        {"clLime", 0x00FF00},
        {"clYellow", 0x00FFFF},
        {"clBlue", 0xFF0000},
        {"clFuchsia", 0xFF00FF},
        {"clAqua", 0xFFFF00},
        {"clWhite", 0xFFFFFF},
    }};
    return entries;
}

std::string BasicColours::ItemText(std::uint32_t bgr)
{
    for (const Entry &e : Entries())
        if (e.bgr == bgr)
            return std::string(e.identifier).substr(2, kMaxTextLength);
    char text[16];
    std::snprintf(text, sizeof text, "$%.8x", static_cast<unsigned>(bgr));
    return std::string(text).substr(0, kMaxTextLength);
}

std::uint32_t BasicColours::ToRgb(std::uint32_t bgr)
{
    return ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
}
