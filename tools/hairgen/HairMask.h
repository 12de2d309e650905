#pragma once

#include <cstdint>
#include <vector>

// Which pixels of a hair picture are hair. Rows top-down, one byte a pixel
// (0 background, 1 hair).
class HairMask
{
public:
    HairMask() = default;
    HairMask(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isNull() const { return m_width <= 0 || m_height <= 0; }

    // Outside the mask counts as background.
    bool at(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < m_width && y < m_height && m_bits[std::size_t(y) * m_width + x];
    }
    void set(int x, int y, bool hair) { m_bits[std::size_t(y) * m_width + x] = hair ? 1 : 0; }

    int hairCount() const;
    // Bounding box of the hair pixels; false when there are none.
    bool bounds(int &left, int &top, int &right, int &bottom) const;

    HairMask mirrored() const;
    // The same mask with `margin` background pixels on every side, so that the
    // corners of the finished picture are always background.
    HairMask padded(int margin) const;
    // Drops 8-connected islands of hair smaller than minPixels or than
    // minShare of the largest island (specks, one-pixel lines and loose bits
    // left over from the shape outlines).
    void removeSpecks(int minPixels, double minShare = 0.0);
    // Fills 4-connected background pockets that do not reach the border and are
    // smaller than maxPixels: pin-holes look like faults, real gaps are larger.
    void fillPinholes(int maxPixels);

private:
    // Labels the connected components where m_bits == value; returns the label
    // per pixel (-1 elsewhere) and the size of every component.
    std::vector<int> components(std::uint8_t value, bool eightConnected, std::vector<int> &sizes,
                                std::vector<bool> &touchesBorder) const;

    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_bits;
};
