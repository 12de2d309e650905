#pragma once

#include "ImageFormat.h"

#include <cstddef>
#include <cstdint>
#include <string>

/**
 * Recognises a picture file by its first bytes, the way the catalogue browser
 * filters its folder listings: a file is listed only when this check gives a
 * format other than Unknown.
 */
class FileFormatCheck
{
public:
    /** Bytes read from the start of the file. */
    static constexpr std::size_t kProbeSize = 128;

    /**
     * Format found in the content of the file at `path`. Unknown when the file
     * cannot be opened, is empty, or holds no format the engine reads; and,
     * when `checkExtension` is set, also when the extension (without case) is
     * registered for a different format or for none: a file that loading by
     * extension could not open is not offered.
     */
    static ImageFormat check(const std::string &path, bool checkExtension);

    /** Format found in the first bytes of a file, given in memory. */
    static ImageFormat checkBytes(const std::uint8_t *data, std::size_t size);

    /** True for a HEIF file's first bytes: an "ftyp" box whose major or a
     *  compatible brand is one of the HEVC-coded HEIF brands. */
    static bool looksLikeHeif(const std::uint8_t *data, std::size_t size);
    /** True for a WebP file's first bytes: "RIFF", a size, "WEBP" and a
     *  VP8, VP8L or VP8X chunk. */
    static bool looksLikeWebp(const std::uint8_t *data, std::size_t size);
};
