#pragma once

#include "PaintRect.h"
#include "Picture24.h"

#include <cstdint>

/**
 * The painting state of the retouch editor, free of any window system: the
 * picture being edited (held by the editor's view, attached here), one pen
 * (colour and width), one undo snapshot, the tool (pen or dropper) and the
 * stroke in progress. The editor forwards its mouse events here in picture
 * coordinates and repaints the rectangles that come back.
 *
 * Colours are 0xRRGGBB. The state lives as long as the editor: tool, colour,
 * width and snapshot carry over from one showing to the next.
 */
class PaintModel
{
public:
    enum class Tool { Pen, Dropper };
    enum class Button { Left, Right, Middle };

    /** The dropper picks this many pixels right of and below the pointer. */
    static constexpr int kDropperOffset = 8;
    /** Size of the blank white snapshot before anything was edited. */
    static constexpr int kBlankSnapshotSide = 105;
    static constexpr std::uint32_t kWhite = 0xFFFFFF;

    PaintModel();

    /** The picture to edit (not owned; it must outlive its use here). */
    void Attach(Picture24 *picture) { m_picture = picture; }
    Picture24 *Picture() const { return m_picture; }

    /** The picture Undo brings back. */
    const Picture24 &Snapshot() const;
    /** The snapshot becomes the picture as it is now. */
    void TakeSnapshot();
    /** A new picture for a showing: it is also the snapshot. The copy is
     *  made only when the picture is about to change, so opening a large
     *  photo costs no copy. */
    void StartWithPicture();
    /** The picture is about to be replaced or changed from outside (a file
     *  read into it): a pending snapshot is made first. */
    void BeforeOutsideChange();
    /** The picture was changed from outside. */
    void AfterOutsideChange() { m_changedSinceSnapshot = true; }

    std::uint32_t PenColour() const { return m_penColour; }
    void SetPenColour(std::uint32_t rgb) { m_penColour = rgb & 0xFFFFFFu; }
    int PenWidth() const { return m_penWidth; }
    void SetPenWidth(int width) { m_penWidth = width; }

    Tool CurrentTool() const { return m_tool; }
    void SetTool(Tool tool) { m_tool = tool; }

    bool Drawing() const { return m_drawing; }
    int PenX() const { return m_penX; }
    int PenY() const { return m_penY; }

    /**
     * A mouse press at picture pixel (x, y): the snapshot is taken; the right
     * button picks the colour under the pointer; the dropper picks the colour
     * kDropperOffset pixels right and below and draws nothing; in pen mode
     * (any button, also after a right-button pick) a stroke starts at (x, y).
     * A pick outside the picture leaves the colour as it was.
     * @return true when the pen colour was picked.
     */
    bool Press(Button button, int x, int y);
    /** Pointer at (x, y): while drawing, a line from the pen position; the
     *  pen moves there. Returns the changed rectangle. */
    PaintRect Move(int x, int y);
    void Release() { m_drawing = false; }

    /** The picture becomes a copy of the snapshot (again on a second call). */
    void Undo();
    /** Paints white the rectangle (0, 0) ... (width, height) clipped to the
     *  picture: the part of a cut that touches the picture. */
    PaintRect ClearTopLeft(int width, int height);
    /** Draws `clip` over the picture with its top-left corner at (0, 0),
     *  unscaled, clipped to the picture. */
    PaintRect Paste(const Picture24 &clip);

private:
    bool pickAt(int x, int y);
    void makePendingSnapshot();
    void snapshotAtPress();

    Picture24 *m_picture = nullptr;
    Picture24 m_snapshot;
    std::uint32_t m_penColour = kWhite;
    int m_penWidth = 1;
    Tool m_tool = Tool::Pen;
    bool m_drawing = false;
    int m_penX = 0;
    int m_penY = 0;
    // The snapshot equals the picture but has not been copied yet.
    bool m_snapshotPending = false;
    // The picture changed since the snapshot was copied; a press without
    // change in between need not copy again.
    bool m_changedSinceSnapshot = true;
};
