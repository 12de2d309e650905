#pragma once

#include "HairMask.h"

#include <vector>

// Euclidean distance from every hair pixel to the nearest background pixel
// (0 on background; the area outside the mask counts as background). Hair is
// shaded and its strands steered by this field, so it must be exact: a chamfer
// approximation leaves visible facets in the shading.
class DistanceField
{
public:
    explicit DistanceField(const HairMask &mask);

    int width() const { return m_width; }
    int height() const { return m_height; }
    float at(int x, int y) const { return m_values[std::size_t(y) * m_width + x]; }
    const std::vector<float> &values() const { return m_values; }

private:
    // One-dimensional squared distance transform of f (lower envelope of
    // parabolas), written into d.
    static void transform1d(const std::vector<float> &f, std::vector<float> &d, std::vector<int> &v,
                            std::vector<float> &z);

    int m_width = 0;
    int m_height = 0;
    std::vector<float> m_values;
};
