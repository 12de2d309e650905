#include "HairRenderer.h"

#include "DistanceField.h"
#include "FlowField.h"
#include "PlaneBlur.h"
#include "Random.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr float kPi = 3.14159265358979f;

float smoothstep(float a, float b, float v)
{
    const float t = std::clamp((v - a) / (b - a), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// Accumulates strand values along the flow. Each strand is a 1-pixel line
// whose weight tapers towards both ends.
struct StrandCanvas
{
    int w, h;
    std::vector<float> value, weight, hue;
    StrandCanvas(int width, int height)
        : w(width), h(height), value(std::size_t(w) * h, 0.0f), weight(std::size_t(w) * h, 0.0f),
          hue(std::size_t(w) * h, 0.0f)
    {
    }
};

// Follows the flow from (x, y) for up to `length` pixels in direction `sign`,
// calling plot(x, y, distanceTravelled) for every step inside the mask. The
// field is smooth, so the nearest pixel's direction is enough.
template <typename Plot>
void trace(const FlowField &flow, const HairMask &mask, float x, float y, float length, float sign,
           float curl, Plot plot)
{
    // A slight, slowly swinging bend gives the strands a natural wave; the
    // swing is a rotating phasor rather than a sine per step.
    const float turnCos = 0.99755f, turnSin = 0.06994f; // 0.07 rad a step
    float waveSin = 0.0f, waveCos = 1.0f;
    float px = 0, py = 0;
    bool first = true;
    for (float t = 0; t < length; t += 1.0f) {
        if (x < -0.5f || y < -0.5f)
            return;
        // Never negative here, so adding a half rounds; lround would cost a
        // library call on every step of every strand.
        const int ix = int(x + 0.5f); // NOLINT(bugprone-incorrect-roundings)
        const int iy = int(y + 0.5f); // NOLINT(bugprone-incorrect-roundings)
        if (!mask.at(ix, iy))
            return;
        plot(ix, iy, t);
        float dx, dy;
        flow.at(ix, iy, dx, dy);
        dx *= sign;
        dy *= sign;
        const float c = curl * waveSin;
        const float ws = waveSin * turnCos + waveCos * turnSin;
        waveCos = waveCos * turnCos - waveSin * turnSin;
        waveSin = ws;
        float rx = dx - c * dy;
        float ry = dy + c * dx;
        if (!first && rx * px + ry * py < 0) {
            // Never turn back on itself where the field flips.
            rx = -rx;
            ry = -ry;
        }
        px = rx;
        py = ry;
        first = false;
        x += rx;
        y += ry;
    }
}

} // namespace

void HairRenderer::guard(float &red, float &green, float &blue)
{
    red = std::clamp(red, 0.0f, kMaxChannel);
    green = std::clamp(green, 0.0f, kMaxChannel);
    blue = std::clamp(blue, 0.0f, kMaxChannel);
    const float y = 0.299f * red + 0.587f * green + 0.114f * blue;
    if (y > kMaxLuminance) {
        const float f = kMaxLuminance / y;
        red *= f;
        green *= f;
        blue *= f;
    }
}

void HairRenderer::findCrown(const HairMask &mask, float &x, float &y)
{
    int left, top, right, bottom;
    if (!mask.bounds(left, top, right, bottom)) {
        x = float(mask.width()) / 2;
        y = 0;
        return;
    }
    const int band = std::max(1, (bottom - top + 1) / 6);
    double sum = 0;
    int n = 0;
    for (int yy = top; yy < top + band; ++yy)
        for (int xx = left; xx <= right; ++xx)
            if (mask.at(xx, yy)) {
                sum += xx;
                ++n;
            }
    x = n ? float(sum / n) : float(left + right) / 2;
    // At the very top: strands then spread sideways over the head and fall
    // from the hairline instead of meeting in a visible star inside the hair.
    y = float(top) + 0.02f * float(bottom - top + 1);
}

RgbPicture HairRenderer::render(const HairMask &mask, const HairColour &base, std::uint32_t key,
                                HairMask *painted) const
{
    if (painted)
        *painted = mask;
    const int w = mask.width();
    const int h = mask.height();
    RgbPicture out(w, h);
    const std::uint8_t kr = std::uint8_t(key >> 16), kg = std::uint8_t(key >> 8), kb = std::uint8_t(key);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t *p = out.pixel(x, y);
            p[0] = kr;
            p[1] = kg;
            p[2] = kb;
        }
    int left, top, right, bottom;
    if (!mask.bounds(left, top, right, bottom))
        return out;
    const float headW = float(right - left + 1);
    const float headH = float(bottom - top + 1);
    const float scale = std::max(0.5f, headH / 400.0f);

    float cx, cy;
    findCrown(mask, cx, cy);
    const DistanceField distance(mask);
    const FlowField flow(mask, distance, cx, cy);
    Random rng(m_seed);

    // Strands: a dense layer that gives the fine texture, averaged per pixel.
    StrandCanvas canvas(w, h);
    const int area = mask.hairCount();
    const float meanLength = 55.0f * scale;
    const int strands = int(float(area) * 12.0f / meanLength);
    for (int i = 0; i < strands; ++i) {
        int sx, sy;
        do {
            sx = left + rng.below(right - left + 1);
            sy = top + rng.below(bottom - top + 1);
        } while (!mask.at(sx, sy));
        const float value = float(rng.gaussian());
        const float hue = float(rng.gaussian());
        const float length = meanLength * float(rng.uniform(0.4, 1.6));
        const float ahead = length * float(rng.uniform(0.2, 0.8));
        const float curl = float(rng.uniform(-0.06, 0.06));
        const auto plot = [&](float along) {
            return [&, along](int x, int y, float t) {
                const float pos = (along > 0 ? (length - ahead) + t : (length - ahead) - t) / length;
                const float q = std::clamp(pos, 0.0f, 1.0f);
                const float wgt = 0.15f + 4.0f * q * (1.0f - q);
                const std::size_t k = std::size_t(y) * w + x;
                canvas.value[k] += wgt * value;
                canvas.weight[k] += wgt;
                canvas.hue[k] += wgt * hue;
            };
        };
        trace(flow, mask, float(sx), float(sy), ahead, 1.0f, curl, plot(1.0f));
        trace(flow, mask, float(sx), float(sy), length - ahead, -1.0f, -curl, plot(-1.0f));
    }
    std::vector<float> strand(std::size_t(w) * h, 0.0f), hueShift(std::size_t(w) * h, 0.0f);
    double sum = 0, sum2 = 0;
    int counted = 0;
    for (std::size_t k = 0; k < strand.size(); ++k)
        if (canvas.weight[k] > 0) {
            strand[k] = canvas.value[k] / canvas.weight[k];
            hueShift[k] = canvas.hue[k] / canvas.weight[k];
            sum += strand[k];
            sum2 += double(strand[k]) * strand[k];
            ++counted;
        }
    const float mean = counted ? float(sum / counted) : 0.0f;
    const float dev = counted ? float(std::sqrt(std::max(1e-9, sum2 / counted - double(mean) * mean))) : 1.0f;
    for (float &v : strand)
        v = (v - mean) / dev;

    // Distinct strands on top: single dark gaps and light fibres that the eye
    // reads as hair even where the dense layer averages out.
    std::vector<float> detail(std::size_t(w) * h, 0.0f);
    const int fibres = int(float(area) / (38.0f * scale));
    for (int i = 0; i < fibres; ++i) {
        int sx, sy;
        do {
            sx = left + rng.below(right - left + 1);
            sy = top + rng.below(bottom - top + 1);
        } while (!mask.at(sx, sy));
        const float value = rng.uniform() < 0.6 ? -1.0f : 0.8f;
        const float strength = float(rng.uniform(0.35, 0.8));
        const float length = meanLength * float(rng.uniform(0.6, 2.0));
        const float ahead = length * float(rng.uniform(0.3, 0.7));
        const float curl = float(rng.uniform(-0.05, 0.05));
        const auto plot = [&](float along) {
            return [&, along](int x, int y, float t) {
                const float pos = (along > 0 ? (length - ahead) + t : (length - ahead) - t) / length;
                const float q = std::clamp(pos, 0.0f, 1.0f);
                const float a = strength * 4.0f * q * (1.0f - q);
                float &d = detail[std::size_t(y) * w + x];
                d = d * (1 - a) + value * a;
            };
        };
        trace(flow, mask, float(sx), float(sy), ahead, 1.0f, curl, plot(1.0f));
        trace(flow, mask, float(sx), float(sy), length - ahead, -1.0f, -curl, plot(-1.0f));
    }

    // Rounded locks: the distance field as a height, lit from the upper left.
    const float dome = 16.0f * scale;
    std::vector<float> height(std::size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            height[std::size_t(y) * w + x] = dome * (1.0f - std::exp(-distance.at(x, y) / dome));
    PlaneBlur::box(height, w, h, 2);
    PlaneBlur::box(height, w, h, 2);
    float lx = -0.30f, ly = -0.70f, lz = 0.65f;
    {
        const float l = std::sqrt(lx * lx + ly * ly + lz * lz);
        lx /= l;
        ly /= l;
        lz /= l;
    }
    const auto hgt = [&](int x, int y) {
        x = std::clamp(x, 0, w - 1);
        y = std::clamp(y, 0, h - 1);
        return height[std::size_t(y) * w + x];
    };

    const float baseLuma = base.luminance();
    const float shadowK = 0.30f;
    const float lightK = 0.26f + 0.24f * (baseLuma / 255.0f);
    const float lightR = base.red + (255.0f - base.red) * lightK;
    const float lightG = base.green + (255.0f - base.green) * lightK;
    const float lightB = base.blue + (255.0f - base.blue) * (lightK * 0.7f);
    const float phase = float(rng.uniform(0.0, 2.0 * kPi));
    const float tipDepth = 8.0f * scale;

    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!mask.at(x, y))
                continue;
            const std::size_t k = std::size_t(y) * w + x;
            const float d = distance.at(x, y);
            if (d<tipDepth &&float(y)> cy + 0.12f * headH) {
                // Tips: where the strands run out through the outline they end
                // at different lengths, which frays the cartoon point into a
                // comb of strand ends. Pixels are dropped whole, so the edge
                // against the background stays hard.
                const float gx = distance.at(std::min(x + 1, w - 1), y) - distance.at(std::max(x - 1, 0), y);
                const float gy = distance.at(x, std::min(y + 1, h - 1)) - distance.at(x, std::max(y - 1, 0));
                const float g = std::sqrt(gx * gx + gy * gy);
                float fx, fy;
                flow.at(x, y, fx, fy);
                const float out = g > 1e-4f ? -(fx * gx + fy * gy) / g : 0.0f;
                if (out > 0.6f) {
                    const float reach =
                        tipDepth * (out - 0.6f) / 0.4f * std::clamp(0.45f + 0.45f * strand[k], 0.0f, 1.0f);
                    if (d < reach) {
                        if (painted)
                            painted->set(x, y, false);
                        continue;
                    }
                }
            }
            const float nx = -(hgt(x + 1, y) - hgt(x - 1, y)) * 0.9f;
            const float ny = -(hgt(x, y + 1) - hgt(x, y - 1)) * 0.9f;
            const float nl = std::sqrt(nx * nx + ny * ny + 1.0f);
            const float diffuse = std::max(0.0f, (nx * lx + ny * ly + lz) / nl);
            const float lambert = 0.40f + 0.92f * diffuse;
            const float rim = 1.0f - 0.32f * std::exp(-d / (2.2f * scale));
            const float down = std::clamp((float(y) - float(top)) / headH, 0.0f, 1.0f);
            const float vertical = 1.10f - 0.32f * down;
            // Roots: the parting around the crown is a little darker.
            const float rdx = (float(x) - cx) / (0.10f * headW);
            const float rdy = (float(y) - cy) / (0.08f * headH);
            const float root = 1.0f - 0.16f * std::exp(-(rdx * rdx + rdy * rdy));
            const float s = strand[k];
            const float fib = detail[k];
            float shade = lambert * rim * vertical * root * (1.0f + 0.13f * s + 0.22f * fib);

            float r, g, b;
            if (shade < 1.0f) {
                const float t = smoothstep(0.25f, 1.0f, shade);
                // Shadows in hair turn warmer, towards brown: a plain darker
                // blonde would look olive.
                const float sr = base.red * shadowK * 1.25f, sg = base.green * shadowK * 0.92f,
                            sb = base.blue * shadowK * 0.7f;
                r = sr + (base.red - sr) * t;
                g = sg + (base.green - sg) * t;
                b = sb + (base.blue - sb) * t;
            } else {
                const float t = std::clamp((shade - 1.0f) / 0.45f, 0.0f, 1.0f);
                r = base.red + (lightR - base.red) * t;
                g = base.green + (lightG - base.green) * t;
                b = base.blue + (lightB - base.blue) * t;
            }

            // Sheen: a soft band around the crown, broken up by the strands.
            const float ex = (float(x) - cx) / (0.52f * headW);
            const float ey = (float(y) - cy) / (0.50f * headH);
            const float rho = std::sqrt(ex * ex + ey * ey);
            const float angle = std::atan2(ey, ex);
            const float centre = 0.40f + 0.04f * std::sin(3.0f * angle + phase);
            float band = 1.3f * std::exp(-std::pow((rho - centre) / 0.11f, 2.0f));
            band += 0.45f *
                    std::exp(-std::pow((rho - 1.05f - 0.05f * std::sin(2.0f * angle - phase)) / 0.07f, 2.0f));
            const float sheen = band * std::clamp(0.45f + 0.45f * s + 0.6f * fib, 0.0f, 1.4f) *
                                (0.35f + diffuse) * smoothstep(0.0f, 3.0f * scale, d);
            // Dark hair shows its sheen more plainly against its own depth.
            const float amount =
                std::clamp((0.55f + 0.25f * (1.0f - baseLuma / 255.0f)) * sheen, 0.0f, 0.85f);
            r += (lightR - r) * amount;
            g += (lightG - g) * amount;
            b += (lightB - b) * amount;

            // Strands differ a little in hue: some warmer, some cooler.
            const float hs = std::clamp(hueShift[k] * 1.6f, -2.0f, 2.0f);
            r *= 1.0f + 0.035f * hs;
            b *= 1.0f - 0.045f * hs;
            guard(r, g, b);
            std::uint8_t *p = out.pixel(x, y);
            p[0] = std::uint8_t(std::lround(r));
            p[1] = std::uint8_t(std::lround(g));
            p[2] = std::uint8_t(std::lround(b));
            if (out.colour(x, y) == key)
                p[2] = std::uint8_t(p[2] ^ 1);
        }
    return out;
}
