#include "CodecTestPictures.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>
#include <unistd.h>

Picture24 CodecTestPictures::photoLike(int width, int height, unsigned seed)
{
    Picture24 p(width, height);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> noise(-12, 12);
    for (int y = 0; y < height; ++y) {
        std::uint8_t *row = p.scanLine(y);
        for (int x = 0; x < width; ++x, row += 3) {
            const double fx = double(x) / std::max(1, width - 1);
            const double fy = double(y) / std::max(1, height - 1);
            double r = 200 * fx + 30 * std::sin(fy * 9);
            double g = 60 + 150 * fy;
            double b = 120 + 90 * std::cos((fx + fy) * 5);
            // A dark disc and a bright bar give edges to ring around.
            const double dx = fx - 0.6, dy = fy - 0.4;
            if (dx * dx + dy * dy < 0.04) {
                r *= 0.3;
                g *= 0.3;
                b *= 0.4;
            }
            if (x % 97 < 6) {
                r = g = 235;
            }
            row[2] = static_cast<std::uint8_t>(std::clamp(int(r) + noise(random), 0, 255));
            row[1] = static_cast<std::uint8_t>(std::clamp(int(g) + noise(random), 0, 255));
            row[0] = static_cast<std::uint8_t>(std::clamp(int(b) + noise(random), 0, 255));
        }
    }
    return p;
}

Picture24 CodecTestPictures::hairLike(int width, int height)
{
    Picture24 p(width, height);
    p.fill(255, 255, 255);
    const std::uint32_t shades[] = {0x3A2A1F, 0x4B3626, 0x2B1E15, 0x5C4330};
    for (int y = height / 6; y < height * 5 / 6; ++y)
        for (int x = width / 5; x < width * 4 / 5; ++x) {
            const double dx = (x - width / 2.0) / (width * 0.3);
            const double dy = (y - height / 2.0) / (height * 0.33);
            if (dx * dx + dy * dy < 1.0)
                p.setPixel(x, y, shades[(x / 3 + y / 7) % 4]);
        }
    return p;
}

Picture24 CodecTestPictures::distinctColours(int width, int height, int count)
{
    Picture24 p(width, height);
    for (int i = 0; i < width * height; ++i) {
        const int k = i % count;
        // Blue alone tells the first 256 apart; green the next ones.
        const std::uint32_t rgb = (std::uint32_t(k * 37 % 256) << 16) |
                                  (std::uint32_t((k * 91 + k / 256 * 128) % 256) << 8) |
                                  std::uint32_t(k % 256);
        p.setPixel(i % width, i / width, rgb);
    }
    return p;
}

Picture24 CodecTestPictures::quadrants(int width, int height)
{
    Picture24 p(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            std::uint32_t c = !bottom ? (right ? 0x00FF00 : 0xFF0000) : (right ? 0xFFFF00 : 0x0000FF);
            p.setPixel(x, y, c);
        }
    return p;
}

double CodecTestPictures::meanAbsoluteDifference(const Picture24 &a, const Picture24 &b)
{
    if (a.width() != b.width() || a.height() != b.height())
        throw std::invalid_argument("pictures differ in size");
    double total = 0;
    for (int y = 0; y < a.height(); ++y) {
        const std::uint8_t *pa = a.scanLine(y);
        const std::uint8_t *pb = b.scanLine(y);
        for (int i = 0; i < 3 * a.width(); ++i)
            total += std::abs(int(pa[i]) - int(pb[i]));
    }
    return total / (3.0 * a.width() * a.height());
}

int CodecTestPictures::colourDistance(std::uint32_t a, std::uint32_t b)
{
    int d = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        d = std::max(d, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return d;
}

std::vector<std::uint8_t> CodecTestPictures::readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void CodecTestPictures::writeFile(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

ScopedTempDir::ScopedTempDir()
{
    static int counter = 0;
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_path = std::filesystem::temp_directory_path() /
                 ("quenda-codecs-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
                  std::to_string(entropy() % 100000));
        if (std::filesystem::create_directory(m_path))
            return;
    }
    throw std::runtime_error("cannot create a temporary folder");
}

ScopedTempDir::~ScopedTempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}
