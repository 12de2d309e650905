#pragma once

#include "RetouchHost.h"

class TF_HAIR;

/**
 * The main window as the retouch editor sees it, for one showing: the
 * returned picture goes through the scratch image into ApplyRetouch.
 *
 * The edited picture prints on one page through the program's printer (a
 * PDF file named by the user when no printer is installed), fitted to the
 * printable area with its proportions kept.
 */
class RetouchBridge : public RetouchHost
{
public:
    explicit RetouchBridge(TF_HAIR *mainWindow) : m_main(mainWindow) {}

    bool ReturnRetouch(Picture24 &picture) override;
    void ShowMessage(const QString &text, const QString &caption) override;
    bool CanPrintPicture() const override { return true; }
    void PrintPicture(const Picture24 &picture) override;

private:
    TF_HAIR *m_main;
};
