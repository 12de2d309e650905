#pragma once

#include "DistanceField.h"
#include "HairMask.h"

#include <vector>

// The direction hair runs at every pixel of a mask, as unit vectors (x right,
// y down). Far from the outline hair falls from the crown outwards and, lower
// down, with gravity; near the outline and in thin locks it follows the
// outline, the way a lock's strands run along the lock.
class FlowField
{
public:
    FlowField(const HairMask &mask, const DistanceField &distance, float crownX, float crownY);

    int width() const { return m_width; }
    int height() const { return m_height; }
    // Direction at a pixel; (0, 1) outside the picture.
    void at(int x, int y, float &dx, float &dy) const;
    // Bilinear direction at a point, renormalised.
    void sample(float x, float y, float &dx, float &dy) const;

    // Direction of the hair without regard to the outline: away from the crown,
    // bending downwards the further below the crown a point lies. `reach` is
    // the height over which the bend sets in fully.
    static void fallDirection(float x, float y, float crownX, float crownY, float reach, float &dx,
                              float &dy);

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<float> m_dx;
    std::vector<float> m_dy;
};
