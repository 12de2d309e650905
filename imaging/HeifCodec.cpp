#include "HeifCodec.h"

#include "ColourProfile.h"

#include <algorithm>
#include <libheif/heif.h>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

// libheif's own default bound on either side of an image.
constexpr int kLibheifMaxSide = 32768;

struct ContextFree
{
    void operator()(heif_context *context) const { heif_context_free(context); }
};
struct HandleRelease
{
    void operator()(heif_image_handle *handle) const { heif_image_handle_release(handle); }
};
struct ImageRelease
{
    void operator()(heif_image *image) const { heif_image_release(image); }
};
struct OptionsFree
{
    void operator()(heif_decoding_options *options) const { heif_decoding_options_free(options); }
};
struct NclxFree
{
    void operator()(heif_color_profile_nclx *nclx) const { heif_nclx_color_profile_free(nclx); }
};

// `decoding`: the size was accepted already, so a limit hit now means the
// coded data contradicts it: a damaged file, not a large one.
ImageStatus failure(const heif_error &error, bool decoding = false)
{
    const std::string detail = error.message ? error.message : "libheif error";
    if (decoding && error.subcode == heif_suberror_Security_limit_exceeded)
        return ImageStatus::failure(ImageMessages::kCorrupt, detail);
    if (error.code == heif_error_Memory_allocation_error ||
        error.subcode == heif_suberror_Security_limit_exceeded)
        return ImageStatus::failure(ImageMessages::kTooLarge, detail);
    if (error.code == heif_error_Unsupported_feature || error.code == heif_error_Unsupported_filetype)
        return ImageStatus::failure(ImageMessages::kUnsupported, detail);
    return ImageStatus::failure(ImageMessages::kCorrupt, detail);
}

// The ICC profile of the primary image, or one built from its nclx
// primaries when those are not sRGB's; empty when the colours are sRGB or
// unknown (shown as they are).
std::vector<std::uint8_t> colourProfileOf(const heif_image_handle *handle)
{
    std::vector<std::uint8_t> icc;
    const std::size_t size = heif_image_handle_get_raw_color_profile_size(handle);
    if (size > 0 && size <= ColourProfile::kMaxProfileBytes) {
        icc.resize(size);
        if (heif_image_handle_get_raw_color_profile(handle, icc.data()).code != heif_error_Ok)
            icc.clear();
        return icc;
    }
    heif_color_profile_nclx *raw = nullptr;
    if (heif_image_handle_get_nclx_color_profile(handle, &raw).code != heif_error_Ok || !raw)
        return icc;
    const std::unique_ptr<heif_color_profile_nclx, NclxFree> nclx(raw);
    const auto primaries = nclx->color_primaries;
    if (primaries == heif_color_primaries_ITU_R_BT_709_5 || primaries == heif_color_primaries_unspecified)
        return icc;
    // Only the primaries are taken over; the tone curve is taken as sRGB's,
    // which is what phones write next to wide-gamut primaries.
    return ColourProfile::rgbProfile(nclx->color_primary_red_x, nclx->color_primary_red_y,
                                     nclx->color_primary_green_x, nclx->color_primary_green_y,
                                     nclx->color_primary_blue_x, nclx->color_primary_blue_y,
                                     nclx->color_primary_white_x, nclx->color_primary_white_y);
}

void rgbRowToBgr(const std::uint8_t *rgb, std::uint8_t *bgr, int width)
{
    for (int x = 0; x < width; ++x, rgb += 3, bgr += 3) {
        bgr[0] = rgb[2];
        bgr[1] = rgb[1];
        bgr[2] = rgb[0];
    }
}

void rgbaRowToBgra(const std::uint8_t *rgba, std::uint8_t *bgra, int width)
{
    for (int x = 0; x < width; ++x, rgba += 4, bgra += 4) {
        bgra[0] = rgba[2];
        bgra[1] = rgba[1];
        bgra[2] = rgba[0];
        bgra[3] = rgba[3];
    }
}

void compositeRow(const std::uint8_t *bgra, std::uint8_t *bgr, int width, const unsigned bg[3],
                  bool premultiplied)
{
    for (int x = 0; x < width; ++x, bgra += 4, bgr += 3) {
        const unsigned a = bgra[3];
        const unsigned rest = 255 - a;
        for (int c = 0; c < 3; ++c) {
            const unsigned v = premultiplied ? bgra[c] + (bg[c] * rest + 127) / 255
                                             : (bgra[c] * a + bg[c] * rest + 127) / 255;
            bgr[c] = static_cast<std::uint8_t>(v > 255 ? 255 : v);
        }
    }
}

} // namespace

ImageStatus HeifCodec::decode(const std::uint8_t *data, std::size_t size, Picture24 &out,
                              std::uint32_t background)
{
    if (!data || size < 12)
        return ImageStatus::failure(ImageMessages::kCorrupt, "no HEIF data");
    try {
        const std::unique_ptr<heif_context, ContextFree> context(heif_context_alloc());
        if (!context)
            return ImageStatus::failure(ImageMessages::kTooLarge, "out of memory");
        heif_error error = heif_context_read_from_memory_without_copy(context.get(), data, size, nullptr);
        if (error.code != heif_error_Ok)
            return failure(error);

        heif_image_handle *rawHandle = nullptr;
        error = heif_context_get_primary_image_handle(context.get(), &rawHandle);
        if (error.code != heif_error_Ok || !rawHandle)
            return failure(error);
        const std::unique_ptr<heif_image_handle, HandleRelease> handle(rawHandle);
        const int declaredWidth = heif_image_handle_get_width(handle.get());
        const int declaredHeight = heif_image_handle_get_height(handle.get());
        if (!Picture24::sizeAcceptable(declaredWidth, declaredHeight))
            return ImageStatus::failure(ImageMessages::kTooLarge, "image size out of range");
        // libheif checks the size each coded picture claims against this
        // limit before decoding it. Its default (32768 on a side) lets a
        // 1 KB file whose bitstream claims 14441 x 27759 take 2 GB and
        // seconds; no coded picture of a sound file is far larger than the
        // size declared (cropping aside, which keeps more than half).
        const int side = std::max(declaredWidth, declaredHeight);
        heif_context_set_maximum_image_size_limit(context.get(), std::min(2 * side + 64, kLibheifMaxSide));

        const bool alpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;
        const bool premultiplied = alpha && heif_image_handle_is_premultiplied_alpha(handle.get()) != 0;
        const std::vector<std::uint8_t> icc = colourProfileOf(handle.get());

        const std::unique_ptr<heif_decoding_options, OptionsFree> options(heif_decoding_options_alloc());
        if (!options)
            return ImageStatus::failure(ImageMessages::kTooLarge, "out of memory");
        options->ignore_transformations = 0;
        options->convert_hdr_to_8bit = 1;
        heif_image *rawImage = nullptr;
        error = heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB,
                                  alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                                  options.get());
        if (error.code != heif_error_Ok || !rawImage)
            return failure(error, true);
        const std::unique_ptr<heif_image, ImageRelease> image(rawImage);

        const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
        const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
        // The coded picture must be the size the file declares: a tiny file
        // whose bitstream claims a far larger picture is damaged, not a photo.
        if (width != heif_image_handle_get_width(handle.get()) ||
            height != heif_image_handle_get_height(handle.get()))
            return ImageStatus::failure(ImageMessages::kCorrupt, "coded size differs from the declared size");
        int stride = 0;
        const std::uint8_t *plane =
            heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
        const int bytesPerPixel = alpha ? 4 : 3;
        if (!plane || !Picture24::sizeAcceptable(width, height) ||
            heif_image_get_bits_per_pixel_range(image.get(), heif_channel_interleaved) != 8 ||
            stride < width * bytesPerPixel)
            return ImageStatus::failure(ImageMessages::kCorrupt, "unexpected decoded layout");

        Picture24 picture(width, height);
        if (!alpha) {
            for (int y = 0; y < height; ++y)
                rgbRowToBgr(plane + std::size_t(stride) * y, picture.scanLine(y), width);
            ColourProfile::convertToSrgb(icc.data(), icc.size(), picture);
        } else {
            // Colours are converted before compositing, so the background
            // (already sRGB) stays exactly the view's colour.
            const auto conversion =
                ColourProfile::toSrgb(icc.data(), icc.size(), ColourProfile::Layout::Bgra);
            const unsigned bg[3] = {background & 0xFF, (background >> 8) & 0xFF, (background >> 16) & 0xFF};
            std::vector<std::uint8_t> line(std::size_t(width) * 4);
            for (int y = 0; y < height; ++y) {
                rgbaRowToBgra(plane + std::size_t(stride) * y, line.data(), width);
                if (conversion)
                    conversion->convertRows(line.data(), width, 1, 0);
                compositeRow(line.data(), picture.scanLine(y), width, bg, premultiplied);
            }
        }
        out.swap(picture);
        return ImageStatus::success();
    } catch (const std::bad_alloc &) {
        return ImageStatus::failure(ImageMessages::kTooLarge, "out of memory");
    }
}
