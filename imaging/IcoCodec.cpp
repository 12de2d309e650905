#include "IcoCodec.h"

#include "BmpCodec.h"
#include "PngCodec.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kDirectoryHeader = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

std::uint16_t read16(const std::uint8_t *p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t read32(const std::uint8_t *p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16)
           | (std::uint32_t(p[3]) << 24);
}

std::uint32_t read32be(const std::uint8_t *p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8)
           | std::uint32_t(p[3]);
}

struct Candidate
{
    std::size_t offset = 0;
    std::size_t size = 0;
    std::int64_t pixels = 0;
    int bits = 0;
    int order = 0;
    bool png = false;
};

bool isPng(const std::uint8_t *p, std::size_t size)
{
    return size >= 8 && std::memcmp(p, kPngSignature, 8) == 0;
}

// Size and depth as the payload itself declares them; the directory's bytes
// are only a fallback (a width of 0 there means 256, and cursors keep their
// hot spot where icons keep the depth).
void measure(const std::uint8_t *entry, const std::uint8_t *payload, Candidate &c, bool cursor)
{
    std::int64_t w = entry[0] ? entry[0] : 256;
    std::int64_t h = entry[1] ? entry[1] : 256;
    int bits = cursor ? 0 : read16(entry + 6);
    if (c.png) {
        // IHDR: width, height, bit depth, colour type right after the signature.
        if (c.size >= 26) {
            w = read32be(payload + 16);
            h = read32be(payload + 20);
            static constexpr int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
            const int type = payload[25];
            bits = payload[24] * (type <= 6 ? kChannels[type] : 0);
        }
    } else if (c.size >= 16) {
        const std::uint32_t headerSize = read32(payload);
        if (headerSize == 12) {
            w = read16(payload + 4);
            h = read16(payload + 6) / 2;
            bits = read16(payload + 10);
        } else if (headerSize >= 16) {
            w = static_cast<std::int32_t>(read32(payload + 4));
            h = static_cast<std::int32_t>(read32(payload + 8));
            h = (h < 0 ? -h : h) / 2;
            bits = read16(payload + 14);
        }
    }
    // Declared sizes can be anything up to 2^32 a side: rank absurd ones as
    // the largest possible without letting the product overflow; decoding
    // refuses them later.
    const std::int64_t side = Picture24::kMaxSide + std::int64_t(1);
    c.pixels = (w > 0 && h > 0) ? std::min(w, side) * std::min(h, side) : 0;
    c.bits = bits;
}

std::uint8_t blend(std::uint8_t fore, std::uint8_t back, unsigned alpha)
{
    return static_cast<std::uint8_t>((fore * alpha + back * (255u - alpha) + 127u) / 255u);
}

ImageStatus decodeDibIcon(const std::uint8_t *p, std::size_t size, Picture24 &out,
                          std::uint32_t background)
{
    BmpCodec::Dib dib;
    ImageStatus status = BmpCodec::decodeDib(p, size, 0, true, dib);
    if (!status)
        return status;
    Picture24 &picture = dib.picture;
    const int w = picture.width();
    const int h = picture.height();
    const std::uint8_t bgB = std::uint8_t(background);
    const std::uint8_t bgG = std::uint8_t(background >> 8);
    const std::uint8_t bgR = std::uint8_t(background >> 16);

    const bool useAlpha = std::any_of(dib.alpha.begin(), dib.alpha.end(),
                                      [](std::uint8_t a) { return a != 0; });
    if (useAlpha) {
        for (int y = 0; y < h; ++y) {
            std::uint8_t *q = picture.scanLine(y);
            const std::uint8_t *a = dib.alpha.data() + static_cast<std::size_t>(y) * w;
            for (int x = 0; x < w; ++x, q += 3) {
                q[0] = blend(q[0], bgB, a[x]);
                q[1] = blend(q[1], bgG, a[x]);
                q[2] = blend(q[2], bgR, a[x]);
            }
        }
    } else {
        // The AND mask: 1 bit per pixel, rows bottom-up, 4-byte aligned; set
        // bits show what lies behind the icon. A missing mask means opaque.
        const std::size_t maskStride = ((static_cast<std::size_t>(w) + 31) / 32) * 4;
        const std::size_t maskSize = maskStride * static_cast<std::size_t>(h);
        if (dib.pixelEnd <= size && size - dib.pixelEnd >= maskSize) {
            const std::uint8_t *mask = p + dib.pixelEnd;
            for (int r = 0; r < h; ++r) {
                const std::uint8_t *m = mask + r * maskStride;
                std::uint8_t *q = picture.row(r);
                for (int x = 0; x < w; ++x, q += 3) {
                    if ((m[x >> 3] >> (7 - (x & 7))) & 1) {
                        q[0] = bgB;
                        q[1] = bgG;
                        q[2] = bgR;
                    }
                }
            }
        }
    }
    out.swap(picture);
    return ImageStatus::success();
}

} // namespace

ImageStatus IcoCodec::decode(const std::uint8_t *data, std::size_t size, Picture24 &out,
                             std::uint32_t background)
{
    if (data == nullptr || size == 0)
        return ImageStatus::failure(ImageMessages::kEmpty);
    if (size < kDirectoryHeader || read16(data) != 0)
        return ImageStatus::failure(ImageMessages::kCorrupt);
    const int type = read16(data + 2);
    const std::size_t count = read16(data + 4);
    if ((type != 1 && type != 2) || count == 0 || size - kDirectoryHeader < count * kEntrySize)
        return ImageStatus::failure(ImageMessages::kCorrupt);

    std::vector<Candidate> candidates;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t *entry = data + kDirectoryHeader + i * kEntrySize;
        Candidate c;
        c.offset = read32(entry + 12);
        const std::size_t declared = read32(entry + 8);
        if (c.offset >= size)
            continue;
        c.size = std::min(declared, size - c.offset);
        c.order = static_cast<int>(i);
        c.png = isPng(data + c.offset, c.size);
        measure(entry, data + c.offset, c, type == 2);
        candidates.push_back(c);
    }
    if (candidates.empty())
        return ImageStatus::failure(ImageMessages::kCorrupt);
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) {
        if (a.pixels != b.pixels)
            return a.pixels > b.pixels;
        return a.bits > b.bits;
    });

    ImageStatus first;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const Candidate &c = candidates[i];
        Picture24 picture;
        ImageStatus status = c.png ? PngCodec::decode(data + c.offset, c.size, picture, background)
                                   : decodeDibIcon(data + c.offset, c.size, picture, background);
        if (status) {
            out.swap(picture);
            return status;
        }
        if (i == 0)
            first = status;
    }
    return first;
}
