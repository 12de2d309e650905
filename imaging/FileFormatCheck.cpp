#include "FileFormatCheck.h"

#include "RegularFile.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace {

std::uint16_t read16(const std::uint8_t *p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t read32(const std::uint8_t *p)
{
    return std::uint32_t(read16(p)) | (std::uint32_t(read16(p + 2)) << 16);
}

bool startsWith(const std::uint8_t *data, std::size_t size, const char *magic, std::size_t length)
{
    return size >= length && std::memcmp(data, magic, length) == 0;
}

// PCX carries no signature beyond its first byte, so the header has to look
// like one throughout before a file is taken for PCX.
bool looksLikePcx(const std::uint8_t *d, std::size_t size)
{
    if (size < 70 || d[0] != 0x0A)
        return false;
    const int version = d[1];
    if (version != 0 && version != 2 && version != 3 && version != 4 && version != 5)
        return false;
    if (d[2] != 1 && d[2] != 0)
        return false;
    const int bits = d[3];
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8)
        return false;
    const int planes = d[65];
    if (planes < 1 || planes > 4)
        return false;
    return read16(d + 8) >= read16(d + 4) && read16(d + 10) >= read16(d + 6) && read16(d + 66) != 0;
}

std::uint32_t readBig32(const std::uint8_t *p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

bool isHeifBrand(const std::uint8_t *brand)
{
    // Still-image and sequence brands of HEVC-coded HEIF. "mif1" and
    // "msf1" alone say nothing about the codec (AVIF uses them too), so
    // they count only next to one of these.
    static constexpr const char *kBrands[] = {"heic", "heix", "heim", "heis", "hevc", "hevx", "hevm", "hevs"};
    for (const char *b : kBrands)
        if (std::memcmp(brand, b, 4) == 0)
            return true;
    return false;
}

} // namespace

bool FileFormatCheck::looksLikeHeif(const std::uint8_t *d, std::size_t size)
{
    if (!d || size < 16 || std::memcmp(d + 4, "ftyp", 4) != 0)
        return false;
    const std::uint32_t boxSize = readBig32(d);
    if (boxSize < 16 || boxSize % 4 != 0)
        return false;
    if (isHeifBrand(d + 8))
        return true;
    // Compatible brands follow the major brand and its minor version; only
    // those within the bytes given are looked at.
    const std::size_t end = std::min<std::size_t>(boxSize, size);
    for (std::size_t at = 16; at + 4 <= end; at += 4)
        if (isHeifBrand(d + at))
            return true;
    return false;
}

bool FileFormatCheck::looksLikeWebp(const std::uint8_t *d, std::size_t size)
{
    return d && size >= 16 && std::memcmp(d, "RIFF", 4) == 0 && std::memcmp(d + 8, "WEBP", 4) == 0 &&
           (std::memcmp(d + 12, "VP8 ", 4) == 0 || std::memcmp(d + 12, "VP8L", 4) == 0 ||
            std::memcmp(d + 12, "VP8X", 4) == 0);
}

ImageFormat FileFormatCheck::checkBytes(const std::uint8_t *d, std::size_t size)
{
    if (d == nullptr || size < 2)
        return ImageFormat::Unknown;
    if (d[0] == 'B' && d[1] == 'M' && size >= 18) {
        // "BM" alone starts too many text files; the info header's size
        // must be one that bitmaps use.
        const std::uint32_t info = read32(d + 14);
        if (info == 12 || (info >= 16 && info <= 64) || info == 108 || info == 124)
            return ImageFormat::Bmp;
    }
    if (size >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF)
        return ImageFormat::Jpeg;
    if (startsWith(d, size, "\x89PNG\r\n\x1A\n", 8))
        return ImageFormat::Png;
    if (startsWith(d, size, "GIF87a", 6) || startsWith(d, size, "GIF89a", 6))
        return ImageFormat::Gif;
    if (startsWith(d, size, "II*\0", 4) || startsWith(d, size, "MM\0*", 4))
        return ImageFormat::Tiff;
    if (looksLikeHeif(d, size))
        return ImageFormat::Heif;
    if (looksLikeWebp(d, size))
        return ImageFormat::Webp;
    if (looksLikePcx(d, size))
        return ImageFormat::Pcx;
    if (size >= 6 && read16(d) == 0 && read16(d + 4) > 0) {
        if (read16(d + 2) == 1)
            return ImageFormat::Ico;
        if (read16(d + 2) == 2)
            return ImageFormat::Cur;
    }
    if (size >= 4 && read32(d) == 0x9AC6CDD7)
        return ImageFormat::Wmf; // placeable metafile
    // A plain metafile header: type 1 (memory) or 2 (disk), 9 words long,
    // version 1.0 or 3.0.
    if (size >= 6 && (read16(d) == 1 || read16(d) == 2) && read16(d + 2) == 9
        && (read16(d + 4) == 0x0100 || read16(d + 4) == 0x0300))
        return ImageFormat::Wmf;
    if (size >= 44 && read32(d) == 1 && std::memcmp(d + 40, " EMF", 4) == 0)
        return ImageFormat::Emf;
    return ImageFormat::Unknown;
}

ImageFormat FileFormatCheck::check(const std::string &path, bool checkExtension)
{
    std::uint8_t head[kProbeSize];
    const std::size_t got = RegularFile::readHead(path, head, sizeof head);
    const ImageFormat found = checkBytes(head, got);
    if (found == ImageFormat::Unknown)
        return ImageFormat::Unknown;
    if (checkExtension && imageFormatForPath(path) != found)
        return ImageFormat::Unknown;
    return found;
}
