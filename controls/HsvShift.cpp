#include "HsvShift.h"

#include "HsvModel.h"
#include "Picture24.h"

#include <algorithm>

namespace {

// Summed in 64 bits so that extreme deltas clamp instead of overflowing.
int shifted(int value, int delta, int top)
{
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(value) + delta, 0, top));
}

} // namespace

void ShiftHSV(Picture24 &picture, int deltaHue, int deltaSat, int deltaVal)
{
    // Hair pictures have few distinct colours; remembering the last one
    // skips most conversions on flat areas.
    bool haveLast = false;
    std::uint8_t lastIn[3] = {0, 0, 0};
    RgbColour lastOut;

    for (int r = 0; r < picture.height(); ++r) {
        std::uint8_t *p = picture.row(r);
        for (int x = 0; x < picture.width(); ++x, p += 3) {
            if (!haveLast || p[0] != lastIn[0] || p[1] != lastIn[1] || p[2] != lastIn[2]) {
                lastIn[0] = p[0];
                lastIn[1] = p[1];
                lastIn[2] = p[2];
                const HsvColour c = RGBtoHSV(p[2], p[1], p[0]);
                lastOut = HSVtoRGB(shifted(c.hue, deltaHue, 359), shifted(c.sat, deltaSat, 99),
                                   shifted(c.val, deltaVal, 99));
                haveLast = true;
            }
            p[0] = lastOut.blue;
            p[1] = lastOut.green;
            p[2] = lastOut.red;
        }
    }
}
