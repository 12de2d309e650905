#pragma once

#include "ImageStatus.h"
#include "Picture24.h"

#include <cstddef>
#include <cstdint>
#include <vector>

/**
 * Builds a 24-bit picture from the raw lines a scanner or camera delivers:
 * grey, pixel-interleaved colour, or one colour band per frame (three-pass
 * devices), at 1, 8 or 16 bits per sample.
 *
 * Bytes may arrive in chunks of any size, lines split across chunks. When the
 * device does not know the picture's height in advance (hand-held devices),
 * the picture grows as lines arrive, within Picture24::sizeAcceptable.
 *
 * Conventions of the device data: 1-bit grey samples are 1 for black (line
 * art); 1-bit colour samples are 1 for a lit channel; the leftmost pixel of a
 * 1-bit byte is its most significant bit; 16-bit samples are in the machine's
 * byte order.
 *
 * Free of SANE itself, so that malformed device data can be tested without a
 * device.
 */
class SaneFrameAssembler
{
public:
    enum class Kind { Gray, Rgb, Red, Green, Blue };

    /** The parameters a device reports for one frame. */
    struct Layout
    {
        Kind kind = Kind::Gray;
        int depth = 8;          ///< bits per sample: 1, 8 or 16
        int pixelsPerLine = 0;
        int bytesPerLine = 0;   ///< may exceed the samples' bytes (padding)
        int lines = -1;         ///< -1 (or 0) when unknown in advance
    };

    /** Samples per pixel of a frame kind (3 for Rgb, else 1). */
    static int channelsOf(Kind kind);
    /** Bytes a line needs at least for its samples. */
    static std::int64_t minimumBytesPerLine(const Layout &layout);
    /** Checks a layout on its own: depth, width, line length, height. */
    static ImageStatus checkLayout(const Layout &layout);

    /** Forgets everything; the next frame starts a new picture. */
    void clear();

    /** Starts a frame. The first frame fixes the width (and the height, when
     *  known); later band frames must have the same width. */
    ImageStatus beginFrame(const Layout &layout);
    /** Adds bytes of the current frame. Fails when the picture would grow
     *  beyond what the engine accepts. */
    ImageStatus feed(const std::uint8_t *data, std::size_t size);
    /** Ends the current frame; a trailing partial line is dropped. */
    void endFrame();

    /** Complete lines of the picture so far. */
    int rows() const { return m_rows; }
    int width() const { return m_width; }
    /** Frames begun since clear(). */
    int frames() const { return m_frames; }

    /** Hands over the picture (width x rows()); fails when no complete line
     *  arrived. `out` is left as it was on failure. */
    ImageStatus finish(Picture24 &out);

private:
    ImageStatus ensureRows(int rows);
    void convertLine(const std::uint8_t *line, int y);

    Layout m_layout;
    bool m_inFrame = false;
    int m_frames = 0;
    int m_width = 0;
    int m_rows = 0;        ///< lines of the picture so far
    int m_frameRow = 0;    ///< next line of the current frame
    std::vector<std::uint8_t> m_line;  ///< partial line carried between chunks
    std::vector<std::uint8_t> m_pixels; ///< top-down lines, Picture24 stride
};
