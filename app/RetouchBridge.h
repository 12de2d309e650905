#pragma once

#include "RetouchHost.h"

class TF_HAIR;

/**
 * The main window as the retouch editor sees it, for one showing: the
 * returned picture goes through the scratch image into ApplyRetouch.
 *
 * Printing of the edited picture is not provided yet (CanPrintPicture stays
 * false, so the editor's print entry is disabled); the program's printing
 * fills CanPrintPicture and PrintPicture here.
 */
class RetouchBridge : public RetouchHost
{
public:
    explicit RetouchBridge(TF_HAIR *mainWindow) : m_main(mainWindow) {}

    bool ReturnRetouch(Picture24 &picture) override;
    void ShowMessage(const QString &text, const QString &caption) override;

private:
    TF_HAIR *m_main;
};
