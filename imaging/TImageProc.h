#pragma once

#include "Picture24.h"

#include <QObject>

class TImageView;

/**
 * Processing component attached to a photo view: the picture's one-level
 * undo snapshot, with the automatic-undo switch that takes a snapshot before
 * each operation, and clipboard transfer of the whole picture.
 */
class TImageProc : public QObject
{
    Q_OBJECT

public:
    TImageProc(const QString &name, TImageView *view, QObject *parent);

    TImageView *View() const { return m_view; }

    bool AutoUndo() const { return m_autoUndo; }
    void SetAutoUndo(bool on) { m_autoUndo = on; }

    /** Copies the attached picture into the one undo buffer. */
    void SaveUndo();
    /** Restores the snapshot when it is at least 2 x 2 pixels; it stays. */
    bool Undo();
    const Picture24 &UndoSnapshot() const { return m_snapshot; }

    /** Adds the offsets to every channel of the attached picture, clamped
     *  to a byte (snapshot first when automatic undo is on). */
    void ShiftChannels(int red, int green, int blue);
    /** Shifts every pixel in the picker's HSV model (snapshot first when
     *  automatic undo is on). */
    void ShiftHSV(int hue, int saturation, int value);

    /** Empties the clipboard and puts the attached picture on it. */
    void CopyToClipboard() const;
    /** Replaces the attached picture by the clipboard's bitmap (snapshot
     *  first when automatic undo is on). False when there is none. */
    bool PasteFromClipboard();
    static bool ClipboardHasBitmap();

private:
    TImageView *m_view;
    Picture24 m_snapshot;
    bool m_autoUndo = true;
};
