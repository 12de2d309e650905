#pragma once

#include "HairMask.h"

#include <string>

// Reads a hair shape (a PNG whose opaque pixels are hair) into a mask, scaled
// smoothly before thresholding so that enlarged shapes keep clean outlines.
class MaskLoader
{
public:
    static bool load(const std::string &path, double scale, HairMask &mask, std::string &error);
};
