#pragma once

#include <vector>

// Box blur of a float plane (rows top-down), edges clamped to the plane.
// Repeated passes approach a Gaussian.
class PlaneBlur
{
public:
    static void box(std::vector<float> &plane, int width, int height, int radius, int passes = 1);
};
