#include "HairCutout.h"

#include <algorithm>
#include <cmath>

namespace {

// Box average by a whole factor: cheap, and every source pixel counts once.
Picture24 shrinkBy(const Picture24 &source, int factor)
{
    if (factor <= 1)
        return source;
    const int w = source.width() / factor, h = source.height() / factor;
    Picture24 out(std::max(1, w), std::max(1, h));
    std::vector<std::uint32_t> sums(static_cast<std::size_t>(out.width()) * 3);
    const std::uint32_t area = static_cast<std::uint32_t>(factor * factor);
    for (int y = 0; y < out.height(); ++y) {
        std::fill(sums.begin(), sums.end(), 0u);
        for (int dy = 0; dy < factor; ++dy) {
            const std::uint8_t *src = source.scanLine(std::min(source.height() - 1, y * factor + dy));
            for (int x = 0; x < out.width(); ++x) {
                const std::uint8_t *p = src + 3 * x * factor;
                for (int dx = 0; dx < factor; ++dx, p += 3) {
                    sums[3 * x] += p[0];
                    sums[3 * x + 1] += p[1];
                    sums[3 * x + 2] += p[2];
                }
            }
        }
        std::uint8_t *dst = out.scanLine(y);
        for (std::size_t i = 0; i < sums.size(); ++i)
            dst[i] = static_cast<std::uint8_t>((sums[i] + area / 2) / area);
    }
    return out;
}

std::vector<std::uint8_t> shrinkPlane(const std::vector<std::uint8_t> &plane, int width, int height,
                                      int factor)
{
    const int w = std::max(1, width / factor), h = std::max(1, height / factor);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(w) * h);
    const int area = factor * factor;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int sum = 0;
            for (int dy = 0; dy < factor; ++dy) {
                const std::uint8_t *row =
                    plane.data() + static_cast<std::size_t>(std::min(height - 1, y * factor + dy)) * width;
                for (int dx = 0; dx < factor; ++dx)
                    sum += row[std::min(width - 1, x * factor + dx)];
            }
            out[static_cast<std::size_t>(y) * w + x] = static_cast<std::uint8_t>((sum + area / 2) / area);
        }
    return out;
}

int distanceSquared(const std::uint8_t *p, const std::uint8_t *q)
{
    const int b = p[0] - q[0], g = p[1] - q[1], r = p[2] - q[2];
    return b * b + g * g + r * r;
}

// One source span of an output pixel along an axis: first index and weights.
struct Span
{
    int first = 0;
    std::vector<float> weights;
};

std::vector<Span> spansFor(int outSize, int margin, int origin, double scale, int limit)
{
    std::vector<Span> spans(static_cast<std::size_t>(outSize));
    for (int o = 0; o < outSize; ++o) {
        const double a = origin + (o - margin) / scale;
        const double b = a + 1 / scale;
        Span &span = spans[static_cast<std::size_t>(o)];
        span.first = static_cast<int>(std::floor(a));
        for (int i = span.first; i < b; ++i) {
            const double w = std::min<double>(b, i + 1) - std::max<double>(a, i);
            // Outside the working copy is background: weight 0 but counted
            // in the area through the caller's fixed area.
            span.weights.push_back(i >= 0 && i < limit && w > 0 ? static_cast<float>(w) : 0.f);
        }
    }
    return spans;
}

} // namespace

void HairCutout::setSource(const Picture24 &onBlack, const Picture24 *onWhite)
{
    m_alpha.clear();
    m_previewAlpha.clear();
    m_transparent = false;
    if (onBlack.isNull()) {
        m_work = Picture24();
        m_preview = Picture24();
        return;
    }
    const int factor = (onBlack.height() + kWorkHeight - 1) / kWorkHeight;
    m_work = shrinkBy(onBlack, factor);
    m_workScale = double(m_work.height()) / onBlack.height();
    if (onWhite && !onWhite->isNull() && onWhite->width() == onBlack.width() &&
        onWhite->height() == onBlack.height()) {
        const Picture24 white = shrinkBy(*onWhite, factor);
        std::vector<std::uint8_t> alpha(static_cast<std::size_t>(m_work.width()) * m_work.height());
        for (int y = 0; y < m_work.height(); ++y) {
            std::uint8_t *b = m_work.scanLine(y);
            const std::uint8_t *w = white.scanLine(y);
            for (int x = 0; x < m_work.width(); ++x, b += 3, w += 3) {
                // Over black a pixel shows a*c, over white a*c + (1-a)*255.
                const int gap = (w[0] - b[0]) + (w[1] - b[1]) + (w[2] - b[2]);
                const int a = std::clamp(255 - (gap + 1) / 3, 0, 255);
                alpha[static_cast<std::size_t>(y) * m_work.width() + x] = static_cast<std::uint8_t>(a);
                if (a < 255)
                    m_transparent = true;
                for (int c = 0; c < 3; ++c)
                    b[c] = a == 0 ? 0 : static_cast<std::uint8_t>(std::min(255, (b[c] * 255 + a / 2) / a));
            }
        }
        if (m_transparent)
            m_alpha.swap(alpha);
    }
    // The backdrop: the per-channel median of the border.
    std::vector<int> channel[3];
    const auto take = [&](int x, int y) {
        const std::uint8_t *p = m_work.scanLine(y) + 3 * x;
        for (int c = 0; c < 3; ++c)
            channel[c].push_back(p[c]);
    };
    for (int x = 0; x < m_work.width(); ++x) {
        take(x, 0);
        take(x, m_work.height() - 1);
    }
    for (int y = 1; y + 1 < m_work.height(); ++y) {
        take(0, y);
        take(m_work.width() - 1, y);
    }
    std::uint32_t rgb[3];
    for (int c = 0; c < 3; ++c) {
        auto mid = channel[c].begin() + std::ptrdiff_t(channel[c].size() / 2);
        std::nth_element(channel[c].begin(), mid, channel[c].end());
        rgb[c] = static_cast<std::uint32_t>(*mid);
    }
    m_backdrop = (rgb[2] << 16) | (rgb[1] << 8) | rgb[0];

    const int longest = std::max(m_work.width(), m_work.height());
    const int previewFactor = (longest + kPreviewSide - 1) / kPreviewSide;
    m_preview = shrinkBy(m_work, previewFactor);
    m_previewAlpha.clear();
    if (m_transparent)
        m_previewAlpha = shrinkPlane(m_alpha, m_work.width(), m_work.height(), previewFactor);
}

std::vector<std::uint8_t> HairCutout::mask(int tolerance) const
{
    return cut(m_work, m_alpha, tolerance);
}

std::vector<std::uint8_t> HairCutout::previewMask(int tolerance) const
{
    return cut(m_preview, m_previewAlpha, tolerance);
}

std::vector<std::uint8_t> HairCutout::cut(const Picture24 &picture, const std::vector<std::uint8_t> &alpha,
                                          int tolerance) const
{
    const int w = picture.width(), h = picture.height();
    std::vector<std::uint8_t> out(static_cast<std::size_t>(w) * h, 1);
    if (picture.isNull())
        return out;
    if (m_transparent) {
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = alpha[i] >= 128 ? 1 : 0;
    } else {
        const int t = std::clamp(tolerance, 0, kMaxTolerance);
        const int limit = t * t;
        const std::uint8_t ref[3] = {std::uint8_t(m_backdrop), std::uint8_t(m_backdrop >> 8),
                                     std::uint8_t(m_backdrop >> 16)};
        std::vector<int> stack;
        stack.reserve(static_cast<std::size_t>(2 * (w + h)));
        const auto visit = [&](int x, int y) {
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            if (out[i] && distanceSquared(picture.scanLine(y) + 3 * x, ref) <= limit) {
                out[i] = 0;
                stack.push_back(static_cast<int>(i));
            }
        };
        for (int x = 0; x < w; ++x) {
            visit(x, 0);
            visit(x, h - 1);
        }
        for (int y = 0; y < h; ++y) {
            visit(0, y);
            visit(w - 1, y);
        }
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            const int x = i % w, y = i / w;
            if (x > 0)
                visit(x - 1, y);
            if (x + 1 < w)
                visit(x + 1, y);
            if (y > 0)
                visit(x, y - 1);
            if (y + 1 < h)
                visit(x, y + 1);
        }
        // Pockets of the backdrop itself seen through the hair (between
        // strands, a lock curled round) are background too; anything
        // merely near the backdrop's colour that the hair encloses stays.
        const int pocket = (t / 2) * (t / 2);
        for (int y = 0; y < h; ++y) {
            const std::uint8_t *row = picture.scanLine(y);
            for (int x = 0; x < w; ++x)
                if (distanceSquared(row + 3 * x, ref) <= pocket)
                    out[static_cast<std::size_t>(y) * w + x] = 0;
        }
    }
    removeSpecks(out, w, h, 16);
    return out;
}

void HairCutout::removeSpecks(std::vector<std::uint8_t> &mask, int width, int height, int minPixels)
{
    std::vector<int> label(mask.size(), -1);
    std::vector<int> sizes;
    std::vector<int> stack;
    for (std::size_t start = 0; start < mask.size(); ++start) {
        if (!mask[start] || label[start] >= 0)
            continue;
        const int id = static_cast<int>(sizes.size());
        int size = 0;
        label[start] = id;
        stack.push_back(static_cast<int>(start));
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            ++size;
            const int x = i % width, y = i / width;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= width || ny >= height)
                        continue;
                    const std::size_t n = static_cast<std::size_t>(ny) * width + nx;
                    if (mask[n] && label[n] < 0) {
                        label[n] = id;
                        stack.push_back(static_cast<int>(n));
                    }
                }
        }
        sizes.push_back(size);
    }
    if (sizes.empty())
        return;
    const int largest = *std::max_element(sizes.begin(), sizes.end());
    const int keep = std::min(largest, std::max(minPixels, largest / 1000));
    for (std::size_t i = 0; i < mask.size(); ++i)
        if (label[i] >= 0 && sizes[static_cast<std::size_t>(label[i])] < keep)
            mask[i] = 0;
}

void HairCutout::hardenEdge(Picture24 &picture, const std::vector<std::uint8_t> &mask, int depth)
{
    const int w = picture.width(), h = picture.height();
    const auto hair = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && mask[static_cast<std::size_t>(y) * w + x];
    };
    // Layer 1 is hair beside background (4-connected), layer 2 beside layer
    // 1, and so on; 0 is the hair's inside.
    std::vector<std::uint8_t> layer(mask.size(), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (hair(x, y) && !(hair(x - 1, y) && hair(x + 1, y) && hair(x, y - 1) && hair(x, y + 1)))
                layer[static_cast<std::size_t>(y) * w + x] = 1;
    const auto at = [&](int x, int y) { return layer[static_cast<std::size_t>(y) * w + x]; };
    for (int l = 2; l <= depth; ++l)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (hair(x, y) && at(x, y) == 0 &&
                    ((x > 0 && at(x - 1, y) == l - 1) || (x + 1 < w && at(x + 1, y) == l - 1) ||
                     (y > 0 && at(x, y - 1) == l - 1) || (y + 1 < h && at(x, y + 1) == l - 1)))
                    layer[static_cast<std::size_t>(y) * w + x] = static_cast<std::uint8_t>(l);
    // From the inside out, each layer takes the mean of its deeper neighbours,
    // so a blend with the old backdrop two pixels deep is replaced too.
    for (int l = depth; l >= 1; --l) {
        const Picture24 before = picture;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (!hair(x, y) || at(x, y) != l)
                    continue;
                int sum[3] = {0, 0, 0}, n = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (!hair(nx, ny) || (at(nx, ny) != 0 && at(nx, ny) <= l))
                            continue;
                        const std::uint8_t *p = before.scanLine(ny) + 3 * nx;
                        for (int c = 0; c < 3; ++c)
                            sum[c] += p[c];
                        ++n;
                    }
                if (n == 0)
                    continue; // a thin strand: nothing deeper to borrow from
                std::uint8_t *p = picture.scanLine(y) + 3 * x;
                for (int c = 0; c < 3; ++c)
                    p[c] = static_cast<std::uint8_t>((sum[c] + n / 2) / n);
            }
    }
}

CutHair HairCutout::finish(const std::vector<std::uint8_t> &mask) const
{
    CutHair cut;
    const int w = m_work.width(), h = m_work.height();
    if (m_work.isNull() || mask.size() != static_cast<std::size_t>(w) * h)
        return cut;
    int left = w, top = h, right = -1, bottom = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (mask[static_cast<std::size_t>(y) * w + x]) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0)
        return cut;
    const int bw = right - left + 1, bh = bottom - top + 1;
    const double scale = std::min(1.0, double(kMaxHeight - 2 * kMargin) / bh);
    const int ow = static_cast<int>(std::ceil(bw * scale)) + 2 * kMargin;
    const int oh = static_cast<int>(std::ceil(bh * scale)) + 2 * kMargin;
    cut.picture.reset(ow, oh);
    cut.mask.assign(static_cast<std::size_t>(ow) * oh, 0);
    cut.scale = m_workScale * scale;
    cut.offsetX = kMargin - left * scale;
    cut.offsetY = kMargin - top * scale;

    // The rim is hardened before scaling as well as after: a soft or
    // resampled edge of a photo is several source pixels wide, and the
    // area average would otherwise carry its backdrop tint inwards.
    Picture24 hardened = m_work;
    hardenEdge(hardened, mask, 2);

    const std::vector<Span> xs = spansFor(ow, kMargin, left, scale, w);
    const std::vector<Span> ys = spansFor(oh, kMargin, top, scale, h);
    const double area = 1 / (scale * scale);
    for (int oy = kMargin; oy < oh - kMargin; ++oy) {
        const Span &sy = ys[static_cast<std::size_t>(oy)];
        std::uint8_t *dst = cut.picture.scanLine(oy);
        for (int ox = kMargin; ox < ow - kMargin; ++ox) {
            const Span &sx = xs[static_cast<std::size_t>(ox)];
            double wm = 0, sum[3] = {0, 0, 0};
            for (std::size_t j = 0; j < sy.weights.size(); ++j) {
                const float wy = sy.weights[j];
                if (wy == 0.f)
                    continue;
                const int y = sy.first + static_cast<int>(j);
                const std::uint8_t *row = hardened.scanLine(y);
                const std::uint8_t *mrow = mask.data() + static_cast<std::size_t>(y) * w;
                for (std::size_t i = 0; i < sx.weights.size(); ++i) {
                    const int x = sx.first + static_cast<int>(i);
                    const float wgt = wy * sx.weights[i];
                    if (wgt == 0.f || !mrow[x])
                        continue;
                    // Only hair pixels lend colour: no backdrop is blended in.
                    const std::uint8_t *p = row + 3 * x;
                    wm += wgt;
                    sum[0] += wgt * p[0];
                    sum[1] += wgt * p[1];
                    sum[2] += wgt * p[2];
                }
            }
            if (wm * 2 < area)
                continue;
            cut.mask[static_cast<std::size_t>(oy) * ow + ox] = 1;
            std::uint8_t *p = dst + 3 * ox;
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<std::uint8_t>(std::clamp(std::lround(sum[c] / wm), 0L, 255L));
        }
    }
    removeSpecks(cut.mask, ow, oh, 4);
    bool any = false;
    for (int y = 0; y < oh; ++y)
        for (int x = 0; x < ow; ++x) {
            if (cut.hairAt(x, y))
                any = true;
            else
                cut.picture.setPixel(x, y, 0);
        }
    if (!any)
        return CutHair();
    hardenEdge(cut.picture, cut.mask, 2);
    return cut;
}

Picture24 HairCutout::Preview(const Picture24 &work, const std::vector<std::uint8_t> &mask, int maxWidth,
                              int maxHeight)
{
    if (work.isNull() || maxWidth <= 0 || maxHeight <= 0 ||
        mask.size() != static_cast<std::size_t>(work.width()) * work.height())
        return {};
    const double s = std::min({1.0, double(maxWidth) / work.width(), double(maxHeight) / work.height()});
    const int w = std::max(1, static_cast<int>(work.width() * s)),
              h = std::max(1, static_cast<int>(work.height() * s));
    Picture24 out(w, h);
    std::vector<int> columns(static_cast<std::size_t>(w));
    for (int x = 0; x < w; ++x)
        columns[static_cast<std::size_t>(x)] = std::min(work.width() - 1, static_cast<int>((x + 0.5) / s));
    for (int y = 0; y < h; ++y) {
        const int sy = std::min(work.height() - 1, static_cast<int>((y + 0.5) / s));
        const std::uint8_t *src = work.scanLine(sy);
        const std::uint8_t *m = mask.data() + static_cast<std::size_t>(sy) * work.width();
        std::uint8_t *dst = out.scanLine(y);
        for (int x = 0; x < w; ++x, dst += 3) {
            const int sx = columns[static_cast<std::size_t>(x)];
            if (m[sx]) {
                const std::uint8_t *p = src + 3 * sx;
                dst[0] = p[0];
                dst[1] = p[1];
                dst[2] = p[2];
            } else {
                const std::uint8_t grey = ((x / 8 + y / 8) & 1) ? 0xC8 : 0xF0;
                dst[0] = dst[1] = dst[2] = grey;
            }
        }
    }
    return out;
}
