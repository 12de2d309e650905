#include "TRasterRGB.h"

void TRasterRGB::setGeometry(int width, int height, std::uint8_t *bits)
{
    m_width = width;
    m_height = height;
    m_rowStride = ((width * 24 + 31) / 32) * 4;
    m_rowPadding = width % 4;
    m_byteCount = m_rowStride * height;
    m_bits = bits;
    m_rows.assign(static_cast<std::size_t>(height), nullptr);
    if (bits == nullptr)
        return;
    for (int i = 0; i < height; ++i)
        m_rows[static_cast<std::size_t>(i)] = bits + static_cast<std::size_t>(i) * m_rowStride;
}
