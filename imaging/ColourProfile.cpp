#include "ColourProfile.h"

#include <cmath>
#include <lcms2.h>
#include <system_error>
#include <thread>

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
    const cmsTagSignature colorants[3] = {cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag};
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

void convertBlock(cmsHTRANSFORM transform, std::uint8_t *first, int width, int rows, std::ptrdiff_t stride)
{
    for (int r = 0; r < rows; ++r) {
        std::uint8_t *line = first + stride * r;
        cmsDoTransform(transform, line, line, static_cast<cmsUInt32Number>(width));
    }
}

} // namespace

ColourProfile::ColourProfile(void *transform, Layout layout) : m_transform(transform), m_layout(layout)
{
}

ColourProfile::~ColourProfile()
{
    cmsDeleteTransform(static_cast<cmsHTRANSFORM>(m_transform));
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
    const ProfilePtr profile = openRgbProfile(icc, size);
    if (!profile || equivalentToSrgb(profile.get()))
        return nullptr;
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
    return std::unique_ptr<ColourProfile>(new ColourProfile(transform, layout));
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
    auto transform = static_cast<cmsHTRANSFORM>(m_transform);
    if (threads < 2 || rows < 2 || std::int64_t(width) * rows < kMinPixelsForThreads) {
        convertBlock(transform, first, width, rows, stride);
        return;
    }
    const int half = rows / 2;
    std::thread helper;
    try {
        helper = std::thread(convertBlock, transform, first + stride * half, width, rows - half, stride);
    } catch (const std::system_error &) {
        convertBlock(transform, first, width, rows, stride);
        return;
    }
    convertBlock(transform, first, width, half, stride);
    helper.join();
}

void ColourProfile::convert(Picture24 &picture, int threads) const
{
    if (m_layout != Layout::Bgr || picture.isNull())
        return;
    convertRows(picture.bits(), picture.width(), picture.height(), picture.stride(), threads);
}
