#pragma once

#include "ImageFile.h"
#include "ImageStatus.h"
#include "Picture24.h"

#include <string>

/**
 * Reading picture files for thumbnails. A JPEG is decoded at the smallest
 * DCT scale that still covers the box the thumbnail is reduced to; every
 * other format is read whole through the by-extension loader.
 */
class ThumbnailReader
{
public:
    /** Reads `path`; boxWidth/boxHeight 0 read at full size. The size of
     *  the picture in the file goes to fullWidth/fullHeight when given (it
     *  differs from out's when the file was read at a reduced scale). */
    static ImageStatus Read(const std::string &path, int boxWidth, int boxHeight, Picture24 &out,
                            const LoadOptions &options = {}, int *fullWidth = nullptr,
                            int *fullHeight = nullptr);

    /** A width x height copy in which each pixel takes the nearest source
     *  pixel (no smoothing). Empty for sizes of 0 or less. */
    static Picture24 Resample(const Picture24 &in, int width, int height);
};
