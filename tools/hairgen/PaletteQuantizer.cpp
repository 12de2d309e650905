#include "PaletteQuantizer.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

struct Box
{
    std::size_t begin, end; // range in the item list
    int channel = 0;        // the channel of widest spread
    int spread = 0;
};

struct Item
{
    std::uint8_t c[3];
    std::uint32_t pixel;
};

void measure(Box &box, const std::vector<Item> &items)
{
    int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
    for (std::size_t i = box.begin; i < box.end; ++i)
        for (int ch = 0; ch < 3; ++ch) {
            lo[ch] = std::min<int>(lo[ch], items[i].c[ch]);
            hi[ch] = std::max<int>(hi[ch], items[i].c[ch]);
        }
    // Green weighs most in what the eye sees as lighter or darker.
    const int weight[3] = {3, 4, 2};
    box.spread = -1;
    for (int ch = 0; ch < 3; ++ch) {
        const int s = (hi[ch] - lo[ch]) * weight[ch];
        if (s > box.spread) {
            box.spread = s;
            box.channel = ch;
        }
    }
}

std::uint32_t pack(int r, int g, int b)
{
    return (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | std::uint32_t(b);
}

} // namespace

IndexedPicture PaletteQuantizer::quantize(const RgbPicture &picture, const HairMask &mask, std::uint32_t key,
                                          int maxHairColours)
{
    IndexedPicture out;
    out.width = picture.width;
    out.height = picture.height;
    out.indices.assign(std::size_t(out.width) * out.height, 0);
    out.palette.fill(0);
    out.palette[0] = key;
    out.paletteSize = 1;
    maxHairColours = std::clamp(maxHairColours, 1, 255);

    std::vector<Item> items;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (mask.at(x, y)) {
                const std::uint8_t *p = picture.pixel(x, y);
                items.push_back({{p[0], p[1], p[2]}, std::uint32_t(y * picture.width + x)});
            }
    if (items.empty())
        return out;

    std::vector<Box> boxes{{0, items.size()}};
    measure(boxes[0], items);
    while (int(boxes.size()) < maxHairColours) {
        // Split the box whose colours spread widest, weighted by how many
        // pixels it holds, at its median.
        std::size_t best = boxes.size();
        double bestScore = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].spread <= 0 || boxes[i].end - boxes[i].begin < 2)
                continue;
            const double score = double(boxes[i].spread) * std::sqrt(double(boxes[i].end - boxes[i].begin));
            if (score > bestScore) {
                bestScore = score;
                best = i;
            }
        }
        if (best == boxes.size())
            break;
        Box &box = boxes[best];
        const int ch = box.channel;
        const auto first = items.begin() + std::ptrdiff_t(box.begin);
        const auto last = items.begin() + std::ptrdiff_t(box.end);
        const auto less = [ch](const Item &a, const Item &b) { return a.c[ch] < b.c[ch]; };
        const auto middle = first + (last - first) / 2;
        std::nth_element(first, middle, last, less);
        // Keep equal values on one side so both halves shrink in spread.
        const std::uint8_t v = middle->c[ch];
        auto split = std::partition(first, last, [ch, v](const Item &a) { return a.c[ch] < v; });
        if (split == first)
            split = std::partition(first, last, [ch, v](const Item &a) { return a.c[ch] <= v; });
        const std::size_t m = box.begin + std::size_t(split - first);
        if (m == box.begin || m == box.end) {
            box.spread = 0;
            continue;
        }
        Box upper{m, box.end};
        box.end = m;
        measure(box, items);
        measure(upper, items);
        boxes.push_back(upper);
    }

    // Mean colour of every box, then sort the boxes dark to light so the
    // palette reads as the hair's ramp.
    struct Entry
    {
        std::uint32_t colour;
        int luma;
        std::size_t box;
    };
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        double s[3] = {0, 0, 0};
        for (std::size_t j = boxes[i].begin; j < boxes[i].end; ++j)
            for (int ch = 0; ch < 3; ++ch)
                s[ch] += items[j].c[ch];
        const double n = double(boxes[i].end - boxes[i].begin);
        int r = int(std::lround(s[0] / n)), g = int(std::lround(s[1] / n)), b = int(std::lround(s[2] / n));
        if (pack(r, g, b) == key) // cannot happen for hair colours, but the key must stay unique
            b = b > 0 ? b - 1 : b + 1;
        entries.push_back({pack(r, g, b), 299 * r + 587 * g + 114 * b, i});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        return a.luma != b.luma ? a.luma < b.luma : a.colour < b.colour;
    });
    for (std::size_t e = 0; e < entries.size(); ++e) {
        const std::uint8_t index = std::uint8_t(e + 1);
        out.palette[index] = entries[e].colour;
        const Box &box = boxes[entries[e].box];
        for (std::size_t j = box.begin; j < box.end; ++j)
            out.indices[items[j].pixel] = index;
    }
    out.paletteSize = int(entries.size()) + 1;
    // Unused entries repeat the darkest hair colour, never the key, so that no
    // reader can mistake padding for background.
    for (int i = out.paletteSize; i < 256; ++i)
        out.palette[i] = out.palette[1];
    return out;
}
