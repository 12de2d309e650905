#include "ColourProfile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <lcms2.h>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Below this many pixels a second thread costs more than it saves.
constexpr std::int64_t kMinPixelsForThreads = 256 * 1024;

struct ProfileCloser
{
    void operator()(void *profile) const
    {
        if (profile)
            cmsCloseProfile(static_cast<cmsHPROFILE>(profile));
    }
};
using ProfilePtr = std::unique_ptr<void, ProfileCloser>;

ProfilePtr openRgbProfile(const std::uint8_t *icc, std::size_t size)
{
    // An ICC header alone is 128 bytes; anything shorter is not a profile.
    if (!icc || size < 132 || size > ColourProfile::kMaxProfileBytes)
        return nullptr;
    ProfilePtr profile(cmsOpenProfileFromMem(icc, static_cast<cmsUInt32Number>(size)));
    if (!profile || cmsGetColorSpace(profile.get()) != cmsSigRgbData)
        return nullptr;
    return profile;
}

const cmsCIEXYZ *colorant(cmsHPROFILE profile, cmsTagSignature tag)
{
    return static_cast<const cmsCIEXYZ *>(cmsReadTag(profile, tag));
}

bool sameXyz(const cmsCIEXYZ *a, const cmsCIEXYZ *b)
{
    // The sRGB profiles in circulation differ from one another by a few
    // ten-thousandths in their colorants; a real other space differs by
    // hundredths.
    constexpr double kTolerance = 0.003;
    return a && b && std::fabs(a->X - b->X) < kTolerance && std::fabs(a->Y - b->Y) < kTolerance &&
           std::fabs(a->Z - b->Z) < kTolerance;
}

bool sameCurve(const cmsToneCurve *a, const cmsToneCurve *b)
{
    if (!a || !b)
        return false;
    // Within a third of an 8-bit step everywhere: converting would change
    // no pixel by more than rounding.
    constexpr float kTolerance = 1.0f / 765.0f;
    for (int i = 0; i <= 64; ++i) {
        const float x = static_cast<float>(i) / 64.0f;
        if (std::fabs(cmsEvalToneCurveFloat(a, x) - cmsEvalToneCurveFloat(b, x)) > kTolerance)
            return false;
    }
    return true;
}

bool equivalentToSrgb(cmsHPROFILE profile)
{
    if (!cmsIsMatrixShaper(profile))
        return false;
    const ProfilePtr srgb(cmsCreate_sRGBProfile());
    if (!srgb)
        return false;
    const cmsTagSignature colorants[3] = {cmsSigRedColorantTag, cmsSigGreenColorantTag,
                                          cmsSigBlueColorantTag};
    const cmsTagSignature curves[3] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
    for (int c = 0; c < 3; ++c) {
        if (!sameXyz(colorant(profile, colorants[c]), colorant(srgb.get(), colorants[c])))
            return false;
        if (!sameCurve(static_cast<const cmsToneCurve *>(cmsReadTag(profile, curves[c])),
                       static_cast<const cmsToneCurve *>(cmsReadTag(srgb.get(), curves[c]))))
            return false;
    }
    return true;
}

// Linear light in 1.14 fixed point: 16384 is full intensity. Finer than an
// 8-bit step of the sRGB curve even next to black (its steepest part).
constexpr int kLinearBits = 14;
constexpr int kLinearOne = 1 << kLinearBits;

double srgbEncode(double v)
{
    return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1.0 / 2.4) - 0.055;
}

bool invert(const double m[3][3], double r[3][3])
{
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    if (!(std::fabs(det) > 1e-9))
        return false;
    r[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) / det;
    r[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / det;
    r[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / det;
    r[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) / det;
    r[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / det;
    r[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / det;
    r[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) / det;
    r[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / det;
    r[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / det;
    return true;
}

// Columns of the RGB-to-PCS matrix: the profile's colorants.
bool colorantMatrix(cmsHPROFILE profile, double m[3][3])
{
    const cmsTagSignature tags[3] = {cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag};
    for (int c = 0; c < 3; ++c) {
        const cmsCIEXYZ *xyz = colorant(profile, tags[c]);
        if (!xyz)
            return false;
        m[0][c] = xyz->X;
        m[1][c] = xyz->Y;
        m[2][c] = xyz->Z;
    }
    return true;
}

} // namespace

// Matrix-and-curves profiles (every phone's Display P3, Adobe RGB and the
// like) to sRGB, with relative colorimetric intent: per channel the
// profile's curve to linear light, one 3 x 3 matrix into linear sRGB, the
// sRGB curve back. What lcms computes for these profiles, in fixed point
// over tables, several times faster than its general transform.
struct ColourProfile::MatrixShaper
{
    std::int32_t toLinear[3][256];
    std::int32_t matrix[3][3]; // 1.14 fixed point
    std::uint8_t toSrgb[kLinearOne + 1];

    static std::unique_ptr<MatrixShaper> build(cmsHPROFILE profile)
    {
        if (!cmsIsMatrixShaper(profile))
            return nullptr;
        const ProfilePtr srgb(cmsCreate_sRGBProfile());
        double in[3][3], out[3][3], outInverse[3][3];
        if (!srgb || !colorantMatrix(profile, in) || !colorantMatrix(srgb.get(), out) ||
            !invert(out, outInverse))
            return nullptr;
        auto shaper = std::make_unique<MatrixShaper>();
        const cmsTagSignature curves[3] = {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag};
        for (int c = 0; c < 3; ++c) {
            const auto *curve = static_cast<const cmsToneCurve *>(cmsReadTag(profile, curves[c]));
            if (!curve)
                return nullptr;
            for (int v = 0; v < 256; ++v) {
                const double linear =
                    std::clamp<double>(cmsEvalToneCurveFloat(curve, float(v) / 255.0f), 0.0, 1.0);
                shaper->toLinear[c][v] = std::int32_t(std::lround(linear * kLinearOne));
            }
        }
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                double sum = 0;
                for (int k = 0; k < 3; ++k)
                    sum += outInverse[r][k] * in[k][c];
                // A space so unlike sRGB that the fixed point could overflow
                // goes through lcms instead.
                if (!(std::fabs(sum) < 8.0))
                    return nullptr;
                shaper->matrix[r][c] = std::int32_t(std::lround(sum * kLinearOne));
            }
        for (int i = 0; i <= kLinearOne; ++i)
            shaper->toSrgb[i] = std::uint8_t(std::lround(srgbEncode(double(i) / kLinearOne) * 255.0));
        return shaper;
    }

    // 64-bit sums: a profile's matrix may hold coefficients up to 8 (larger
    // ones go through lcms), three of which overflow 32 bits at full scale.
    std::uint8_t encode(std::int64_t linear) const
    {
        linear = (linear + (1 << (kLinearBits - 1))) >> kLinearBits;
        return toSrgb[std::clamp<std::int64_t>(linear, 0, kLinearOne)];
    }

    template <int Step> void convert(std::uint8_t *p, int width) const
    {
        for (int x = 0; x < width; ++x, p += Step) {
            // Blue first in memory.
            const std::int64_t r = toLinear[0][p[2]], g = toLinear[1][p[1]], b = toLinear[2][p[0]];
            const std::uint8_t outR = encode(matrix[0][0] * r + matrix[0][1] * g + matrix[0][2] * b);
            const std::uint8_t outG = encode(matrix[1][0] * r + matrix[1][1] * g + matrix[1][2] * b);
            const std::uint8_t outB = encode(matrix[2][0] * r + matrix[2][1] * g + matrix[2][2] * b);
            p[0] = outB;
            p[1] = outG;
            p[2] = outR;
        }
    }
};

namespace {

bool agreesWithLcms(const ColourProfile::MatrixShaper &matrix, cmsHTRANSFORM lcms)
{
    // Every level on the grey axis and along each primary, and a 16-step
    // grid through the cube.
    std::vector<std::uint8_t> samples;
    for (int v = 0; v < 256; ++v) {
        const std::uint8_t b = std::uint8_t(v);
        samples.insert(samples.end(), {b, b, b, b, 0, 0, 0, b, 0, 0, 0, b});
    }
    for (int r = 0; r < 256; r += 17)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 17)
                samples.insert(samples.end(), {std::uint8_t(b), std::uint8_t(g), std::uint8_t(r)});
    std::vector<std::uint8_t> expected(samples.size());
    const int pixels = int(samples.size() / 3);
    cmsDoTransform(lcms, samples.data(), expected.data(), cmsUInt32Number(pixels));
    matrix.convert<3>(samples.data(), pixels);
    for (std::size_t i = 0; i < samples.size(); ++i)
        if (std::abs(int(samples[i]) - int(expected[i])) > 1)
            return false;
    return true;
}

} // namespace

ColourProfile::ColourProfile(void *transform, std::unique_ptr<MatrixShaper> matrix, Layout layout)
    : m_transform(transform), m_matrix(std::move(matrix)), m_layout(layout)
{
}

ColourProfile::~ColourProfile()
{
    if (m_transform)
        cmsDeleteTransform(static_cast<cmsHTRANSFORM>(m_transform));
}

void ColourProfile::convertBlock(std::uint8_t *first, int width, int rows, std::ptrdiff_t stride) const
{
    for (int r = 0; r < rows; ++r) {
        std::uint8_t *line = first + stride * r;
        if (!m_matrix)
            cmsDoTransform(static_cast<cmsHTRANSFORM>(m_transform), line, line,
                           static_cast<cmsUInt32Number>(width));
        else if (m_layout == Layout::Bgr)
            m_matrix->convert<3>(line, width);
        else
            m_matrix->convert<4>(line, width);
    }
}

bool ColourProfile::isSrgb(const std::uint8_t *icc, std::size_t size)
{
    const ProfilePtr profile = openRgbProfile(icc, size);
    return profile && equivalentToSrgb(profile.get());
}

std::vector<std::uint8_t> ColourProfile::rgbProfile(double redX, double redY, double greenX, double greenY,
                                                    double blueX, double blueY, double whiteX, double whiteY)
{
    std::vector<std::uint8_t> bytes;
    const cmsCIExyY white = {whiteX, whiteY, 1.0};
    const cmsCIExyYTRIPLE primaries = {{redX, redY, 1.0}, {greenX, greenY, 1.0}, {blueX, blueY, 1.0}};
    // The sRGB curve: a 2.4 power with a linear toe (parametric type 4).
    const cmsFloat64Number srgbCurve[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    cmsToneCurve *curve = cmsBuildParametricToneCurve(nullptr, 4, srgbCurve);
    if (!curve)
        return bytes;
    cmsToneCurve *curves[3] = {curve, curve, curve};
    const ProfilePtr profile(cmsCreateRGBProfile(&white, &primaries, curves));
    cmsFreeToneCurve(curve);
    cmsUInt32Number size = 0;
    if (!profile || !cmsSaveProfileToMem(profile.get(), nullptr, &size) || size == 0)
        return bytes;
    bytes.resize(size);
    if (!cmsSaveProfileToMem(profile.get(), bytes.data(), &size))
        bytes.clear();
    return bytes;
}

std::unique_ptr<ColourProfile> ColourProfile::toSrgb(const std::uint8_t *icc, std::size_t size, Layout layout)
{
    return create(icc, size, layout, true);
}

std::unique_ptr<ColourProfile> ColourProfile::toSrgbThroughLcms(const std::uint8_t *icc, std::size_t size,
                                                                Layout layout)
{
    return create(icc, size, layout, false);
}

std::unique_ptr<ColourProfile> ColourProfile::create(const std::uint8_t *icc, std::size_t size, Layout layout,
                                                     bool allowFastPath)
{
    const ProfilePtr profile = openRgbProfile(icc, size);
    if (!profile || equivalentToSrgb(profile.get()))
        return nullptr;
    if (allowFastPath) {
        // A profile lcms cannot build a transform from is broken and ignored.
        // One it can is the yardstick: the fast path is used only when it
        // gives lcms's colours on samples through the whole cube (curves
        // that go backwards or leave 0..1 are not worth following here).
        const ProfilePtr srgb(cmsCreate_sRGBProfile());
        cmsHTRANSFORM check = srgb ? cmsCreateTransform(profile.get(), TYPE_BGR_8, srgb.get(), TYPE_BGR_8,
                                                        INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_NOCACHE)
                                   : nullptr;
        if (!check)
            return nullptr;
        auto matrix = MatrixShaper::build(profile.get());
        if (matrix && !agreesWithLcms(*matrix, check))
            matrix.reset();
        cmsDeleteTransform(check);
        if (matrix)
            return std::unique_ptr<ColourProfile>(new ColourProfile(nullptr, std::move(matrix), layout));
    }
    const ProfilePtr srgb(cmsCreate_sRGBProfile());
    if (!srgb)
        return nullptr;
    const cmsUInt32Number format = layout == Layout::Bgr ? TYPE_BGR_8 : TYPE_BGRA_8;
    // No cache: the transform is then safe to run from two threads at once.
    cmsUInt32Number flags = cmsFLAGS_NOCACHE;
    if (layout == Layout::Bgra)
        flags |= cmsFLAGS_COPY_ALPHA;
    cmsHTRANSFORM transform =
        cmsCreateTransform(profile.get(), format, srgb.get(), format, INTENT_RELATIVE_COLORIMETRIC, flags);
    if (!transform)
        return nullptr;
    return std::unique_ptr<ColourProfile>(new ColourProfile(transform, nullptr, layout));
}

bool ColourProfile::convertToSrgb(const std::uint8_t *icc, std::size_t size, Picture24 &picture, int threads)
{
    if (picture.isNull())
        return false;
    const std::unique_ptr<ColourProfile> conversion = toSrgb(icc, size, Layout::Bgr);
    if (!conversion)
        return false;
    conversion->convert(picture, threads);
    return true;
}

void ColourProfile::convertRows(std::uint8_t *first, int width, int rows, std::ptrdiff_t stride,
                                int threads) const
{
    if (!first || width <= 0 || rows <= 0)
        return;
    if (threads < 2 || rows < 2 || std::int64_t(width) * rows < kMinPixelsForThreads) {
        convertBlock(first, width, rows, stride);
        return;
    }
    const int half = rows / 2;
    std::thread helper;
    try {
        helper = std::thread([=, this] { convertBlock(first + stride * half, width, rows - half, stride); });
    } catch (const std::system_error &) {
        convertBlock(first, width, rows, stride);
        return;
    }
    convertBlock(first, width, half, stride);
    helper.join();
}

void ColourProfile::convert(Picture24 &picture, int threads) const
{
    if (m_layout != Layout::Bgr || picture.isNull())
        return;
    convertRows(picture.bits(), picture.width(), picture.height(), picture.stride(), threads);
}
