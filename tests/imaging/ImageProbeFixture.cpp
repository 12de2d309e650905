// Writes the pictures that the imageprobe test decodes, and the lines
// imageprobe must print for them (computed from the pictures as written, not
// as decoded), into the folder given as the only argument.

#include "ImageFile.h"
#include "PhoneTestPictures.h"
#include "PictureChecksum.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

Picture24 gradient(int w, int h)
{
    Picture24 p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.setPixel(x, y,
                       (std::uint32_t(x * 7 & 0xFF) << 16) | (std::uint32_t(y * 5 & 0xFF) << 8) |
                           std::uint32_t((x ^ y) & 0xFF));
    return p;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    std::ofstream expected(dir / "expected.txt");

    // Top row red, green; bottom row blue, white: fixes the checksum's byte
    // and row order against a value worked out by hand.
    Picture24 order(2, 2);
    order.setPixel(0, 0, 0xFF0000);
    order.setPixel(1, 0, 0x00FF00);
    order.setPixel(0, 1, 0x0000FF);
    order.setPixel(1, 1, 0xFFFFFF);
    const std::string orderPath = (dir / "order.png").string();
    if (!ImageFile::save(orderPath, order))
        return 1;
    std::ofstream(dir / "order.txt") << orderPath << ": PNG 2x2 b53c910f\n";

    const struct
    {
        const char *name;
        const char *format;
    } lossless[] = {
        {"photo.png", "PNG"}, {"scan.TIF", "TIFF"}, {"old.pcx", "PCX"},
        {"pic.bmp", "BMP"},   {"hair.gif", "GIF"},
    };
    const Picture24 picture = gradient(37, 23);
    for (const auto &f : lossless) {
        // The GIF keeps its colours only when there are few of them.
        Picture24 source = picture;
        if (std::string(f.format) == "GIF")
            for (int y = 0; y < source.height(); ++y)
                for (int x = 0; x < source.width(); ++x)
                    source.setPixel(x, y, (x + y) % 3 ? 0xFFFFFF : 0x3A2A1F);
        const std::string path = (dir / f.name).string();
        if (!ImageFile::save(path, source))
            return 1;
        expected << path << ": " << f.format << " " << source.width() << "x" << source.height() << " "
                 << PictureChecksum::hex(PictureChecksum::crc32(source)) << "\n";
    }

    // A lossless WebP as a phone's messenger hands it out, extension in
    // capitals.
    const std::vector<std::uint8_t> webp = PhoneTestPictures::webp(picture, -1);
    const std::string webpPath = (dir / "whatsapp.WEBP").string();
    std::ofstream(webpPath, std::ios::binary)
        .write(reinterpret_cast<const char *>(webp.data()), static_cast<std::streamsize>(webp.size()));
    expected << webpPath << ": WEBP " << picture.width() << "x" << picture.height() << " "
             << PictureChecksum::hex(PictureChecksum::crc32(picture)) << "\n";

    std::ofstream(dir / "garbage.png", std::ios::binary) << "\x89PNG\r\n\x1a\n not really";
    return 0;
}
