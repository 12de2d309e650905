#pragma once

/**
 * Where things go when a composition is made to show its whole photo as
 * large as the free area allows: the client size, the zoom, and the hair's
 * new rectangle so it stays on the same part of the face.
 *
 * Plain numbers only. Sizes and positions are in screen pixels; the hair's
 * rectangle is in the photo view's client coordinates (inside its border),
 * which show the photo from the scroll offset (viewX, viewY) at zoom
 * percent, the photo's top-left corner at the client's when not scrolled.
 */
class WholePhotoFit
{
public:
    struct Rect
    {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        bool operator==(const Rect &) const = default;
    };

    struct Input
    {
        int photoWidth = 0;
        int photoHeight = 0;
        /** The largest client size the composition's window can take. */
        int areaWidth = 0;
        int areaHeight = 0;
        /** Border of the photo view on each side, inside the client. */
        int border = 0;
        int zoom = 100;
        int viewX = 0;
        int viewY = 0;
        Rect hair;
    };

    struct Result
    {
        bool ok = false; ///< false when there is no photo or no room at all
        int clientWidth = 0;
        int clientHeight = 0;
        int zoom = 100;
        Rect hair;
    };

    /** The largest whole percent at which a photo of w x h, zoomed the way
     *  the photo view rounds it, fits in availW x availH; 0 when not even
     *  1 % fits or the photo is empty. */
    static int LargestZoom(int photoWidth, int photoHeight, int availWidth, int availHeight);

    /** The photo's side at @p zoom percent, rounded as the photo view does. */
    static int Zoomed(int side, int zoom);

    static Result Compute(const Input &in);
};
