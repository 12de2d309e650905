// Writes starting inputs for fuzz_heif and fuzz_webp into DIR/heif/ and
// DIR/webp/: small pictures in the variants phones produce.
// Usage: fuzz_phone_seeds DIR

#include "PhoneTestPictures.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

Picture24 sample(int width, int height)
{
    Picture24 p(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.setPixel(x, y,
                       (std::uint32_t(x * 255 / width) << 16) | (std::uint32_t(y * 255 / height) << 8) |
                           std::uint32_t((x * y) & 0xFF));
    return p;
}

int writeAll(const std::filesystem::path &dir, const char *ext,
             const std::vector<std::vector<std::uint8_t>> &files)
{
    std::filesystem::create_directories(dir);
    int n = 0;
    for (const auto &bytes : files) {
        if (bytes.empty())
            continue;
        std::ofstream out(dir / ("seed" + std::to_string(n++) + "." + ext), std::ios::binary);
        out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    return n;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root(argv[1]);
    const Picture24 small = sample(16, 12), odd = sample(7, 5);
    const std::vector<std::uint8_t> alpha(16 * 12, 100);
    const auto p3 = PhoneTestPictures::displayP3Profile();
    const int heif =
        writeAll(root / "heif", "heic",
                 {PhoneTestPictures::heic(small, 50), PhoneTestPictures::heic(odd, 50, 10),
                  PhoneTestPictures::heic(small, 50, 8, 6), PhoneTestPictures::heic(small, 50, 8, 1, alpha),
                  PhoneTestPictures::heic(small, 50, 8, 1, {}, p3)});
    const int webp =
        writeAll(root / "webp", "webp",
                 {PhoneTestPictures::webp(small, 50), PhoneTestPictures::webp(odd, -1),
                  PhoneTestPictures::webp(small, 50, alpha), PhoneTestPictures::webp(small, -1, alpha),
                  PhoneTestPictures::webp(small, -1, {}, p3),
                  PhoneTestPictures::animatedWebp({small, sample(16, 12)})});
    std::printf("%d HEIF and %d WebP seeds written below %s\n", heif, webp, argv[1]);
    return heif > 0 && webp > 0 ? 0 : 1;
}
