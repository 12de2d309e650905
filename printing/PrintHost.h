#pragma once

#include "ImageStatus.h"
#include "Picture24.h"

#include <QString>

class QWidget;

/**
 * What the print commands and windows may ask of the main window. They
 * never include the main window; the compositions, the scratch image and
 * the message box are reached through this interface only.
 */
class PrintHost
{
public:
    virtual ~PrintHost() = default;

    /** Open compositions, in the order of the frame's list. */
    virtual int PrintableCount() const = 0;
    /** A window snapshot of composition `index` (0-based) at 24 bits. */
    virtual Picture24 CompositionSnapshot(int index) = 0;
    /** A window snapshot of the active composition; empty when there is none. */
    virtual Picture24 ActiveSnapshot() = 0;
    /** Fixes a resize in progress on the active composition at its size. */
    virtual void FinishResizeInProgress() = 0;
    virtual void HideColourPanel() = 0;

    /** The scratch image printed pictures pass through. */
    virtual void SetScratch(const Picture24 &picture) = 0;
    virtual const Picture24 &Scratch() const = 0;
    /** Writes the scratch image as a Windows bitmap. */
    virtual ImageStatus WriteScratchBitmap(const QString &fileName) = 0;
    /** The file through which preview pictures pass. */
    virtual QString PreviewTransferFile() const = 0;

    /** Shows a message box; the text is translated first. */
    virtual void ShowMessage(const QString &text, const QString &caption) = 0;
    virtual QString TranslateText(const QString &text) const = 0;
    /** Parent for the print and save dialogs. */
    virtual QWidget *DialogParent() = 0;
};
