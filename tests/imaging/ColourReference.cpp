#include "ColourReference.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <lcms2.h>

namespace {

struct Matrix
{
    double m[3][3];
};

Matrix multiply(const Matrix &a, const Matrix &b)
{
    Matrix r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                r.m[i][j] += a.m[i][k] * b.m[k][j];
    return r;
}

Matrix inverse(const Matrix &a)
{
    const auto &m = a.m;
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    Matrix r;
    r.m[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) / det;
    r.m[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / det;
    r.m[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / det;
    r.m[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) / det;
    r.m[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / det;
    r.m[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / det;
    r.m[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) / det;
    r.m[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / det;
    r.m[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det;
    return r;
}

// RGB to XYZ for primaries (x, y) and a white point: columns are the
// primaries' XYZ scaled so that RGB 1,1,1 gives the white.
Matrix rgbToXyz(const double xy[3][2], double wx, double wy)
{
    Matrix p;
    for (int c = 0; c < 3; ++c) {
        const double x = xy[c][0], y = xy[c][1];
        p.m[0][c] = x / y;
        p.m[1][c] = 1.0;
        p.m[2][c] = (1.0 - x - y) / y;
    }
    const double white[3] = {wx / wy, 1.0, (1.0 - wx - wy) / wy};
    const Matrix inv = inverse(p);
    double s[3] = {};
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k)
            s[i] += inv.m[i][k] * white[k];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            p.m[r][c] *= s[c];
    return p;
}

double decode(double v)
{
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double encode(double v)
{
    v = std::clamp(v, 0.0, 1.0);
    return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1.0 / 2.4) - 0.055;
}

} // namespace

std::uint32_t ColourReference::p3ToSrgb(std::uint32_t rgb)
{
    static const double p3[3][2] = {{0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}};
    static const double srgb[3][2] = {{0.64, 0.33}, {0.30, 0.60}, {0.15, 0.06}};
    static const Matrix m = multiply(inverse(rgbToXyz(srgb, 0.3127, 0.3290)), rgbToXyz(p3, 0.3127, 0.3290));
    const double in[3] = {decode(((rgb >> 16) & 0xFF) / 255.0), decode(((rgb >> 8) & 0xFF) / 255.0),
                          decode((rgb & 0xFF) / 255.0)};
    std::uint32_t out = 0;
    for (int r = 0; r < 3; ++r) {
        const double linear = m.m[r][0] * in[0] + m.m[r][1] * in[1] + m.m[r][2] * in[2];
        out = (out << 8) | std::uint32_t(std::lround(encode(linear) * 255.0));
    }
    return out;
}

int ColourReference::distance(std::uint32_t a, std::uint32_t b)
{
    int d = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        d = std::max(d, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return d;
}

std::vector<std::uint8_t> ColourReference::greyProfile()
{
    std::vector<std::uint8_t> bytes;
    cmsToneCurve *curve = cmsBuildGamma(nullptr, 2.2);
    cmsHPROFILE profile = cmsCreateGrayProfile(cmsD50_xyY(), curve);
    cmsFreeToneCurve(curve);
    cmsUInt32Number size = 0;
    if (profile && cmsSaveProfileToMem(profile, nullptr, &size)) {
        bytes.resize(size);
        cmsSaveProfileToMem(profile, bytes.data(), &size);
    }
    if (profile)
        cmsCloseProfile(profile);
    return bytes;
}

std::vector<std::uint8_t> ColourReference::gammaProfile(double gamma, double rx, double ry, double gx,
                                                        double gy, double bx, double by)
{
    std::vector<std::uint8_t> bytes;
    const cmsCIExyY d65 = {0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries = {{rx, ry, 1.0}, {gx, gy, 1.0}, {bx, by, 1.0}};
    cmsToneCurve *curve = cmsBuildGamma(nullptr, gamma);
    cmsToneCurve *curves[3] = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfile(&d65, &primaries, curves);
    cmsFreeToneCurve(curve);
    cmsUInt32Number size = 0;
    if (profile && cmsSaveProfileToMem(profile, nullptr, &size)) {
        bytes.resize(size);
        cmsSaveProfileToMem(profile, bytes.data(), &size);
    }
    if (profile)
        cmsCloseProfile(profile);
    return bytes;
}
