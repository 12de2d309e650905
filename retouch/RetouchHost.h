#pragma once

#include "Picture24.h"

#include <QString>

/**
 * What the retouch editor may ask of the window that handed it a picture.
 * The editor never includes the main window; it returns its picture, shows
 * messages and prints through this interface only.
 */
class RetouchHost
{
public:
    virtual ~RetouchHost() = default;

    /** Puts the edited picture back into the composition it came from; it
     *  may take the pixels out of `picture` rather than copy them. False
     *  when that could not be done: the user has been told, the composition
     *  and `picture` are as they were, and the editor stays open. */
    virtual bool ReturnRetouch(Picture24 &picture) = 0;
    /** Shows a message box; the text is translated first. */
    virtual void ShowMessage(const QString &text, const QString &caption) = 0;

    /** Whether the program can print a picture. Until it can, the editor's
     *  print entry stays disabled. */
    virtual bool CanPrintPicture() const { return false; }
    /** Prints `picture` on one page, fitted to the printable area with its
     *  aspect kept (a PDF file when no printer is installed). */
    virtual void PrintPicture(const Picture24 &picture) { (void)picture; }
};
