#pragma once

#include "IndexedPicture.h"

#include <string>

// Reads and writes palette pictures as GIF files through giflib.
class GifFile
{
public:
    // Writes a single-image GIF whose screen background index is 0. The file
    // is written beside its final name and renamed at the end, so a failed
    // run never leaves a truncated hair picture behind.
    static bool write(const std::string &path, const IndexedPicture &picture, std::string &error);

    // Reads the first image of a GIF into picture (interlaced rows put in
    // order, the local palette preferred over the global one). Pixels of the
    // logical screen outside the image take the background index.
    static bool read(const std::string &path, IndexedPicture &picture, std::string &error);
};
