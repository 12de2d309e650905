// Writes small starting inputs for the fuzz targets: a few pictures per
// format, through the engine's own encoders, into DIR/<format>/.
// Usage: fuzz_seeds DIR

#include "ImageFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

Picture24 sample(int width, int height, int colours)
{
    Picture24 p(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int k = (x * 7 + y * 13) % colours;
            p.setPixel(x, y,
                       (std::uint32_t(k * 53 & 0xFF) << 16) | (std::uint32_t(k * 29 & 0xFF) << 8) |
                           std::uint32_t(x * 255 / width));
        }
    return p;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const struct
    {
        ImageFormat format;
        const char *folder;
        const char *ext;
    } kinds[] = {
        {ImageFormat::Jpeg, "jpeg", "jpg"}, {ImageFormat::Png, "png", "png"},
        {ImageFormat::Gif, "gif", "gif"},   {ImageFormat::Tiff, "tiff", "tif"},
        {ImageFormat::Bmp, "bmp", "bmp"},   {ImageFormat::Pcx, "pcx", "pcx"},
    };
    const Picture24 pictures[] = {sample(1, 1, 1), sample(7, 5, 3), sample(24, 17, 200), sample(33, 9, 64)};
    int written = 0;
    for (const auto &kind : kinds) {
        const std::filesystem::path dir = std::filesystem::path(argv[1]) / kind.folder;
        std::filesystem::create_directories(dir);
        int n = 0;
        for (const Picture24 &picture : pictures) {
            std::vector<std::uint8_t> bytes;
            if (!ImageFile::encode(picture, kind.format, {}, bytes))
                continue;
            std::ofstream out(dir / ("seed" + std::to_string(n++) + "." + kind.ext), std::ios::binary);
            out.write(reinterpret_cast<const char *>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
            ++written;
        }
    }
    // Icons: one holding a PNG, one holding a DIB (a BMP without its file
    // header, twice as high for the AND mask, which follows the pixels).
    {
        const std::filesystem::path dir = std::filesystem::path(argv[1]) / "ico";
        std::filesystem::create_directories(dir);
        const Picture24 picture = sample(16, 16, 40);
        std::vector<std::uint8_t> png, bmp;
        if (ImageFile::encode(picture, ImageFormat::Png, {}, png)
            && ImageFile::encode(picture, ImageFormat::Bmp, {}, bmp) && bmp.size() > 14 + 40) {
            std::vector<std::uint8_t> dib(bmp.begin() + 14, bmp.end());
            dib[8] = 32; // height 16 -> 32
            dib.insert(dib.end(), 4 * 16, 0);
            int n = 0;
            for (const std::vector<std::uint8_t> *payload : {&png, &dib}) {
                std::vector<std::uint8_t> ico = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 24, 0};
                const auto put32 = [&ico](std::uint32_t v) {
                    for (int i = 0; i < 4; ++i)
                        ico.push_back(std::uint8_t(v >> (8 * i)));
                };
                put32(std::uint32_t(payload->size()));
                put32(22);
                ico.insert(ico.end(), payload->begin(), payload->end());
                std::ofstream out(dir / ("seed" + std::to_string(n++) + ".ico"), std::ios::binary);
                out.write(reinterpret_cast<const char *>(ico.data()), static_cast<std::streamsize>(ico.size()));
                ++written;
            }
        }
    }
    std::printf("%d seed files written\n", written);
    return written > 0 ? 0 : 1;
}
