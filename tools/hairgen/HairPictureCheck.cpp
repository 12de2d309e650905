#include "HairPictureCheck.h"

#include <cmath>
#include <cstdio>
#include <set>

namespace {

std::string hex(std::uint32_t rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", unsigned(rgb & 0xFFFFFF));
    return text;
}

} // namespace

double HairPictureCheck::luminance(std::uint32_t rgb)
{
    return 0.299 * double((rgb >> 16) & 0xFF) + 0.587 * double((rgb >> 8) & 0xFF) +
           0.114 * double(rgb & 0xFF);
}

double HairPictureCheck::distance(std::uint32_t a, std::uint32_t b)
{
    const double dr = double((a >> 16) & 0xFF) - double((b >> 16) & 0xFF);
    const double dg = double((a >> 8) & 0xFF) - double((b >> 8) & 0xFF);
    const double db = double(a & 0xFF) - double(b & 0xFF);
    return std::sqrt(dr * dr + dg * dg + db * db);
}

HairPictureCheck::Result HairPictureCheck::inspect(const IndexedPicture &picture, std::uint32_t requiredKey)
{
    Result r;
    const int w = picture.width;
    const int h = picture.height;
    if (w <= 0 || h <= 0 || picture.indices.size() != std::size_t(w) * h) {
        r.problems.push_back("empty or inconsistent picture");
        return r;
    }
    if (w < kMinSide || h < kMinSide || w > kMaxSide || h > kMaxSide)
        r.problems.push_back("size " + std::to_string(w) + "x" + std::to_string(h) + " outside " +
                             std::to_string(kMinSide) + ".." + std::to_string(kMaxSide));
    for (std::uint8_t i : picture.indices)
        if (int(i) >= picture.paletteSize) {
            r.problems.push_back("pixel index " + std::to_string(i) + " beyond the palette of " +
                                 std::to_string(picture.paletteSize));
            return r;
        }

    const std::uint8_t keyIndex = picture.index(0, h - 1);
    r.key = picture.palette[keyIndex];
    if (r.key != requiredKey)
        r.problems.push_back("bottom-left colour " + hex(r.key) + " is not the key " + hex(requiredKey));

    // The background must also frame the picture, or the hair is cut off
    // with a straight edge.
    bool framed = true;
    for (int x = 0; x < w; ++x)
        framed = framed && picture.colour(x, 0) == r.key && picture.colour(x, h - 1) == r.key;
    for (int y = 0; y < h; ++y)
        framed = framed && picture.colour(0, y) == r.key && picture.colour(w - 1, y) == r.key;
    if (!framed)
        r.problems.push_back("hair reaches the picture's border");

    const auto isKey = [&](int x, int y) { return picture.colour(x, y) == r.key; };
    int keyLookalikes = 0, nearKey = 0;
    double sum = 0, sum2 = 0, edgeSum = 0, innerSum = 0;
    int edgeCount = 0, innerCount = 0;
    std::set<std::uint32_t> colours;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint8_t index = picture.index(x, y);
            const std::uint32_t c = picture.palette[index];
            if (c == r.key) {
                // Drawn as background although it was painted as hair.
                if (index != keyIndex)
                    ++keyLookalikes;
                continue;
            }
            ++r.hairPixels;
            colours.insert(c);
            if (distance(c, r.key) < kMinKeyDistance)
                ++nearKey;
            const double l = luminance(c);
            sum += l;
            sum2 += l * l;
            const bool edge = (x > 0 && isKey(x - 1, y)) || (x + 1 < w && isKey(x + 1, y)) ||
                              (y > 0 && isKey(x, y - 1)) || (y + 1 < h && isKey(x, y + 1));
            if (edge) {
                edgeSum += l;
                ++edgeCount;
            } else {
                innerSum += l;
                ++innerCount;
            }
        }
    if (keyLookalikes)
        r.problems.push_back(std::to_string(keyLookalikes) + " hair pixels carry the key colour");
    if (r.hairPixels < w * h / 20) {
        r.problems.push_back("almost no hair (" + std::to_string(r.hairPixels) + " pixels)");
        return r;
    }
    r.meanLuminance = sum / r.hairPixels;
    if (nearKey)
        r.problems.push_back(std::to_string(nearKey) + " hair pixels lie within " +
                             std::to_string(int(kMinKeyDistance)) + " of the key colour");
    if (edgeCount && innerCount && edgeSum / edgeCount > innerSum / innerCount + kMaxEdgeLift)
        r.problems.push_back("halo: outline pixels average luminance " +
                             std::to_string(int(edgeSum / edgeCount)) + " against " +
                             std::to_string(int(innerSum / innerCount)) + " inside");
    const double spread = std::sqrt(std::max(0.0, sum2 / r.hairPixels - r.meanLuminance * r.meanLuminance));
    if (int(colours.size()) < kMinHairColours || spread < kMinLuminanceSpread)
        r.problems.push_back("flat hair: " + std::to_string(colours.size()) + " colours, luminance spread " +
                             std::to_string(int(spread)));
    return r;
}
