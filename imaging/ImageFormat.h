#pragma once

#include <string>
#include <vector>

/** File formats the engine knows. The numeric values are the codes returned by
 *  the content check; 0 means unknown. */
enum class ImageFormat : int {
    Unknown = 0,
    Bmp = 1,
    Jpeg = 2,
    Png = 3,
    Gif = 4,
    Tiff = 5,
    Pcx = 6,
    Ico = 7,
    Cur = 8,
    Wmf = 9,
    Emf = 10,
    Avi = 11,
    Heif = 12,
    Webp = 13,
};

/** Upper-case short name ("JPEG", "PNG", ...), as imageprobe prints it. */
const char *imageFormatName(ImageFormat format);
/** Format registered for a file name's extension, compared without case;
 *  Unknown when the name has no such extension. */
ImageFormat imageFormatForPath(const std::string &path);
/** Every extension (lower case, without the dot) that loading by extension
 *  opens: the one list that pages offering photos build their name masks
 *  from. Metafiles and videos are recognised but not opened, so not listed. */
const std::vector<std::string> &imageReadableExtensions();
