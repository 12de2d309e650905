#pragma once

#include "PrintCommands.h"
#include "PrintHost.h"

class TF_HAIR;

/** The main window as the print commands see it. */
class MainPrintHost : public PrintHost
{
public:
    explicit MainPrintHost(TF_HAIR &window) : m_window(window), m_commands(*this) {}

    PrintCommands &Commands() { return m_commands; }

    int PrintableCount() const override;
    Picture24 CompositionSnapshot(int index) override;
    Picture24 ActiveSnapshot() override;
    void FinishResizeInProgress() override;
    void HideColourPanel() override;
    void SetScratch(const Picture24 &picture) override;
    const Picture24 &Scratch() const override;
    ImageStatus WriteScratchBitmap(const QString &fileName) override;
    QString PreviewTransferFile() const override;
    void ShowMessage(const QString &text, const QString &caption) override;
    QString TranslateText(const QString &text) const override;
    QWidget *DialogParent() override;

private:
    TF_HAIR &m_window;
    PrintCommands m_commands;
};
