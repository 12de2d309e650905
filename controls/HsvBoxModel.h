#pragma once

#include "HsvModel.h"
#include "Picture24.h"

#include <cstdint>

/**
 * Everything the HSV picker knows and shows, free of any window system: the
 * current hue, saturation and value with the matching colour, and the picture
 * of the control (a saturation/value square for the current hue, a gap in the
 * background colour and a vertical hue bar), including the two markers.
 *
 * Layout for a control W x H: the square takes columns 0 ... W - 26 (its width
 * is squareWidth() = W - 25), the gap the next 5 columns, the hue bar the last
 * 20. In the square saturation grows to the right and value upward; in the bar
 * hue grows upward.
 *
 * The markers are drawn by inverting pixels, so drawing them twice at the same
 * place restores the picture exactly. Every change erases them, changes the
 * state and draws them again; the picture therefore always equals a freshly
 * painted one for the current state.
 *
 * Colours (Color(), Background()) are packed with red in the low byte, then
 * green, then blue.
 */
class HsvBoxModel
{
public:
    /** Where the current left-button drag started. */
    enum DragZone : int { NoZone = 0, SquareZone = 1, BarZone = 2 };

    /** A marker outline; left and top included, right and bottom excluded. */
    struct MarkerRect
    {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
        bool operator==(const MarkerRect &other) const = default;
    };

    static constexpr int kGapWidth = 5;
    static constexpr int kBarWidth = 20;
    static constexpr int kDefaultSize = 105;
    /** The usual button-face grey, for callers that know no better. */
    static constexpr std::uint32_t kButtonFace = 0x00F0F0F0;

    /** A control of the given size (negative sizes count as 0), all colour
     *  fields 0, painted with its markers. */
    explicit HsvBoxModel(int width = kDefaultSize, int height = kDefaultSize,
                         std::uint32_t background = kButtonFace);

    int width() const { return m_width; }
    int height() const { return m_height; }
    /** Width of the saturation/value square (may be <= 0 for tiny controls). */
    int squareWidth() const { return m_width - kGapWidth - kBarWidth; }

    int Hue() const { return m_hue; }
    int Sat() const { return m_sat; }
    int Val() const { return m_val; }
    std::uint8_t Red() const { return m_rgb.red; }
    std::uint8_t Green() const { return m_rgb.green; }
    std::uint8_t Blue() const { return m_rgb.blue; }
    /** The current colour, red in the low byte. */
    std::uint32_t Color() const;
    std::uint32_t Background() const { return m_background; }
    DragZone dragZone() const { return m_dragZone; }

    /** The control's picture, W x H, markers included. */
    const Picture24 &PickerBitmap() const { return m_bitmap; }

    /** Clamps to 0 ... 359 and repaints the square for the new hue. */
    void setHue(int value);
    /** Clamps to 0 ... 99; the square stays as it is. */
    void setSat(int value);
    /** Clamps to 0 ... 99; the square stays as it is. */
    void setVal(int value);
    /** Colour of the gap; repaints the whole picture. */
    void setBackground(std::uint32_t colour);
    /** New control size; the picture is repainted at that size. */
    void resize(int width, int height);

    /**
     * Left-button press at (x, y). In the square or the bar it starts a drag
     * there and picks; in the gap nothing changes. Returns true when a
     * colour was picked (the caller then reports the change).
     */
    bool mousePress(int x, int y);
    /**
     * Mouse movement during a drag. The point is clamped into the zone where
     * the drag started, so a drag from the square never picks a hue and vice
     * versa. Without a drag nothing happens. Returns true when it picked.
     */
    bool mouseMove(int x, int y);
    /** Any button release ends the drag. */
    void mouseRelease() { m_dragZone = NoZone; }

    /** Paints the square for the current hue (markers are not touched). */
    void PaintSquare();
    /** Paints the gap and the hue bar (markers are not touched). */
    void PaintBarAndGap();
    /** Inverts the two marker outlines: draws them, or erases drawn ones. */
    void ToggleMarkers();
    /**
     * Picks at (x, y), clamped into the control: in the square sets
     * saturation and value, in the bar sets the hue and repaints the square.
     * A point in the gap picks nothing and returns false.
     */
    bool PickAt(int x, int y);

    /** Outline of the hue marker for the current hue. */
    MarkerRect hueMarker() const;
    /** Outline of the saturation/value marker for the current state. */
    MarkerRect svMarker() const;

private:
    void recomputeColour();
    void invertOutline(const MarkerRect &rect);

    int m_width = 0;
    int m_height = 0;
    int m_hue = 0;
    int m_sat = 0;
    int m_val = 0;
    RgbColour m_rgb;
    std::uint32_t m_background = kButtonFace;
    DragZone m_dragZone = NoZone;
    Picture24 m_bitmap;
};
