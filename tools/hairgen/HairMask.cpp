#include "HairMask.h"

#include <algorithm>

HairMask::HairMask(int width, int height)
    : m_width(std::max(0, width)), m_height(std::max(0, height)), m_bits(std::size_t(m_width) * m_height, 0)
{
}

int HairMask::hairCount() const
{
    return int(std::count(m_bits.begin(), m_bits.end(), std::uint8_t(1)));
}

bool HairMask::bounds(int &left, int &top, int &right, int &bottom) const
{
    left = m_width;
    top = m_height;
    right = -1;
    bottom = -1;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if (at(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right >= 0;
}

HairMask HairMask::mirrored() const
{
    HairMask out(m_width, m_height);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            out.set(m_width - 1 - x, y, at(x, y));
    return out;
}

HairMask HairMask::padded(int margin) const
{
    margin = std::max(0, margin);
    HairMask out(m_width + 2 * margin, m_height + 2 * margin);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            out.set(x + margin, y + margin, at(x, y));
    return out;
}

std::vector<int> HairMask::components(std::uint8_t value, bool eightConnected, std::vector<int> &sizes,
                                      std::vector<bool> &touchesBorder) const
{
    std::vector<int> label(m_bits.size(), -1);
    sizes.clear();
    touchesBorder.clear();
    std::vector<int> stack;
    for (int start = 0; start < int(m_bits.size()); ++start) {
        if (m_bits[start] != value || label[start] >= 0)
            continue;
        const int id = int(sizes.size());
        sizes.push_back(0);
        touchesBorder.push_back(false);
        label[start] = id;
        stack.push_back(start);
        while (!stack.empty()) {
            const int p = stack.back();
            stack.pop_back();
            ++sizes[id];
            const int x = p % m_width;
            const int y = p / m_width;
            if (x == 0 || y == 0 || x == m_width - 1 || y == m_height - 1)
                touchesBorder[id] = true;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    if ((dx == 0 && dy == 0) || (!eightConnected && dx != 0 && dy != 0))
                        continue;
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= m_width || ny >= m_height)
                        continue;
                    const int q = ny * m_width + nx;
                    if (m_bits[q] == value && label[q] < 0) {
                        label[q] = id;
                        stack.push_back(q);
                    }
                }
        }
    }
    return label;
}

void HairMask::removeSpecks(int minPixels, double minShare)
{
    std::vector<int> sizes;
    std::vector<bool> border;
    const std::vector<int> label = components(1, true, sizes, border);
    const int largest = sizes.empty() ? 0 : *std::max_element(sizes.begin(), sizes.end());
    const double limit = std::max(double(minPixels), minShare * largest);
    for (std::size_t i = 0; i < m_bits.size(); ++i)
        if (label[i] >= 0 && sizes[label[i]] < limit)
            m_bits[i] = 0;
}

void HairMask::fillPinholes(int maxPixels)
{
    std::vector<int> sizes;
    std::vector<bool> border;
    const std::vector<int> label = components(0, false, sizes, border);
    for (std::size_t i = 0; i < m_bits.size(); ++i)
        if (label[i] >= 0 && !border[label[i]] && sizes[label[i]] < maxPixels)
            m_bits[i] = 1;
}
