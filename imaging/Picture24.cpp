#include "Picture24.h"

#include <algorithm>
#include <utility>

Picture24::Picture24(int width, int height)
{
    reset(width, height);
}

bool Picture24::sizeAcceptable(std::int64_t width, std::int64_t height)
{
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide
           && width * height <= kMaxPixels;
}

void Picture24::reset(int width, int height)
{
    if (width <= 0 || height <= 0) {
        m_width = m_height = m_stride = 0;
        m_bits.clear();
        m_bits.shrink_to_fit();
        return;
    }
    m_width = width;
    m_height = height;
    m_stride = strideFor(width);
    m_bits.assign(static_cast<std::size_t>(m_stride) * static_cast<std::size_t>(height), 0);
}

void Picture24::fill(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    for (int r = 0; r < m_height; ++r) {
        std::uint8_t *p = row(r);
        for (int x = 0; x < m_width; ++x, p += 3) {
            p[0] = blue;
            p[1] = green;
            p[2] = red;
        }
    }
}

void Picture24::swap(Picture24 &other) noexcept
{
    std::swap(m_width, other.m_width);
    std::swap(m_height, other.m_height);
    std::swap(m_stride, other.m_stride);
    m_bits.swap(other.m_bits);
}
