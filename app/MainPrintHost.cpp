#include "MainPrintHost.h"

#include "PictureImage.h"
#include "TF_FILHO.h"
#include "TF_HAIR.h"
#include "TImageIO.h"
#include "TImageView.h"
#include "TResizeHandle.h"

namespace {
/** The composition as drawn: its background, the photo at its zoom and
 *  scroll, the hair at its place, cut to the client area. */
Picture24 snapshotOf(TF_FILHO *c)
{
    if (!c)
        return {};
    return PictureImage::FromQImage(c->grab().toImage(), c->palette().color(QPalette::Window));
}
} // namespace

int MainPrintHost::PrintableCount() const
{
    return m_window.CompositionCount();
}

Picture24 MainPrintHost::CompositionSnapshot(int index)
{
    const QList<TF_FILHO *> list = m_window.Compositions();
    return index >= 0 && index < list.size() ? snapshotOf(list[index]) : Picture24();
}

Picture24 MainPrintHost::ActiveSnapshot()
{
    return snapshotOf(m_window.ActiveComposition());
}

void MainPrintHost::FinishResizeInProgress()
{
    TF_FILHO *c = m_window.ActiveComposition();
    if (c && c->SH1->Attached())
        c->BakeHairSize();
}

void MainPrintHost::HideColourPanel()
{
    m_window.hideColourPanel();
}

void MainPrintHost::SetScratch(const Picture24 &picture)
{
    m_window.ImageView1->SetBitmap(picture);
}

const Picture24 &MainPrintHost::Scratch() const
{
    return m_window.ImageView1->Bitmap();
}

ImageStatus MainPrintHost::WriteScratchBitmap(const QString &fileName)
{
    return m_window.ImageIO1->SaveToFile(fileName);
}

QString MainPrintHost::PreviewTransferFile() const
{
    const CompositionHandOff &h = m_window.HandOff();
    return h.AppDir + h.CatalogueFolder + QStringLiteral("/Test.BMP");
}

void MainPrintHost::ShowMessage(const QString &text, const QString &caption)
{
    m_window.ShowMessage(text, caption);
}

QString MainPrintHost::TranslateText(const QString &text) const
{
    return m_window.TranslateText(text);
}

QWidget *MainPrintHost::DialogParent()
{
    return &m_window;
}
