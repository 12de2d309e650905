#include "ImageFormat.h"

#include <cctype>
#include <cstddef>

const char *imageFormatName(ImageFormat format)
{
    switch (format) {
    case ImageFormat::Bmp: return "BMP";
    case ImageFormat::Jpeg: return "JPEG";
    case ImageFormat::Png: return "PNG";
    case ImageFormat::Gif: return "GIF";
    case ImageFormat::Tiff: return "TIFF";
    case ImageFormat::Pcx: return "PCX";
    case ImageFormat::Ico: return "ICO";
    case ImageFormat::Cur: return "CUR";
    case ImageFormat::Wmf: return "WMF";
    case ImageFormat::Emf: return "EMF";
    case ImageFormat::Avi: return "AVI";
    case ImageFormat::Heif: return "HEIF";
    case ImageFormat::Webp: return "WEBP";
    case ImageFormat::Unknown: break;
    }
    return "UNKNOWN";
}

namespace {

struct Entry
{
    const char *ext;
    ImageFormat format;
};
// .dib and .jpe are the usual alternative spellings of the same formats.
constexpr Entry kTable[] = {
    {"bmp", ImageFormat::Bmp},   {"dib", ImageFormat::Bmp},   {"jpg", ImageFormat::Jpeg},
    {"jpeg", ImageFormat::Jpeg}, {"jpe", ImageFormat::Jpeg},  {"png", ImageFormat::Png},
    {"gif", ImageFormat::Gif},   {"tif", ImageFormat::Tiff},  {"tiff", ImageFormat::Tiff},
    {"pcx", ImageFormat::Pcx},   {"ico", ImageFormat::Ico},   {"cur", ImageFormat::Cur},
    {"wmf", ImageFormat::Wmf},   {"emf", ImageFormat::Emf},   {"avi", ImageFormat::Avi},
    {"heic", ImageFormat::Heif}, {"heif", ImageFormat::Heif}, {"webp", ImageFormat::Webp},
};

} // namespace

const std::vector<std::string> &imageReadableExtensions()
{
    // Metafiles and videos are recognised but not opened.
    static const std::vector<std::string> list = [] {
        std::vector<std::string> out;
        for (const Entry &e : kTable)
            if (e.format != ImageFormat::Wmf && e.format != ImageFormat::Emf && e.format != ImageFormat::Avi)
                out.emplace_back(e.ext);
        return out;
    }();
    return list;
}

ImageFormat imageFormatForPath(const std::string &path)
{
    // Catalogue paths are built with backslashes, so both separators end a
    // folder name; a dot inside a folder name is not an extension.
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart || dot + 1 >= path.size())
        return ImageFormat::Unknown;

    std::string ext;
    ext.reserve(path.size() - dot - 1);
    for (std::size_t i = dot + 1; i < path.size(); ++i)
        ext.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(path[i]))));

    for (const Entry &e : kTable)
        if (ext == e.ext)
            return e.format;
    return ImageFormat::Unknown;
}
