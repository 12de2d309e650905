#include "PcxCodec.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kPaletteTrailer = 769; // marker 0x0C + 256 x RGB

std::uint16_t read16(const std::uint8_t *p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

void put16(std::uint8_t *p, std::uint32_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

struct Rgb
{
    std::uint8_t r = 0, g = 0, b = 0;
};

// Colours of files that carry no palette (version 3 and blank headers).
constexpr std::array<Rgb, 16> kDefaultEga = {{
    {0, 0, 0}, {0, 0, 170}, {0, 170, 0}, {0, 170, 170},
    {170, 0, 0}, {170, 0, 170}, {170, 85, 0}, {170, 170, 170},
    {85, 85, 85}, {85, 85, 255}, {85, 255, 85}, {85, 255, 255},
    {255, 85, 85}, {255, 85, 255}, {255, 255, 85}, {255, 255, 255},
}};

ImageStatus corrupt()
{
    return ImageStatus::failure(ImageMessages::kCorrupt);
}

// Run-length reader whose state survives line ends.
class RunReader
{
public:
    RunReader(const std::uint8_t *data, std::size_t size, bool encoded)
        : m_data(data), m_size(size), m_encoded(encoded)
    {
    }

    // Fills `count` bytes; false when the data ends first.
    bool read(std::uint8_t *dst, std::size_t count)
    {
        std::size_t done = 0;
        while (done < count) {
            if (m_run == 0) {
                if (m_pos >= m_size)
                    return false;
                const std::uint8_t b = m_data[m_pos++];
                if (m_encoded && (b & 0xC0) == 0xC0) {
                    if (m_pos >= m_size)
                        return false;
                    m_run = b & 0x3F;
                    m_value = m_data[m_pos++];
                    continue; // a run of 0 is legal and yields nothing
                }
                m_run = 1;
                m_value = b;
            }
            const std::size_t n = std::min<std::size_t>(m_run, count - done);
            std::memset(dst + done, m_value, n);
            done += n;
            m_run -= static_cast<unsigned>(n);
        }
        return true;
    }

    /** Bytes consumed so far. */
    std::size_t position() const { return m_pos; }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    bool m_encoded;
    std::size_t m_pos = 0;
    unsigned m_run = 0;
    std::uint8_t m_value = 0;
};

// Appends one plane line in PCX run-length form; runs stay inside the line.
void encodeLine(const std::uint8_t *line, std::size_t count, std::vector<std::uint8_t> &out)
{
    std::size_t i = 0;
    while (i < count) {
        const std::uint8_t v = line[i];
        std::size_t run = 1;
        while (i + run < count && run < 63 && line[i + run] == v)
            ++run;
        if (run > 1 || (v & 0xC0) == 0xC0)
            out.push_back(static_cast<std::uint8_t>(0xC0 | run));
        out.push_back(v);
        i += run;
    }
}

} // namespace

ImageStatus PcxCodec::decode(const std::uint8_t *data, std::size_t size, Picture24 &out)
{
    if (data == nullptr || size == 0)
        return ImageStatus::failure(ImageMessages::kEmpty);
    if (size < kHeaderSize || data[0] != 0x0A || data[2] > 1)
        return corrupt();
    const int version = data[1];
    const int bits = data[3];
    const int xmin = read16(data + 4), ymin = read16(data + 6);
    const int xmax = read16(data + 8), ymax = read16(data + 10);
    const int planes = data[65];
    const std::size_t bytesPerLine = read16(data + 66);
    if (xmax < xmin || ymax < ymin)
        return corrupt();
    const std::int64_t width = xmax - xmin + 1;
    const std::int64_t height = ymax - ymin + 1;

    enum class Kind { Planar1, Packed, Indexed8, Rgb } kind;
    if (bits == 1 && planes >= 1 && planes <= 4)
        kind = Kind::Planar1;
    else if ((bits == 2 || bits == 4) && planes == 1)
        kind = Kind::Packed;
    else if (bits == 8 && planes == 1)
        kind = Kind::Indexed8;
    else if (bits == 8 && (planes == 3 || planes == 4))
        kind = Kind::Rgb;
    else
        return ImageStatus::failure(ImageMessages::kUnsupported);

    if (!Picture24::sizeAcceptable(width, height))
        return ImageStatus::failure(ImageMessages::kTooLarge);
    const std::uint64_t needPerPlane = (static_cast<std::uint64_t>(width) * bits + 7) / 8;
    if (bytesPerLine < needPerPlane)
        return corrupt();

    std::size_t streamEnd = size;
    std::array<Rgb, 256> palette{};
    if (kind == Kind::Indexed8) {
        if (size >= kHeaderSize + kPaletteTrailer && data[size - kPaletteTrailer] == 0x0C) {
            const std::uint8_t *p = data + size - kPaletteTrailer + 1;
            for (int i = 0; i < 256; ++i)
                palette[i] = Rgb{p[3 * i], p[3 * i + 1], p[3 * i + 2]};
            streamEnd = size - kPaletteTrailer;
        } else {
            for (int i = 0; i < 256; ++i)
                palette[i] = Rgb{std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)};
        }
    } else if (kind == Kind::Planar1 && planes == 1) {
        palette[1] = Rgb{255, 255, 255};
    } else if (kind != Kind::Rgb) {
        bool blank = true;
        for (int i = 0; i < 48; ++i)
            blank = blank && data[16 + i] == 0;
        for (int i = 0; i < 16; ++i)
            palette[i] = (version == 3 || blank)
                             ? kDefaultEga[i]
                             : Rgb{data[16 + 3 * i], data[17 + 3 * i], data[18 + 3 * i]};
    }

    // Every encoded byte yields at most 63, so a short file cannot claim a
    // huge picture and have it allocated.
    const std::uint64_t lineBytes = bytesPerLine * static_cast<std::uint64_t>(planes);
    const std::uint64_t total = lineBytes * static_cast<std::uint64_t>(height);
    const std::uint64_t maxExpansion = data[2] == 1 ? 63 : 1;
    if (total > (streamEnd - kHeaderSize) * maxExpansion)
        return corrupt();

    Picture24 picture(static_cast<int>(width), static_cast<int>(height));
    std::vector<std::uint8_t> line(static_cast<std::size_t>(lineBytes));
    RunReader reader(data + kHeaderSize, streamEnd - kHeaderSize, data[2] == 1);
    const int w = picture.width();
    for (int y = 0; y < picture.height(); ++y) {
        if (!reader.read(line.data(), line.size()))
            return corrupt();
        std::uint8_t *p = picture.scanLine(y);
        const std::uint8_t *s = line.data();
        for (int x = 0; x < w; ++x, p += 3) {
            Rgb c;
            switch (kind) {
            case Kind::Planar1: {
                int index = 0;
                for (int k = 0; k < planes; ++k)
                    index |= ((s[k * bytesPerLine + x / 8] >> (7 - x % 8)) & 1) << k;
                c = palette[index];
                break;
            }
            case Kind::Packed: {
                const int perByte = 8 / bits;
                const int shift = 8 - bits * (x % perByte + 1);
                c = palette[(s[x / perByte] >> shift) & ((1 << bits) - 1)];
                break;
            }
            case Kind::Indexed8:
                c = palette[s[x]];
                break;
            case Kind::Rgb:
                c = Rgb{s[x], s[bytesPerLine + x], s[2 * bytesPerLine + x]};
                break;
            }
            p[0] = c.b;
            p[1] = c.g;
            p[2] = c.r;
        }
    }
    // What follows an 8-bit picture without a whole palette: a marker there
    // means the palette was cut off, and grey levels would be a wrong guess.
    if (kind == Kind::Indexed8 && streamEnd == size && reader.position() < streamEnd - kHeaderSize
        && data[kHeaderSize + reader.position()] == 0x0C)
        return corrupt();
    out.swap(picture);
    return ImageStatus::success();
}

ImageStatus PcxCodec::encode(const Picture24 &picture, std::vector<std::uint8_t> &out)
{
    if (picture.isNull())
        return ImageStatus::failure(ImageMessages::kNothingToSave);
    if (picture.width() > 0xFFFF || picture.height() > 0xFFFF)
        return ImageStatus::failure(ImageMessages::kTooLarge);
    const int w = picture.width();
    const int h = picture.height();
    // Lines are kept to an even number of bytes, as readers expect.
    const std::size_t bytesPerLine = static_cast<std::size_t>(w + (w & 1));
    if (bytesPerLine > 0xFFFF)
        return ImageStatus::failure(ImageMessages::kTooLarge);

    std::vector<std::uint8_t> bytes(kHeaderSize, 0);
    std::uint8_t *hd = bytes.data();
    hd[0] = 0x0A;
    hd[1] = 5;
    hd[2] = 1;
    hd[3] = 8;
    put16(hd + 8, static_cast<std::uint32_t>(w - 1));
    put16(hd + 10, static_cast<std::uint32_t>(h - 1));
    put16(hd + 12, 72);
    put16(hd + 14, 72);
    hd[65] = 3;
    put16(hd + 66, static_cast<std::uint32_t>(bytesPerLine));
    put16(hd + 68, 1);

    std::vector<std::uint8_t> plane(bytesPerLine, 0);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t *p = picture.scanLine(y);
        for (int channel = 2; channel >= 0; --channel) { // red, green, blue
            for (int x = 0; x < w; ++x)
                plane[x] = p[3 * x + channel];
            encodeLine(plane.data(), plane.size(), bytes);
        }
    }
    out.swap(bytes);
    return ImageStatus::success();
}
