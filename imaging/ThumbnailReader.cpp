#include "ThumbnailReader.h"

#include "FileFormatCheck.h"
#include "JpegCodec.h"
#include "ViewLayout.h"

#include <cstring>
#include <vector>

ImageStatus ThumbnailReader::Read(const std::string &path, int boxWidth, int boxHeight, Picture24 &out,
                                  const LoadOptions &options, int *fullWidth, int *fullHeight)
{
    if (boxWidth > 0 && boxHeight > 0 && imageFormatForPath(path) == ImageFormat::Jpeg) {
        std::vector<std::uint8_t> bytes;
        ImageStatus status = ImageFile::readAll(path, bytes);
        if (!status)
            return status;
        // Only a file that really holds a JPEG takes the short way; anything
        // else goes to the loader, which knows mislabelled files.
        if (FileFormatCheck::checkBytes(bytes.data(), bytes.size()) == ImageFormat::Jpeg)
            return JpegCodec::decodeScaled(bytes.data(), bytes.size(), boxWidth, boxHeight, out, fullWidth,
                                           fullHeight);
    }
    const ImageStatus status = ImageFile::load(path, out, options);
    if (status) {
        if (fullWidth)
            *fullWidth = out.width();
        if (fullHeight)
            *fullHeight = out.height();
    }
    return status;
}

Picture24 ThumbnailReader::Resample(const Picture24 &in, int width, int height)
{
    Picture24 out;
    if (in.isNull() || width <= 0 || height <= 0)
        return out;
    out.reset(width, height);
    const std::vector<int> xs = ViewLayout::stretchIndices(0, in.width(), width);
    const std::vector<int> ys = ViewLayout::stretchIndices(0, in.height(), height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t *src = in.scanLine(ys[static_cast<std::size_t>(y)]);
        std::uint8_t *dst = out.scanLine(y);
        for (int x = 0; x < width; ++x)
            std::memcpy(dst + 3 * x, src + 3 * xs[static_cast<std::size_t>(x)], 3);
    }
    return out;
}
