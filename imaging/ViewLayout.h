#pragma once

#include <cstdint>
#include <vector>

class Picture24;

/** A rectangle in whole pixels: left, top, width, height. */
struct ViewRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool isEmpty() const { return width <= 0 || height <= 0; }
    bool contains(int px, int py) const
    {
        return px >= x && py >= y && px < x + width && py < y + height;
    }
    bool operator==(const ViewRect &) const = default;
};

/** State of one managed scroll bar, in the slider's own terms: positions run
 *  from 0 to maximum, the thumb covers page pixels. */
struct ViewScrollBar
{
    bool visible = false;
    int maximum = 0;
    int page = 0;
    int position = 0;
    /** The same range in the inclusive "0 ... client + Max - 1" form
     *  (document length), for platforms that take it that way. */
    int rangeEnd() const { return page + maximum - 1; }
};

/**
 * Geometry of the photo view: where a zoomed, scrolled picture lands in the
 * client area, which picture rectangle is drawn, and how window and picture
 * coordinates convert. All values derive from the inputs on every call, so
 * the object never holds a stale layout.
 *
 * Inputs: bitmap size W x H, client size CW x CH (inside border and scroll
 * bars), the control's outer size, zoom in percent, the scroll offsets
 * ViewX/ViewY (zoomed pixels) and whether small pictures are centred.
 */
class ViewLayout
{
public:
    /** Round half to even, the rounding of every layout formula. Results are
     *  clamped to a range that cannot overflow later sums. */
    static int Round(double value);

    /** Zoom that fits a W x H picture into an outer size, in percent; at
     *  least 1 so that a huge picture in a tiny control still converts
     *  coordinates. 0 when the picture has no width or height. */
    static int autoFitZoom(int bitmapWidth, int bitmapHeight, int outerWidth, int outerHeight);

    /** Nearest-neighbour index map: for each of dstLen target pixels the
     *  source index srcStart + floor(i * srcLen / dstLen). Empty when either
     *  length is 0 or less. */
    static std::vector<int> stretchIndices(int srcStart, int srcLen, int dstLen);

    void setBitmapSize(int width, int height) { m_bitmapWidth = width; m_bitmapHeight = height; }
    void setClientSize(int width, int height) { m_clientWidth = width; m_clientHeight = height; }
    void setOuterSize(int width, int height) { m_outerWidth = width; m_outerHeight = height; }
    /** Zoom in percent; values of 0 or less are kept out by the view. */
    void setZoom(int zoom) { m_zoom = zoom; }
    void setCenter(bool center) { m_center = center; }
    /** Stores the offsets as given; use clampViewX/Y first. */
    void setView(int viewX, int viewY) { m_viewX = viewX; m_viewY = viewY; }

    int bitmapWidth() const { return m_bitmapWidth; }
    int bitmapHeight() const { return m_bitmapHeight; }
    int clientWidth() const { return m_clientWidth; }
    int clientHeight() const { return m_clientHeight; }
    int outerWidth() const { return m_outerWidth; }
    int outerHeight() const { return m_outerHeight; }
    int zoom() const { return m_zoom; }
    bool center() const { return m_center; }
    int ViewX() const { return m_viewX; }
    int ViewY() const { return m_viewY; }

    int ZoomedWidth() const;
    int ZoomedHeight() const;
    int DrawnWidth() const;
    int DrawnHeight() const;
    int OffsetX() const;
    int OffsetY() const;
    int MaxViewX() const;
    int MaxViewY() const;

    /** An offset limited to 0 ... MaxViewX (MaxViewY). */
    int clampViewX(int x) const;
    int clampViewY(int y) const;

    /** The client rectangle the picture covers. */
    ViewRect drawnRect() const;
    /** The picture rectangle drawn into drawnRect(); empty when there is
     *  nothing to draw (no picture, or a zoomed size of 0). */
    ViewRect sourceRect() const;

    int ClientToPictureX(int x) const;
    int ClientToPictureY(int y) const;
    int PictureToClientX(int x) const;
    int PictureToClientY(int y) const;

    ViewScrollBar horizontalScrollBar() const;
    ViewScrollBar verticalScrollBar() const;

    /**
     * Resamples sourceRect() of a picture into drawnRect()'s size, each
     * target pixel copied from one picture pixel. dst receives DrawnHeight
     * top-down rows of DrawnWidth blue-green-red pixels, dstStride bytes
     * apart. Does nothing when the source rectangle is empty or the picture's
     * size is not the layout's bitmap size.
     */
    void renderDrawn(const Picture24 &picture, std::uint8_t *dst, int dstStride) const;

private:
    bool fitsOuter() const;

    int m_bitmapWidth = 0;
    int m_bitmapHeight = 0;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    int m_outerWidth = 0;
    int m_outerHeight = 0;
    int m_zoom = 100;
    bool m_center = false;
    int m_viewX = 0;
    int m_viewY = 0;
};
