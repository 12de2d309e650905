#include "ImageFile.h"

#include "BmpCodec.h"
#include "FileFormatCheck.h"
#include "GifCodec.h"
#include "HeifCodec.h"
#include "IcoCodec.h"
#include "JpegCodec.h"
#include "PcxCodec.h"
#include "PngCodec.h"
#include "RegularFile.h"
#include "TiffCodec.h"
#include "WebpCodec.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Formats whose first bytes cannot be mistaken for anything else. A photo
// renamed by hand (a PNG called .jpg) is still shown; the weak signatures of
// PCX and icons are left to the extension.
ImageFormat formatFromSignature(const std::uint8_t *data, std::size_t size)
{
    if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
        return ImageFormat::Jpeg;
    if (size >= 8 && std::memcmp(data, "\x89PNG\r\n\x1A\n", 8) == 0)
        return ImageFormat::Png;
    if (size >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0))
        return ImageFormat::Gif;
    if (size >= 4 && (std::memcmp(data, "II*\0", 4) == 0 || std::memcmp(data, "MM\0*", 4) == 0))
        return ImageFormat::Tiff;
    if (size >= 14 && data[0] == 'B' && data[1] == 'M')
        return ImageFormat::Bmp;
    if (FileFormatCheck::looksLikeHeif(data, std::min<std::size_t>(size, FileFormatCheck::kProbeSize)))
        return ImageFormat::Heif;
    if (FileFormatCheck::looksLikeWebp(data, size))
        return ImageFormat::Webp;
    return ImageFormat::Unknown;
}

// The file name part of a path; catalogue paths may use either separator.
std::size_t nameStart(const std::string &path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? 0 : slash + 1;
}

std::string lowerExtension(const std::string &path)
{
    const std::size_t start = nameStart(path);
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < start)
        return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return ext;
}

// Only these are written; other extensions the engine reads (.ico, .dib,
// ...) are refused for saving rather than silently written as something else.
ImageFormat saveFormatForPath(const std::string &path)
{
    const std::string ext = lowerExtension(path);
    if (ext == "bmp")
        return ImageFormat::Bmp;
    if (ext == "jpg" || ext == "jpeg")
        return ImageFormat::Jpeg;
    if (ext == "png")
        return ImageFormat::Png;
    if (ext == "tif" || ext == "tiff")
        return ImageFormat::Tiff;
    if (ext == "pcx")
        return ImageFormat::Pcx;
    if (ext == "gif")
        return ImageFormat::Gif;
    return ImageFormat::Unknown;
}

fs::path temporaryNameBeside(const fs::path &target)
{
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path name = target;
    name += ".part" + std::to_string(static_cast<unsigned long long>(stamp) % 1000000007ull) + "-" +
            std::to_string(counter++);
    return name;
}

ImageStatus writeAtomically(const fs::path &target, const std::vector<std::uint8_t> &bytes)
{
    const fs::path temporary = temporaryNameBeside(target);
    {
        std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
        if (!stream)
            return ImageStatus::failure(ImageMessages::kCannotWrite, "cannot create " + temporary.string());
        stream.write(reinterpret_cast<const char *>(bytes.data()),
                     static_cast<std::streamsize>(bytes.size()));
        stream.flush();
        if (!stream) {
            stream.close();
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return ImageStatus::failure(ImageMessages::kCannotWrite, "write failed");
        }
    }
    std::error_code error;
    fs::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return ImageStatus::failure(ImageMessages::kCannotWrite, error.message());
    }
    return ImageStatus::success();
}

ImageStatus loadFile(const std::string &path, Picture24 &out, const LoadOptions &options, ImageFormat &used)
{
    std::vector<std::uint8_t> bytes;
    ImageStatus status = RegularFile::read(path, options.maxFileBytes, bytes);
    if (!status)
        return status;
    ImageFormat format = imageFormatForPath(path);
    if (format == ImageFormat::Wmf || format == ImageFormat::Emf || format == ImageFormat::Avi)
        return ImageStatus::failure(ImageMessages::kUnsupported);
    const ImageFormat content = formatFromSignature(bytes.data(), bytes.size());
    if (content != ImageFormat::Unknown)
        format = content;
    if (format == ImageFormat::Unknown)
        return ImageStatus::failure(ImageMessages::kUnsupported);
    used = format;
    return ImageFile::decode(bytes.data(), bytes.size(), format, out, options);
}

// The boundary every public function keeps: nothing thrown inside the
// libraries or our code gets out; it becomes a message instead.
template <typename Body>
ImageStatus guarded(const char *outOfMemory, const char *failure, const std::string &context, Body body)
{
    try {
        return body();
    } catch (const std::bad_alloc &) {
        return ImageStatus::failure(outOfMemory, context.empty() ? std::string("out of memory") : context);
    } catch (const std::exception &e) {
        return ImageStatus::failure(failure, e.what());
    } catch (...) {
        return ImageStatus::failure(failure, context);
    }
}

} // namespace

ImageStatus ImageFile::readAll(const std::string &path, std::vector<std::uint8_t> &bytes)
{
    return guarded(ImageMessages::kTooLarge, ImageMessages::kUnreadable, path, [&]() -> ImageStatus {
        return RegularFile::read(path, RegularFile::kMaxImageBytes, bytes);
    });
}

ImageStatus ImageFile::load(const std::string &path, Picture24 &out, const LoadOptions &options)
{
    ImageFormat used = ImageFormat::Unknown;
    return load(path, out, options, used);
}

ImageStatus ImageFile::load(const std::string &path, Picture24 &out, const LoadOptions &options,
                            ImageFormat &usedFormat)
{
    return guarded(ImageMessages::kTooLarge, ImageMessages::kCorrupt, std::string(), [&]() -> ImageStatus {
        Picture24 picture;
        ImageFormat used = ImageFormat::Unknown;
        ImageStatus status = loadFile(path, picture, options, used);
        if (!status)
            return status;
        out.swap(picture);
        usedFormat = used;
        return status;
    });
}

ImageStatus ImageFile::decode(const std::uint8_t *data, std::size_t size, ImageFormat format, Picture24 &out,
                              const LoadOptions &options)
{
    if (!data || size == 0)
        return ImageStatus::failure(ImageMessages::kEmpty);
    return guarded(ImageMessages::kTooLarge, ImageMessages::kCorrupt, std::string(), [&]() -> ImageStatus {
        Picture24 picture;
        ImageStatus status;
        switch (format) {
        case ImageFormat::Jpeg:
            status = JpegCodec::decode(data, size, picture);
            break;
        case ImageFormat::Png:
            status = PngCodec::decode(data, size, picture, options.background);
            break;
        case ImageFormat::Gif:
            status = GifCodec::decodeComposited(data, size, picture, options.background);
            break;
        case ImageFormat::Tiff:
            status = TiffCodec::decode(data, size, picture, options.background);
            break;
        case ImageFormat::Heif:
            status = HeifCodec::decode(data, size, picture, options.background);
            break;
        case ImageFormat::Webp:
            status = WebpCodec::decode(data, size, picture, options.background);
            break;
        case ImageFormat::Bmp:
            status = BmpCodec::decode(data, size, picture);
            break;
        case ImageFormat::Pcx:
            status = PcxCodec::decode(data, size, picture);
            break;
        case ImageFormat::Ico:
        case ImageFormat::Cur:
            status = IcoCodec::decode(data, size, picture, options.background);
            break;
        case ImageFormat::Wmf:
        case ImageFormat::Emf:
        case ImageFormat::Avi:
        case ImageFormat::Unknown:
            status = ImageStatus::failure(ImageMessages::kUnsupported);
            break;
        }
        if (!status)
            return status;
        if (picture.isNull())
            return ImageStatus::failure(ImageMessages::kCorrupt, "decoder returned no picture");
        out.swap(picture);
        return status;
    });
}

ImageStatus ImageFile::loadGif(const std::string &path, Picture24 &out, std::uint32_t &background)
{
    return guarded(ImageMessages::kTooLarge, ImageMessages::kCorrupt, std::string(), [&]() -> ImageStatus {
        std::vector<std::uint8_t> bytes;
        ImageStatus status = readAll(path, bytes);
        if (!status)
            return status;
        if (bytes.size() < 3 || std::memcmp(bytes.data(), "GIF", 3) != 0)
            return ImageStatus::failure(ImageMessages::kCorrupt, "not a GIF file");
        Picture24 picture;
        std::uint32_t key = background;
        status = GifCodec::decode(bytes.data(), bytes.size(), picture, key);
        if (!status)
            return status;
        out.swap(picture);
        background = key;
        return status;
    });
}

ImageStatus ImageFile::encode(const Picture24 &picture, ImageFormat format, const SaveOptions &options,
                              std::vector<std::uint8_t> &out)
{
    if (picture.isNull())
        return ImageStatus::failure(ImageMessages::kNothingToSave);
    return guarded(ImageMessages::kCannotWrite, ImageMessages::kCannotWrite, std::string(), [&]() -> ImageStatus {
        std::vector<std::uint8_t> bytes;
        ImageStatus status;
        switch (format) {
        case ImageFormat::Bmp:
            status = BmpCodec::encode(picture, bytes);
            break;
        case ImageFormat::Jpeg:
            status = JpegCodec::encode(picture, options.jpegQuality, bytes);
            break;
        case ImageFormat::Png:
            status = PngCodec::encode(picture, bytes);
            break;
        case ImageFormat::Tiff:
            status = TiffCodec::encode(picture, bytes);
            break;
        case ImageFormat::Pcx:
            status = PcxCodec::encode(picture, bytes);
            break;
        case ImageFormat::Gif:
            status = GifCodec::encode(picture, bytes);
            break;
        default:
            status = ImageStatus::failure(ImageMessages::kUnknownExtension);
            break;
        }
        if (!status)
            return status;
        if (bytes.empty())
            return ImageStatus::failure(ImageMessages::kCannotWrite, "encoder produced nothing");
        out.swap(bytes);
        return status;
    });
}

std::string ImageFile::savePathFor(const std::string &path)
{
    const std::size_t start = nameStart(path);
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < start)
        return path + ".bmp";
    if (dot + 1 == path.size()) // "name." has an empty extension
        return path + "bmp";
    return path;
}

ImageStatus ImageFile::save(const std::string &path, const Picture24 &picture, const SaveOptions &options)
{
    return guarded(ImageMessages::kCannotWrite, ImageMessages::kCannotWrite, std::string(), [&]() -> ImageStatus {
        if (picture.isNull())
            return ImageStatus::failure(ImageMessages::kNothingToSave);
        const std::string target = savePathFor(path);
        const ImageFormat format = saveFormatForPath(target);
        if (format == ImageFormat::Unknown) {
            // WMF, EMF, ICO, CUR and AVI are in the save list too: say what
            // can be written rather than call a known extension unknown.
            switch (imageFormatForPath(target)) {
            case ImageFormat::Wmf:
            case ImageFormat::Emf:
            case ImageFormat::Ico:
            case ImageFormat::Cur:
            case ImageFormat::Avi:
                return ImageStatus::failure(ImageMessages::kReadOnlyFormat, target);
            default:
                break;
            }
            return ImageStatus::failure(ImageMessages::kUnknownExtension, target);
        }
        std::vector<std::uint8_t> bytes;
        ImageStatus status = encode(picture, format, options, bytes);
        if (!status)
            return status;
        return writeAtomically(fs::path(target), bytes);
    });
}
