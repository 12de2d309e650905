#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

/**
 * A 24-bit picture in the layout of a bottom-up Windows device-independent
 * bitmap: 3 bytes per pixel in the order blue, green, red; rows stored from
 * the bottom of the picture upwards; each row padded to a multiple of 4 bytes.
 *
 * This is the image engine's picture type. It is free of Qt so that decoders,
 * effects and geometry can be tested without a display. Memory row r
 * (row(r)) is picture line height()-1-r; scanLine(y) addresses picture line
 * y counted from the top.
 */
class Picture24
{
public:
    /** Largest picture the engine agrees to hold (pixels). Headers claiming
     *  more are treated as corrupt rather than allocated. */
    static constexpr std::int64_t kMaxPixels = 200'000'000;
    /** Largest width or height accepted on either axis. */
    static constexpr int kMaxSide = 65'535;

    Picture24() = default;
    /** A black picture of the given size; sizes <= 0 give an empty picture. */
    Picture24(int width, int height);

    /** Bytes of one row for a width: 3 x width rounded up to a multiple of 4. */
    static int strideFor(int width) { return ((width * 24 + 31) / 32) * 4; }
    /** True when a picture of this size may be allocated. */
    static bool sizeAcceptable(std::int64_t width, std::int64_t height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    int stride() const { return m_stride; }
    bool isNull() const { return m_width <= 0 || m_height <= 0; }
    std::size_t byteCount() const { return m_bits.size(); }

    std::uint8_t *bits() { return m_bits.data(); }
    const std::uint8_t *bits() const { return m_bits.data(); }

    /** Memory row r (0 = bottom line of the picture). */
    std::uint8_t *row(int r) { return m_bits.data() + static_cast<std::size_t>(r) * m_stride; }
    const std::uint8_t *row(int r) const { return m_bits.data() + static_cast<std::size_t>(r) * m_stride; }
    /** Picture line y counted from the top. */
    std::uint8_t *scanLine(int y) { return row(m_height - 1 - y); }
    const std::uint8_t *scanLine(int y) const { return row(m_height - 1 - y); }

    /** Resizes to width x height; contents become black. Sizes <= 0 empty it. */
    void reset(int width, int height);
    /** Fills every pixel (padding left zero). */
    void fill(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

    /** Pixel at (x, y), y from the top, as 0xRRGGBB. No bounds check. */
    std::uint32_t pixel(int x, int y) const
    {
        const std::uint8_t *p = scanLine(y) + 3 * x;
        return (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
    }
    void setPixel(int x, int y, std::uint32_t rgb)
    {
        std::uint8_t *p = scanLine(y) + 3 * x;
        p[0] = std::uint8_t(rgb);
        p[1] = std::uint8_t(rgb >> 8);
        p[2] = std::uint8_t(rgb >> 16);
    }

    bool operator==(const Picture24 &other) const = default;

    /** Exchanges contents without copying pixels. */
    void swap(Picture24 &other) noexcept;

private:
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    std::vector<std::uint8_t> m_bits;
};
