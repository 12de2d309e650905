#pragma once

#include "FaceDetector.h"

#include <cstdint>
#include <optional>

class Picture24;

/** How the photo view maps picture pixels to its client pixels:
 *  client = picture × zoom / 100 + origin. */
struct ViewMapping
{
    double zoom = 100;   ///< percent
    double originX = 0;  ///< client position of picture pixel 0 (offset − scroll)
    double originY = 0;

    FaceRect toClient(const FaceRect &picture) const;
    FaceRect toPicture(const FaceRect &client) const;
};

/** An overlay's place and size in the view's client pixels. */
struct OverlayBounds
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const OverlayBounds &) const = default;
};

/**
 * The geometry of fitting a hair to a face: a hair picture knows where a face
 * belongs in it (its face rectangle, in its natural pixels); the photo's face
 * is known in picture pixels. Fitting scales the whole hair evenly so the two
 * faces have one width and puts their centres on each other.
 */
namespace FaceFit
{
/** The smallest side a fitted hair may get (as the resize handle allows). */
constexpr int kMinimumSide = 5;

/** Where the overlay goes: `hairWidth` × `hairHeight` is the overlay
 *  picture's natural size, `hairFace` its face rectangle in those pixels,
 *  `photoFace` the face in picture pixels. */
OverlayBounds Fit(const FaceRect &hairFace, int hairWidth, int hairHeight, const FaceRect &photoFace,
                  const ViewMapping &view);

/** The reverse: the face rectangle of a hair picture (natural pixels) that
 *  makes Fit reproduce `placed`, the overlay as the operator left it. */
FaceRect Recorded(const OverlayBounds &placed, int hairWidth, int hairHeight, const FaceRect &photoFace,
                  const ViewMapping &view);

/**
 * A face rectangle for a hair without an entry, read from the hair's own
 * shape. `isHair(x, y)` tells hair pixels (y from the top). The rule:
 *  - the hairline is where the centre column of the hair's bounding box,
 *    going down from the crown, first meets background (a hair that covers
 *    the centre to its bottom has its hairline there);
 *  - a little below the hairline (an eighth of the hair's width), the
 *    background run through the centre, closed by side strands, is the
 *    face's width; without side strands on both sides (short hair) the face
 *    is 60 % of the hair's width;
 *  - the face is as tall as wide and starts a tenth of its width below the
 *    hairline (the brows), centred on the run.
 */
template <typename IsHair>
FaceRect Estimate(int width, int height, IsHair isHair);

/** Estimate for a hair picture whose background is its bottom-left colour. */
FaceRect EstimateFromPicture(const Picture24 &hair);
} // namespace FaceFit

// ------------------------------------------------------------------ inline

template <typename IsHair>
FaceRect FaceFit::Estimate(int width, int height, IsHair isHair)
{
    int left = width, right = -1, top = height, bottom = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (isHair(x, y)) {
                left = x < left ? x : left;
                right = x > right ? x : right;
                top = y < top ? y : top;
                bottom = y > bottom ? y : bottom;
            }
    if (right < 0) // no hair at all: the middle of the picture
        return {width * 0.2, height * 0.2, width * 0.6, width * 0.6};
    const int hairWidth = right - left + 1;
    const int centre = (left + right) / 2;

    // Down the centre column: through the crown to the first background.
    int y = top;
    while (y <= bottom && !isHair(centre, y))
        ++y;
    while (y <= bottom && isHair(centre, y))
        ++y;
    const int hairline = y;

    const int probe = hairline + hairWidth / 8 < height ? hairline + hairWidth / 8 : height - 1;
    int runLeft = centre, runRight = centre;
    bool closedLeft = false, closedRight = false;
    if (probe >= 0 && probe < height && !isHair(centre, probe)) {
        while (runLeft - 1 >= left && !isHair(runLeft - 1, probe))
            --runLeft;
        while (runRight + 1 <= right && !isHair(runRight + 1, probe))
            ++runRight;
        closedLeft = runLeft - 1 >= left;
        closedRight = runRight + 1 <= right;
    }
    double faceWidth, faceCentre;
    if (closedLeft && closedRight && runRight - runLeft + 1 >= hairWidth / 4) {
        faceWidth = runRight - runLeft + 1;
        faceCentre = (runLeft + runRight + 1) / 2.0;
    } else {
        faceWidth = 0.6 * hairWidth;
        faceCentre = (left + right + 1) / 2.0;
    }
    return {faceCentre - faceWidth / 2, hairline + 0.1 * faceWidth, faceWidth, faceWidth};
}
