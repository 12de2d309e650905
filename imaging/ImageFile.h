#pragma once

#include "ImageFormat.h"
#include "ImageStatus.h"
#include "Picture24.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

/** Options that apply while decoding. */
struct LoadOptions
{
    /** Colour (0xRRGGBB) under transparent or partly transparent pixels:
     *  the view's background colour. */
    std::uint32_t background = 0xF0F0F0;
    /** Larger files are refused unread (a preview asks for less). */
    std::uint64_t maxFileBytes = std::uint64_t(1) << 30;
};

/** Options that apply while encoding; kept by the save dialog between saves. */
struct SaveOptions
{
    int jpegQuality = 75; ///< 1..100
};

/**
 * Reading and writing image files by extension. Every function reports
 * failure through ImageStatus and leaves the caller's picture as it was.
 */
class ImageFile
{
public:
    /** Loads a file, choosing the decoder by the extension (without case). */
    static ImageStatus load(const std::string &path, Picture24 &out, const LoadOptions &options = {});

    /** As load, and tells which decoder was used: the extension's, or the one
     *  the file's signature names when the content plainly contradicts the
     *  extension (a PNG renamed to .jpg). `usedFormat` is set on success only. */
    static ImageStatus load(const std::string &path, Picture24 &out, const LoadOptions &options,
                            ImageFormat &usedFormat);

    /** Decodes bytes of a known format (used by load, the fuzzers and tests). */
    static ImageStatus decode(const std::uint8_t *data, std::size_t size, ImageFormat format,
                              Picture24 &out, const LoadOptions &options = {});

    /**
     * Loads the first image of a GIF file for the hair overlay: every pixel
     * takes its palette colour (the transparent index too). `background`
     * receives the transparent index's colour when the file has one, else the
     * background index's colour. A file not starting with "GIF" fails and
     * leaves `out` and `background` unchanged.
     */
    static ImageStatus loadGif(const std::string &path, Picture24 &out, std::uint32_t &background);

    /** Writes by extension: .bmp (also the default for a name without one),
     *  .jpg/.jpeg, .png, .tif/.tiff, .pcx, .gif. Written to a temporary name
     *  and renamed, so a failed save leaves an earlier file intact. */
    static ImageStatus save(const std::string &path, const Picture24 &picture,
                            const SaveOptions &options = {});

    /** Encodes into memory for the given format. */
    static ImageStatus encode(const Picture24 &picture, ImageFormat format, const SaveOptions &options,
                              std::vector<std::uint8_t> &out);

    /** The name that save writes to: ".bmp" appended when there is no extension. */
    static std::string savePathFor(const std::string &path);

    /** Reads a whole regular file (see RegularFile); fails with a message for
     *  missing, unreadable, empty or oversized files and for anything but a
     *  regular file. */
    static ImageStatus readAll(const std::string &path, std::vector<std::uint8_t> &bytes);
};
