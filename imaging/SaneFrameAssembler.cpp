#include "SaneFrameAssembler.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr const char *kBadData = "Formato de dados do dispositivo não suportado.";
constexpr const char *kNoLines = "O dispositivo não entregou nenhuma imagem.";
// A line longer than this is not a picture line but a broken report.
constexpr std::int64_t kMaxBytesPerLine = std::int64_t(1) << 24;

inline std::uint8_t sample8(const std::uint8_t *line, int index, int depth)
{
    switch (depth) {
    case 1:
        return std::uint8_t(((line[index >> 3] >> (7 - (index & 7))) & 1) ? 255 : 0);
    case 16: {
        std::uint16_t v;
        std::memcpy(&v, line + 2 * std::size_t(index), sizeof v);
        return std::uint8_t(v >> 8);
    }
    default:
        return line[index];
    }
}
} // namespace

int SaneFrameAssembler::channelsOf(Kind kind)
{
    return kind == Kind::Rgb ? 3 : 1;
}

std::int64_t SaneFrameAssembler::minimumBytesPerLine(const Layout &layout)
{
    const std::int64_t bits = std::int64_t(layout.pixelsPerLine) * channelsOf(layout.kind) * layout.depth;
    return (bits + 7) / 8;
}

ImageStatus SaneFrameAssembler::checkLayout(const Layout &layout)
{
    if (layout.depth != 1 && layout.depth != 8 && layout.depth != 16)
        return ImageStatus::failure(kBadData, "unsupported depth " + std::to_string(layout.depth));
    if (layout.pixelsPerLine <= 0)
        return ImageStatus::failure(kBadData, "no pixels per line");
    if (!Picture24::sizeAcceptable(layout.pixelsPerLine, 1)
        || (layout.lines > 0 && !Picture24::sizeAcceptable(layout.pixelsPerLine, layout.lines)))
        return ImageStatus::failure(ImageMessages::kTooLarge);
    if (layout.bytesPerLine < minimumBytesPerLine(layout) || layout.bytesPerLine > kMaxBytesPerLine)
        return ImageStatus::failure(kBadData, "bytes per line " + std::to_string(layout.bytesPerLine)
                                                  + " does not fit " + std::to_string(layout.pixelsPerLine)
                                                  + " pixels");
    return ImageStatus::success();
}

void SaneFrameAssembler::clear()
{
    *this = SaneFrameAssembler();
}

ImageStatus SaneFrameAssembler::beginFrame(const Layout &layout)
{
    if (ImageStatus status = checkLayout(layout); !status)
        return status;
    if (m_frames > 0) {
        // Only band frames may follow one another, all of the same width.
        const bool band = layout.kind == Kind::Red || layout.kind == Kind::Green || layout.kind == Kind::Blue;
        const bool previousBand = m_layout.kind == Kind::Red || m_layout.kind == Kind::Green
                                  || m_layout.kind == Kind::Blue;
        if (!band || !previousBand)
            return ImageStatus::failure(kBadData, "a further frame after a complete picture");
        if (layout.pixelsPerLine != m_width)
            return ImageStatus::failure(kBadData, "frames of different widths");
    } else {
        m_width = layout.pixelsPerLine;
        if (layout.lines > 0)
            m_pixels.reserve(std::size_t(Picture24::strideFor(m_width)) * std::size_t(layout.lines));
    }
    m_layout = layout;
    m_inFrame = true;
    m_frameRow = 0;
    m_line.clear();
    m_line.reserve(std::size_t(layout.bytesPerLine));
    ++m_frames;
    return ImageStatus::success();
}

ImageStatus SaneFrameAssembler::ensureRows(int rows)
{
    if (rows <= m_rows)
        return ImageStatus::success();
    if (!Picture24::sizeAcceptable(m_width, rows))
        return ImageStatus::failure(ImageMessages::kTooLarge);
    m_pixels.resize(std::size_t(Picture24::strideFor(m_width)) * std::size_t(rows), 0);
    m_rows = rows;
    return ImageStatus::success();
}

void SaneFrameAssembler::convertLine(const std::uint8_t *line, int y)
{
    std::uint8_t *p = m_pixels.data() + std::size_t(Picture24::strideFor(m_width)) * std::size_t(y);
    const int depth = m_layout.depth;
    switch (m_layout.kind) {
    case Kind::Gray:
        for (int x = 0; x < m_width; ++x, p += 3) {
            std::uint8_t v = sample8(line, x, depth);
            if (depth == 1)
                v = std::uint8_t(255 - v); // line art: a set bit is black
            p[0] = p[1] = p[2] = v;
        }
        break;
    case Kind::Rgb:
        for (int x = 0; x < m_width; ++x, p += 3) {
            p[2] = sample8(line, 3 * x, depth);
            p[1] = sample8(line, 3 * x + 1, depth);
            p[0] = sample8(line, 3 * x + 2, depth);
        }
        break;
    case Kind::Red:
    case Kind::Green:
    case Kind::Blue: {
        const int channel = m_layout.kind == Kind::Red ? 2 : m_layout.kind == Kind::Green ? 1 : 0;
        for (int x = 0; x < m_width; ++x, p += 3)
            p[channel] = sample8(line, x, depth);
        break;
    }
    }
}

ImageStatus SaneFrameAssembler::feed(const std::uint8_t *data, std::size_t size)
{
    if (!m_inFrame)
        return ImageStatus::failure(kBadData, "data outside a frame");
    const std::size_t bpl = std::size_t(m_layout.bytesPerLine);
    // Band frames after the first fill the lines the first one made.
    const bool firstFrame = m_frames == 1;
    while (size > 0) {
        const std::size_t take = std::min(size, bpl - m_line.size());
        m_line.insert(m_line.end(), data, data + take);
        data += take;
        size -= take;
        if (m_line.size() < bpl)
            break;
        const int y = m_frameRow++;
        if (firstFrame) {
            if (ImageStatus status = ensureRows(y + 1); !status)
                return status;
        }
        if (y < m_rows)
            convertLine(m_line.data(), y);
        m_line.clear();
    }
    return ImageStatus::success();
}

void SaneFrameAssembler::endFrame()
{
    m_line.clear();
    m_inFrame = false;
}

ImageStatus SaneFrameAssembler::finish(Picture24 &out)
{
    if (m_rows <= 0 || m_width <= 0)
        return ImageStatus::failure(kNoLines);
    Picture24 picture(m_width, m_rows);
    const std::size_t stride = std::size_t(picture.stride());
    for (int y = 0; y < m_rows; ++y)
        std::memcpy(picture.scanLine(y), m_pixels.data() + stride * std::size_t(y), stride);
    out.swap(picture);
    clear();
    return ImageStatus::success();
}
