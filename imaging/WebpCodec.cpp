#include "WebpCodec.h"

#include "ColourProfile.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>
#include <webp/decode.h>
#include <webp/demux.h>

namespace {

// See WebpCodec::decode: files smaller than a byte per this many pixels
// are decoded into libwebp's memory first.
constexpr std::size_t kMaxPixelsPerByte = 64;

struct DemuxDelete
{
    void operator()(WebPDemuxer *demux) const { WebPDemuxDelete(demux); }
};
struct AnimDecoderDelete
{
    void operator()(WebPAnimDecoder *decoder) const { WebPAnimDecoderDelete(decoder); }
};

ImageStatus failure(VP8StatusCode status, const char *what)
{
    if (status == VP8_STATUS_OUT_OF_MEMORY)
        return ImageStatus::failure(ImageMessages::kTooLarge, "out of memory");
    if (status == VP8_STATUS_UNSUPPORTED_FEATURE)
        return ImageStatus::failure(ImageMessages::kUnsupported, what);
    if (status == VP8_STATUS_NOT_ENOUGH_DATA)
        return ImageStatus::failure(ImageMessages::kCorrupt, std::string(what) + ": file ends early");
    return ImageStatus::failure(ImageMessages::kCorrupt, what);
}

std::vector<std::uint8_t> iccProfileOf(const WebPDemuxer *demux)
{
    std::vector<std::uint8_t> icc;
    if (!demux || !(WebPDemuxGetI(demux, WEBP_FF_FORMAT_FLAGS) & ICCP_FLAG))
        return icc;
    WebPChunkIterator chunk;
    if (WebPDemuxGetChunk(demux, "ICCP", 1, &chunk)) {
        if (chunk.chunk.size <= ColourProfile::kMaxProfileBytes)
            icc.assign(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    return icc;
}

// Straight (not premultiplied) BGRA rows, top first, into the picture:
// colours converted first, so the background stays exactly the view's.
void compositeInto(const std::uint8_t *bgra, std::size_t stride, Picture24 &picture, std::uint32_t background,
                   const std::vector<std::uint8_t> &icc)
{
    const auto conversion = ColourProfile::toSrgb(icc.data(), icc.size(), ColourProfile::Layout::Bgra);
    const unsigned bg[3] = {background & 0xFF, (background >> 8) & 0xFF, (background >> 16) & 0xFF};
    const int width = picture.width();
    std::vector<std::uint8_t> line(std::size_t(width) * 4);
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint8_t *src = bgra + stride * y;
        if (conversion) {
            std::copy(src, src + line.size(), line.begin());
            conversion->convertRows(line.data(), width, 1, 0);
            src = line.data();
        }
        std::uint8_t *dst = picture.scanLine(y);
        for (int x = 0; x < width; ++x, src += 4, dst += 3) {
            const unsigned a = src[3];
            if (a == 255) {
                dst[0] = src[0];
                dst[1] = src[1];
                dst[2] = src[2];
                continue;
            }
            const unsigned rest = 255 - a;
            for (int c = 0; c < 3; ++c)
                dst[c] = static_cast<std::uint8_t>((src[c] * a + bg[c] * rest + 127) / 255);
        }
    }
}

ImageStatus decodeAnimated(const WebPData &bytes, const WebPDemuxer *demux, Picture24 &out,
                           std::uint32_t background)
{
    const auto width = WebPDemuxGetI(demux, WEBP_FF_CANVAS_WIDTH);
    const auto height = WebPDemuxGetI(demux, WEBP_FF_CANVAS_HEIGHT);
    // The decoder allocates the whole canvas before the first frame.
    if (!Picture24::sizeAcceptable(width, height))
        return ImageStatus::failure(ImageMessages::kTooLarge, "canvas size out of range");
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options))
        return ImageStatus::failure(ImageMessages::kUnsupported, "libwebp version mismatch");
    options.color_mode = MODE_BGRA;
    options.use_threads = 0;
    const std::unique_ptr<WebPAnimDecoder, AnimDecoderDelete> decoder(WebPAnimDecoderNew(&bytes, &options));
    if (!decoder)
        return ImageStatus::failure(ImageMessages::kCorrupt, "cannot read the animation");
    std::uint8_t *canvas = nullptr;
    int timestamp = 0;
    if (!WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp) || !canvas)
        return ImageStatus::failure(ImageMessages::kCorrupt, "cannot decode the first frame");
    Picture24 picture(static_cast<int>(width), static_cast<int>(height));
    compositeInto(canvas, std::size_t(width) * 4, picture, background, iccProfileOf(demux));
    out.swap(picture);
    return ImageStatus::success();
}

} // namespace

ImageStatus WebpCodec::decode(const std::uint8_t *data, std::size_t size, Picture24 &out,
                              std::uint32_t background)
{
    // libwebp also takes bare VP8/VP8L bitstreams; no program writes those
    // as files, so only the RIFF container counts as WebP.
    if (!data || size < 16 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WEBP", 4) != 0)
        return ImageStatus::failure(ImageMessages::kCorrupt, "no WebP data");
    try {
        WebPBitstreamFeatures features;
        const VP8StatusCode status = WebPGetFeatures(data, size, &features);
        if (status != VP8_STATUS_OK)
            return failure(status, "not a readable WebP header");
        if (!Picture24::sizeAcceptable(features.width, features.height))
            return ImageStatus::failure(ImageMessages::kTooLarge, "image size out of range");

        // The whole container must be there and sound, with a complete
        // first frame, before anything of the size the header claims is
        // allocated: a few bytes of header alone must not cost hundreds of
        // megabytes of zeroed picture.
        const WebPData bytes = {data, size};
        const std::unique_ptr<WebPDemuxer, DemuxDelete> demux(WebPDemux(&bytes));
        if (!demux)
            return ImageStatus::failure(ImageMessages::kCorrupt, "incomplete or damaged WebP container");
        WebPIterator frame;
        if (!WebPDemuxGetFrame(demux.get(), 1, &frame))
            return ImageStatus::failure(ImageMessages::kCorrupt, "no picture in the file");
        const bool complete = frame.complete != 0;
        WebPDemuxReleaseIterator(&frame);
        if (!complete)
            return ImageStatus::failure(ImageMessages::kCorrupt, "first frame incomplete");
        if (features.has_animation)
            return decodeAnimated(bytes, demux.get(), out, background);
        const std::vector<std::uint8_t> icc = iccProfileOf(demux.get());

        WebPDecoderConfig config;
        if (!WebPInitDecoderConfig(&config))
            return ImageStatus::failure(ImageMessages::kUnsupported, "libwebp version mismatch");
        const std::size_t pixels = std::size_t(features.width) * std::size_t(features.height);
        // A photo carries at least a byte for every few dozen pixels; a file
        // far smaller than that (a flat lossless picture, or a lie) is
        // decoded into libwebp's own, untouched-until-written memory first,
        // so a damaged one costs nothing before libwebp refuses it. Photos
        // take the direct way: flipped, the rows land straight in the
        // bottom-up picture.
        const bool direct = !features.has_alpha && size * kMaxPixelsPerByte >= pixels;
        Picture24 picture;
        if (direct) {
            picture.reset(features.width, features.height);
            config.options.flip = 1;
            config.output.is_external_memory = 1;
            config.output.colorspace = MODE_BGR;
            config.output.u.RGBA.rgba = picture.bits();
            config.output.u.RGBA.stride = picture.stride();
            config.output.u.RGBA.size = picture.byteCount();
        } else {
            config.output.colorspace = features.has_alpha ? MODE_BGRA : MODE_BGR;
        }
        const VP8StatusCode decoded = WebPDecode(data, size, &config);
        if (decoded != VP8_STATUS_OK) {
            WebPFreeDecBuffer(&config.output);
            return failure(decoded, "cannot decode the picture");
        }
        if (!direct) {
            const std::unique_ptr<WebPDecBuffer, decltype(&WebPFreeDecBuffer)> owned(&config.output,
                                                                                     &WebPFreeDecBuffer);
            const WebPRGBABuffer &rgba = config.output.u.RGBA;
            picture.reset(features.width, features.height);
            if (features.has_alpha) {
                compositeInto(rgba.rgba, std::size_t(rgba.stride), picture, background, icc);
            } else {
                for (int y = 0; y < features.height; ++y)
                    std::copy_n(rgba.rgba + std::size_t(rgba.stride) * y, std::size_t(features.width) * 3,
                                picture.scanLine(y));
                ColourProfile::convertToSrgb(icc.data(), icc.size(), picture);
            }
        } else {
            WebPFreeDecBuffer(&config.output);
            ColourProfile::convertToSrgb(icc.data(), icc.size(), picture);
        }
        out.swap(picture);
        return ImageStatus::success();
    } catch (const std::bad_alloc &) {
        return ImageStatus::failure(ImageMessages::kTooLarge, "out of memory");
    }
}
