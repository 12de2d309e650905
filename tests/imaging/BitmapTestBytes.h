#pragma once

// Little helpers that build image files byte by byte for the codec tests, so
// that every header field under test is written explicitly.

#include "Picture24.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class BitmapTestBytes
{
public:
    std::vector<std::uint8_t> bytes;

    BitmapTestBytes &u8(std::uint32_t v)
    {
        bytes.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    BitmapTestBytes &u16(std::uint32_t v) { return u8(v).u8(v >> 8); }
    BitmapTestBytes &u32(std::uint32_t v) { return u16(v).u16(v >> 16); }
    BitmapTestBytes &i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    BitmapTestBytes &u32be(std::uint32_t v) { return u8(v >> 24).u8(v >> 16).u8(v >> 8).u8(v); }
    BitmapTestBytes &text(const std::string &s)
    {
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    BitmapTestBytes &raw(const std::vector<std::uint8_t> &v)
    {
        bytes.insert(bytes.end(), v.begin(), v.end());
        return *this;
    }
    BitmapTestBytes &raw(std::initializer_list<std::uint8_t> v)
    {
        bytes.insert(bytes.end(), v.begin(), v.end());
        return *this;
    }
    BitmapTestBytes &zeros(std::size_t n)
    {
        bytes.insert(bytes.end(), n, 0);
        return *this;
    }
    // Pads to a multiple of 4 bytes counted from `start`.
    BitmapTestBytes &alignFrom(std::size_t start)
    {
        while ((bytes.size() - start) % 4 != 0)
            bytes.push_back(0);
        return *this;
    }
    std::size_t size() const { return bytes.size(); }
    void patch32(std::size_t at, std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            bytes.at(at + i) = static_cast<std::uint8_t>(v >> (8 * i));
    }
};

/** Pixels of a picture, top row first, as 0xRRGGBB. */
inline std::vector<std::uint32_t> picturePixels(const Picture24 &p)
{
    std::vector<std::uint32_t> v;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            v.push_back(p.pixel(x, y));
    return v;
}

/** A small picture no decoder produces, to see that failures leave it alone. */
inline Picture24 sentinelPicture()
{
    Picture24 p(2, 1);
    p.setPixel(0, 0, 0x123456);
    p.setPixel(1, 0, 0x654321);
    return p;
}
