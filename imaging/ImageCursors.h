#pragma once

#include <QCursor>
#include <QPixmap>

/**
 * The image engine's eight cursors, drawn once at first use and shared by
 * every view. Numbers outside 1778 ... 1785 give the arrow cursor.
 */
class ImageCursors
{
public:
    enum Id {
        ZoomOut = 1778,
        ZoomIn = 1779,
        Cross = 1780,
        Dropper = 1781,
        Hand = 1782,
        Pen = 1783,
        Cross1 = 1784,
        Cross2 = 1785
    };
    /** Resource names of the cursors, e.g. "ZOOMIN" for 1779. */
    static const char *name(int id);
    static bool isEngineCursor(int id) { return id >= ZoomOut && id <= Cross2; }

    /** The cursor with that number (needs a running QGuiApplication). */
    static QCursor cursor(int id);

    /** Size of every engine cursor's picture. */
    static constexpr int kSize = 32;

private:
    static QPixmap draw(int id, QPoint &hotSpot);
};
