#include "ColourQuantiser.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>

namespace {

constexpr int kHistBits = 5;
constexpr int kHistSide = 1 << kHistBits;
constexpr int kMapBits = 6;

struct Box
{
    int lo[3];
    int hi[3];
    std::uint64_t count;
};

inline int histIndex(int r, int g, int b)
{
    return (r << (2 * kHistBits)) | (g << kHistBits) | b;
}

struct Histogram
{
    std::vector<std::uint32_t> count;
    std::vector<std::uint64_t> sum[3];
};

// Tightens a box to the occupied bins inside it and recounts it.
void shrink(Box &box, const Histogram &h)
{
    int lo[3] = {kHistSide, kHistSide, kHistSide};
    int hi[3] = {-1, -1, -1};
    std::uint64_t total = 0;
    for (int r = box.lo[0]; r <= box.hi[0]; ++r)
        for (int g = box.lo[1]; g <= box.hi[1]; ++g)
            for (int b = box.lo[2]; b <= box.hi[2]; ++b) {
                const std::uint32_t n = h.count[histIndex(r, g, b)];
                if (!n)
                    continue;
                total += n;
                const int c[3] = {r, g, b};
                for (int i = 0; i < 3; ++i) {
                    lo[i] = std::min(lo[i], c[i]);
                    hi[i] = std::max(hi[i], c[i]);
                }
            }
    box.count = total;
    if (total)
        for (int i = 0; i < 3; ++i) {
            box.lo[i] = lo[i];
            box.hi[i] = hi[i];
        }
}

std::uint64_t sliceCount(const Box &box, int axis, int at, const Histogram &h)
{
    int lo[3] = {box.lo[0], box.lo[1], box.lo[2]};
    int hi[3] = {box.hi[0], box.hi[1], box.hi[2]};
    lo[axis] = hi[axis] = at;
    std::uint64_t n = 0;
    for (int r = lo[0]; r <= hi[0]; ++r)
        for (int g = lo[1]; g <= hi[1]; ++g)
            for (int b = lo[2]; b <= hi[2]; ++b)
                n += h.count[histIndex(r, g, b)];
    return n;
}

std::uint32_t meanColour(const Box &box, const Histogram &h)
{
    std::uint64_t s[3] = {0, 0, 0};
    std::uint64_t n = 0;
    for (int r = box.lo[0]; r <= box.hi[0]; ++r)
        for (int g = box.lo[1]; g <= box.hi[1]; ++g)
            for (int b = box.lo[2]; b <= box.hi[2]; ++b) {
                const int i = histIndex(r, g, b);
                n += h.count[i];
                for (int c = 0; c < 3; ++c)
                    s[c] += h.sum[c][i];
            }
    if (!n)
        return 0;
    std::uint32_t rgb = 0;
    for (int c = 0; c < 3; ++c)
        rgb = (rgb << 8) | static_cast<std::uint32_t>((s[c] + n / 2) / n);
    return rgb;
}

int nearest(const std::vector<std::uint32_t> &palette, int r, int g, int b)
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = r - int((palette[i] >> 16) & 0xFF);
        const int dg = g - int((palette[i] >> 8) & 0xFF);
        const int db = b - int(palette[i] & 0xFF);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

} // namespace

ColourQuantiser::ColourQuantiser(int maxColours) : m_maxColours(std::clamp(maxColours, 2, 256))
{
}

void ColourQuantiser::quantise(const Picture24 &picture, std::vector<std::uint32_t> &palette,
                               std::vector<std::uint8_t> &indices) const
{
    palette.clear();
    indices.clear();
    if (picture.isNull())
        return;
    if (quantiseExactly(picture, palette, indices))
        return;
    medianCut(picture, palette);
    mapToPalette(picture, palette, indices);
}

bool ColourQuantiser::quantiseExactly(const Picture24 &picture, std::vector<std::uint32_t> &palette,
                                      std::vector<std::uint8_t> &indices) const
{
    // Open addressing over at most 256 keys: four times as many slots keeps
    // probes short. 0xFFFFFFFF is no 24-bit colour, so it marks a free slot.
    constexpr std::uint32_t kFree = 0xFFFFFFFFu;
    constexpr int kSlotBits = 10;
    std::array<std::uint32_t, 1 << kSlotBits> keys;
    std::array<std::uint8_t, 1 << kSlotBits> values{};
    keys.fill(kFree);

    const int w = picture.width();
    const int h = picture.height();
    std::vector<std::uint8_t> result(static_cast<std::size_t>(w) * h);
    std::vector<std::uint32_t> colours;
    std::uint32_t lastColour = kFree;
    std::uint8_t lastIndex = 0;
    for (int y = 0; y < h; ++y) {
        const std::uint8_t *p = picture.scanLine(y);
        std::uint8_t *out = result.data() + static_cast<std::size_t>(y) * w;
        for (int x = 0; x < w; ++x, p += 3) {
            const std::uint32_t rgb = (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
            if (rgb != lastColour) {
                std::uint32_t slot = (rgb * 2654435761u) >> (32 - kSlotBits);
                while (keys[slot] != kFree && keys[slot] != rgb)
                    slot = (slot + 1) & ((1u << kSlotBits) - 1);
                if (keys[slot] == kFree) {
                    if (static_cast<int>(colours.size()) == m_maxColours)
                        return false;
                    keys[slot] = rgb;
                    values[slot] = static_cast<std::uint8_t>(colours.size());
                    colours.push_back(rgb);
                }
                lastColour = rgb;
                lastIndex = values[slot];
            }
            out[x] = lastIndex;
        }
    }
    palette.swap(colours);
    indices.swap(result);
    return true;
}

void ColourQuantiser::medianCut(const Picture24 &picture, std::vector<std::uint32_t> &palette) const
{
    Histogram hist;
    const std::size_t bins = std::size_t(1) << (3 * kHistBits);
    hist.count.assign(bins, 0);
    for (auto &s : hist.sum)
        s.assign(bins, 0);
    for (int r = 0; r < picture.height(); ++r) {
        const std::uint8_t *p = picture.row(r);
        for (int x = 0; x < picture.width(); ++x, p += 3) {
            const int i = histIndex(p[2] >> 3, p[1] >> 3, p[0] >> 3);
            hist.count[i]++;
            hist.sum[0][i] += p[2];
            hist.sum[1][i] += p[1];
            hist.sum[2][i] += p[0];
        }
    }

    std::vector<Box> boxes;
    boxes.push_back({{0, 0, 0}, {kHistSide - 1, kHistSide - 1, kHistSide - 1}, 0});
    shrink(boxes.front(), hist);

    while (static_cast<int>(boxes.size()) < m_maxColours) {
        // Split the box where most pixels meet the widest spread of colour.
        int chosen = -1;
        std::uint64_t bestScore = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const Box &b = boxes[i];
            const int side = std::max({b.hi[0] - b.lo[0], b.hi[1] - b.lo[1], b.hi[2] - b.lo[2]});
            const std::uint64_t score = b.count * static_cast<std::uint64_t>(side);
            if (score > bestScore) {
                bestScore = score;
                chosen = static_cast<int>(i);
            }
        }
        if (chosen < 0)
            break; // every box is a single bin
        Box box = boxes[chosen];
        int axis = 0;
        for (int i = 1; i < 3; ++i)
            if (box.hi[i] - box.lo[i] > box.hi[axis] - box.lo[axis])
                axis = i;
        std::uint64_t running = 0;
        int cut = box.lo[axis];
        for (int at = box.lo[axis]; at < box.hi[axis]; ++at) {
            running += sliceCount(box, axis, at, hist);
            cut = at;
            if (running * 2 >= box.count)
                break;
        }
        Box first = box, second = box;
        first.hi[axis] = cut;
        second.lo[axis] = cut + 1;
        shrink(first, hist);
        shrink(second, hist);
        boxes[chosen] = first;
        boxes.push_back(second);
    }

    palette.clear();
    for (const Box &b : boxes)
        palette.push_back(meanColour(b, hist));
}

void ColourQuantiser::mapToPalette(const Picture24 &picture, const std::vector<std::uint32_t> &palette,
                                   std::vector<std::uint8_t> &indices) const
{
    const int w = picture.width();
    const int h = picture.height();
    indices.assign(static_cast<std::size_t>(w) * h, 0);

    // Nearest entry per 18-bit colour cell, found on first use.
    std::vector<std::int16_t> cache(std::size_t(1) << (3 * kMapBits), -1);
    constexpr int kShift = 8 - kMapBits;
    auto lookup = [&](int r, int g, int b) -> int {
        const std::size_t key = (std::size_t(r >> kShift) << (2 * kMapBits)) |
                                (std::size_t(g >> kShift) << kMapBits) | std::size_t(b >> kShift);
        std::int16_t &entry = cache[key];
        if (entry < 0) {
            constexpr int half = (1 << kShift) / 2;
            entry = static_cast<std::int16_t>(nearest(palette, (r >> kShift << kShift) + half,
                                                      (g >> kShift << kShift) + half,
                                                      (b >> kShift << kShift) + half));
        }
        return entry;
    };

    if (!m_dithering) {
        for (int y = 0; y < h; ++y) {
            const std::uint8_t *p = picture.scanLine(y);
            std::uint8_t *out = indices.data() + static_cast<std::size_t>(y) * w;
            for (int x = 0; x < w; ++x, p += 3)
                out[x] = static_cast<std::uint8_t>(lookup(p[2], p[1], p[0]));
        }
        return;
    }

    // Floyd-Steinberg, errors kept in sixteenths; one guard cell each side.
    std::vector<int> current(static_cast<std::size_t>(w + 2) * 3, 0);
    std::vector<int> next(current.size(), 0);
    for (int y = 0; y < h; ++y) {
        std::fill(next.begin(), next.end(), 0);
        const std::uint8_t *p = picture.scanLine(y);
        std::uint8_t *out = indices.data() + static_cast<std::size_t>(y) * w;
        for (int x = 0; x < w; ++x, p += 3) {
            int c[3];
            const int source[3] = {p[2], p[1], p[0]};
            for (int i = 0; i < 3; ++i)
                c[i] = std::clamp(source[i] + current[(x + 1) * 3 + i] / 16, 0, 255);
            const int index = lookup(c[0], c[1], c[2]);
            out[x] = static_cast<std::uint8_t>(index);
            const std::uint32_t chosen = palette[index];
            const int got[3] = {int((chosen >> 16) & 0xFF), int((chosen >> 8) & 0xFF), int(chosen & 0xFF)};
            for (int i = 0; i < 3; ++i) {
                const int e = c[i] - got[i];
                current[(x + 2) * 3 + i] += e * 7;
                next[x * 3 + i] += e * 3;
                next[(x + 1) * 3 + i] += e * 5;
                next[(x + 2) * 3 + i] += e;
            }
        }
        current.swap(next);
    }
}
