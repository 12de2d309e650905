#include "HairSoftEdge.h"

#include "ParallelRows.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

struct Tap
{
    int first = 0;             // first source index
    std::vector<float> weight; // normalised weights from `first` on
};

// One output index's source taps: a tent as wide as the reduction, never
// narrower than one source pixel, cut at the picture's ends and normalised
// again so the border keeps its level.
std::vector<Tap> tapsFor(int srcSize, int dstSize, int first, int count)
{
    std::vector<Tap> taps(static_cast<std::size_t>(count));
    const double scale = double(srcSize) / dstSize;
    const double radius = std::max(1.0, scale);
    for (int i = first; i < first + count; ++i) {
        const double centre = (i + 0.5) * scale - 0.5;
        int lo = int(std::ceil(centre - radius));
        int hi = int(std::floor(centre + radius));
        lo = std::max(lo, 0);
        hi = std::min(hi, srcSize - 1);
        Tap &t = taps[static_cast<std::size_t>(i - first)];
        double sum = 0;
        std::vector<double> w;
        for (int j = lo; j <= hi; ++j) {
            const double v = std::max(0.0, 1.0 - std::abs(j - centre) / radius);
            w.push_back(v);
            sum += v;
        }
        if (sum <= 0) { // only when the centre lies beyond the last pixel
            const int j = std::clamp(int(std::lround(centre)), 0, srcSize - 1);
            t.first = j;
            t.weight = {1.0f};
            continue;
        }
        // Zero weights at the ends are dropped to keep the loops short.
        std::size_t a = 0, b = w.size();
        while (a < b && w[a] == 0)
            ++a;
        while (b > a && w[b - 1] == 0)
            --b;
        t.first = lo + int(a);
        for (std::size_t k = a; k < b; ++k)
            t.weight.push_back(float(w[k] / sum));
    }
    return taps;
}

inline std::uint32_t rgbAt(const std::uint8_t *p)
{
    return (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
}

inline std::uint32_t toByte(float v)
{
    // Clamped before the conversion, without branches, so loops vectorise.
    return std::uint32_t(std::min(std::max(v + 0.5f, 0.0f), 255.0f));
}

} // namespace

void HairSoftEdge::HardCache(const Picture24 &hair, std::uint32_t key, std::uint32_t *out, int outStride)
{
    const int w = hair.width();
    for (int y = 0; y < hair.height(); ++y) {
        const std::uint8_t *src = hair.scanLine(y);
        std::uint32_t *dst = out + std::size_t(y) * outStride;
        for (int x = 0; x < w; ++x) {
            const std::uint32_t rgb = rgbAt(src + 3 * x);
            dst[x] = rgb == key ? 0u : (0xFF000000u | rgb);
        }
    }
}

void HairSoftEdge::SoftCache(const Picture24 &hair, std::uint32_t key, std::uint32_t *out, int outStride)
{
    const int w = hair.width();
    const int h = hair.height();
    if (w <= 0 || h <= 0)
        return;
    HardCache(hair, key, out, outStride);
    // Only pixels with a neighbour of the other kind change; the rows above
    // and below are read from the hard form, so work on a copy of three rows.
    std::vector<std::uint32_t> rows(std::size_t(3) * w);
    auto copyRow = [&](int y, int slot) {
        const int yy = std::clamp(y, 0, h - 1);
        std::copy_n(out + std::size_t(yy) * outStride, w, rows.begin() + std::ptrdiff_t(slot) * w);
    };
    copyRow(-1, 0);
    copyRow(0, 1);
    static constexpr int k[3] = {1, 2, 1};
    for (int y = 0; y < h; ++y) {
        copyRow(y + 1, 2);
        const std::uint32_t *r[3] = {rows.data(), rows.data() + w, rows.data() + 2 * std::size_t(w)};
        std::uint32_t *dst = out + std::size_t(y) * outStride;
        for (int x = 0; x < w; ++x) {
            const bool hairHere = r[1][x] != 0;
            const int xl = x > 0 ? x - 1 : 0;
            const int xr = x + 1 < w ? x + 1 : w - 1;
            const int xs[3] = {xl, x, xr};
            bool edge = false;
            for (int j = 0; j < 3 && !edge; ++j)
                for (int i = 0; i < 3; ++i)
                    if ((r[j][xs[i]] != 0) != hairHere) {
                        edge = true;
                        break;
                    }
            if (!edge)
                continue;
            int cover = 0, sr = 0, sg = 0, sb = 0;
            for (int j = 0; j < 3; ++j)
                for (int i = 0; i < 3; ++i) {
                    const std::uint32_t v = r[j][xs[i]];
                    if (!v)
                        continue;
                    const int wt = k[j] * k[i];
                    cover += wt;
                    sr += wt * int((v >> 16) & 0xFF);
                    sg += wt * int((v >> 8) & 0xFF);
                    sb += wt * int(v & 0xFF);
                }
            // A hair pixel keeps its own colour; a feathered background pixel
            // takes the hair's around it, never the key.
            std::uint32_t cr, cg, cb;
            if (hairHere) {
                cr = (r[1][x] >> 16) & 0xFF;
                cg = (r[1][x] >> 8) & 0xFF;
                cb = r[1][x] & 0xFF;
            } else {
                cr = std::uint32_t((sr + cover / 2) / cover);
                cg = std::uint32_t((sg + cover / 2) / cover);
                cb = std::uint32_t((sb + cover / 2) / cover);
            }
            const std::uint32_t a = std::uint32_t((cover * 255 + 8) / 16);
            dst[x] = (a << 24) | (((cr * a + 127) / 255) << 16) | (((cg * a + 127) / 255) << 8) |
                     ((cb * a + 127) / 255);
        }
        std::copy_n(rows.begin() + w, std::size_t(2) * w, rows.begin());
    }
}

std::vector<std::uint32_t> HairSoftEdge::Resample(const std::uint32_t *src, int srcWidth, int srcHeight,
                                                  int width, int height)
{
    return ResampleWindow(src, srcWidth, srcHeight, width, height, 0, 0, width, height);
}

std::vector<std::uint32_t> HairSoftEdge::ResampleWindow(const std::uint32_t *src, int srcWidth, int srcHeight,
                                                        int width, int height, int left, int top,
                                                        int windowWidth, int windowHeight)
{
    std::vector<std::uint32_t> out;
    if (srcWidth <= 0 || srcHeight <= 0 || width <= 0 || height <= 0 || left < 0 || top < 0 ||
        windowWidth <= 0 || windowHeight <= 0 || left + windowWidth > width || top + windowHeight > height)
        return out;
    const int ww = windowWidth;
    out.resize(std::size_t(ww) * windowHeight);
    const std::vector<Tap> xt = tapsFor(srcWidth, width, left, ww);
    const std::vector<Tap> yt = tapsFor(srcHeight, height, top, windowHeight);
    // Only the source rows the window's taps reach go through the
    // horizontal pass (floats a, r, g, b); then the vertical pass.
    const int rowFirst = yt.front().first;
    const int rowEnd = yt.back().first + int(yt.back().weight.size());
    const int rows = rowEnd - rowFirst;
    // Every element is written by the first pass: no zeroing.
    const std::unique_ptr<float[]> mid(new float[std::size_t(rows) * ww * 4]);
    ParallelRows::run(rows, std::size_t(rows) * ww * 16, [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            const std::uint32_t *row = src + std::size_t(rowFirst + y) * srcWidth;
            float *m = mid.get() + std::size_t(y) * ww * 4;
            for (int x = 0; x < ww; ++x) {
                const Tap &t = xt[std::size_t(x)];
                float a = 0, r = 0, g = 0, b = 0;
                const std::uint32_t *p = row + t.first;
                for (std::size_t k = 0; k < t.weight.size(); ++k) {
                    const std::uint32_t v = p[k];
                    const float wt = t.weight[k];
                    a += wt * float(v >> 24);
                    r += wt * float((v >> 16) & 0xFF);
                    g += wt * float((v >> 8) & 0xFF);
                    b += wt * float(v & 0xFF);
                }
                m[4 * x] = a;
                m[4 * x + 1] = r;
                m[4 * x + 2] = g;
                m[4 * x + 3] = b;
            }
        }
    });
    ParallelRows::run(windowHeight, std::size_t(windowHeight) * ww * 16, [&](int begin, int end) {
        std::vector<float> acc(std::size_t(ww) * 4);
        for (int y = begin; y < end; ++y) {
            const Tap &t = yt[std::size_t(y)];
            std::fill(acc.begin(), acc.end(), 0.0f);
            for (std::size_t k = 0; k < t.weight.size(); ++k) {
                const float wt = t.weight[k];
                const float *m = mid.get() + std::size_t(t.first - rowFirst + int(k)) * ww * 4;
                for (int i = 0; i < ww * 4; ++i)
                    acc[std::size_t(i)] += wt * m[i];
            }
            std::uint32_t *dst = out.data() + std::size_t(y) * ww;
            for (int x = 0; x < ww; ++x) {
                const std::uint32_t a = toByte(acc[4 * std::size_t(x)]);
                // Premultiplied colour never exceeds its alpha.
                const std::uint32_t r = std::min(a, toByte(acc[4 * std::size_t(x) + 1]));
                const std::uint32_t g = std::min(a, toByte(acc[4 * std::size_t(x) + 2]));
                const std::uint32_t b = std::min(a, toByte(acc[4 * std::size_t(x) + 3]));
                dst[x] = (a << 24) | (r << 16) | (g << 8) | b;
            }
        }
    });
    return out;
}

Picture24 HairSoftEdge::SmoothResize(const Picture24 &hair, int width, int height)
{
    if (hair.isNull() || width <= 0 || height <= 0)
        return {};
    const std::uint32_t key = hair.pixel(0, hair.height() - 1);
    // From the feathered mask: its half-way line follows a diagonal more
    // closely than the stair of the hard one, so an enlarged outline does
    // not show the source pixels as scallops.
    std::vector<std::uint32_t> cache(std::size_t(hair.width()) * hair.height());
    SoftCache(hair, key, cache.data(), hair.width());
    const std::vector<std::uint32_t> scaled =
        Resample(cache.data(), hair.width(), hair.height(), width, height);
    Picture24 out(width, height);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t *src = scaled.data() + std::size_t(y) * width;
        std::uint8_t *dst = out.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = src[x];
            const std::uint32_t a = v >> 24;
            std::uint32_t rgb = key;
            if (a >= 128) {
                const float inv = 255.0f / float(a);
                const std::uint32_t r = toByte(float((v >> 16) & 0xFF) * inv);
                const std::uint32_t g = toByte(float((v >> 8) & 0xFF) * inv);
                const std::uint32_t b = toByte(float(v & 0xFF) * inv);
                rgb = (r << 16) | (g << 8) | b;
                if (rgb == key)
                    rgb = (rgb & 0xFFFF00u) | ((rgb & 0xFF) < 255 ? (rgb & 0xFF) + 1 : 254);
            }
            dst[3 * x] = std::uint8_t(rgb);
            dst[3 * x + 1] = std::uint8_t(rgb >> 8);
            dst[3 * x + 2] = std::uint8_t(rgb >> 16);
        }
    }
    // The bottom-left pixel names the key: it must stay background.
    out.setPixel(0, height - 1, key);
    return out;
}

void HairSoftEdge::Compose(Picture24 &photo, const Picture24 &hair, int x, int y, int width, int height)
{
    if (photo.isNull() || hair.isNull() || width <= 0 || height <= 0)
        return;
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min<long long>(photo.width(), (long long)x + width);
    const int y1 = std::min<long long>(photo.height(), (long long)y + height);
    if (x0 >= x1 || y0 >= y1)
        return;
    const std::uint32_t key = hair.pixel(0, hair.height() - 1);
    std::vector<std::uint32_t> cache(std::size_t(hair.width()) * hair.height());
    SoftCache(hair, key, cache.data(), hair.width());
    // Only the part inside the photo is resampled: a hair enlarged far past
    // the photo's edges costs no more than the photo.
    const int ww = x1 - x0;
    const std::vector<std::uint32_t> scaled =
        ResampleWindow(cache.data(), hair.width(), hair.height(), width, height, x0 - x, y0 - y, ww, y1 - y0);
    ParallelRows::run(y1 - y0, std::size_t(y1 - y0) * ww * 4, [&](int begin, int end) {
        for (int py = y0 + begin; py < y0 + end; ++py) {
            const std::uint32_t *src = scaled.data() + std::size_t(py - y0) * ww;
            std::uint8_t *dst = photo.scanLine(py);
            for (int px = x0; px < x1; ++px) {
                const std::uint32_t v = src[px - x0];
                const std::uint32_t a = v >> 24;
                if (a == 0)
                    continue;
                std::uint8_t *p = dst + 3 * px;
                const std::uint32_t inv = 255 - a;
                p[0] = std::uint8_t(std::min(255u, (v & 0xFF) + (p[0] * inv + 127) / 255));
                p[1] = std::uint8_t(std::min(255u, ((v >> 8) & 0xFF) + (p[1] * inv + 127) / 255));
                p[2] = std::uint8_t(std::min(255u, ((v >> 16) & 0xFF) + (p[2] * inv + 127) / 255));
            }
        }
    });
}

Picture24 HairSoftEdge::Reduce(const Picture24 &picture, int width, int height)
{
    if (picture.isNull() || width <= 0 || height <= 0)
        return {};
    if (width == picture.width() && height == picture.height())
        return picture;
    std::vector<std::uint32_t> opaque(std::size_t(picture.width()) * picture.height());
    HardCache(picture, 0x1000000u, opaque.data(), picture.width()); // no colour matches
    const std::vector<std::uint32_t> scaled =
        Resample(opaque.data(), picture.width(), picture.height(), width, height);
    Picture24 out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.setPixel(x, y, scaled[std::size_t(y) * width + x] & 0xFFFFFFu);
    return out;
}

Picture24 HairSoftEdge::SideBySide(const Picture24 &left, const Picture24 &right, int maxHeight)
{
    auto fitted = [maxHeight](const Picture24 &p) {
        if (p.isNull() || p.height() <= maxHeight)
            return p;
        const int w = std::max(1, int(std::lround(double(p.width()) * maxHeight / p.height())));
        return Reduce(p, w, maxHeight);
    };
    const Picture24 a = fitted(left);
    const Picture24 b = fitted(right);
    const int w = a.width() + b.width();
    const int h = std::max(a.height(), b.height());
    if (w <= 0 || h <= 0)
        return {};
    Picture24 out(w, h);
    out.fill(255, 255, 255);
    auto place = [&out, h](const Picture24 &p, int left) {
        const int top = (h - p.height()) / 2;
        for (int y = 0; y < p.height(); ++y)
            std::copy_n(p.scanLine(y), std::size_t(3) * p.width(), out.scanLine(top + y) + 3 * left);
    };
    place(a, 0);
    place(b, a.width());
    return out;
}
