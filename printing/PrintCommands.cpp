#include "PrintCommands.h"

#include "AppPrinter.h"
#include "BusyCursor.h"
#include "PictureImage.h"
#include "PrintHost.h"
#include "PrintPictures.h"
#include "SheetLayout.h"
#include "TF_IMPRESSAO.h"
#include "TF_PREVIEW.h"
#include "TF_PREVIEW2.h"
#include "TImageAspect.h"
#include "TRasterIMG.h"

#include <QPrinter>

void PrintCommands::ReportFailure(PrintHost &host, const QPrinter &printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        host.ShowMessage(host.TranslateText(QStringLiteral("Não foi possível gravar o arquivo.")) +
                             QStringLiteral("\n") + printer.outputFileName(),
                         QStringLiteral("QUENDA"));
    else
        host.ShowMessage(QStringLiteral("Não foi possível imprimir."), QStringLiteral("QUENDA"));
}

void PrintCommands::PrintActiveComposition()
{
    const Picture24 snapshot = m_host.ActiveSnapshot();
    if (snapshot.isNull())
        return;
    m_host.SetScratch(snapshot);
    if (!AppPrinter::ChooseTarget(m_host.DialogParent(),
                                  m_host.TranslateText(QStringLiteral("Salvar como PDF"))))
        return;
    QPrinter &printer = AppPrinter::Current();
    bool printed;
    {
        BusyCursor busy;
        printed = PrintPictures::PrintComposition(printer, PictureImage::ToQImage(m_host.Scratch()));
    }
    if (!printed)
        ReportFailure(m_host, printer);
}

void PrintCommands::FillSheets()
{
    if (!F_PREVIEW || !F_PREVIEW2)
        return;
    m_host.FinishResizeInProgress();
    const int count = std::min(m_host.PrintableCount(), SheetLayout::kCells);
    const QString transfer = m_host.PreviewTransferFile();
    for (int k = 0; k < count; ++k) {
        m_host.SetScratch(m_host.CompositionSnapshot(k));
        const QImage picture = PictureImage::ToQImage(m_host.Scratch());
        F_PREVIEW->Cell(k + 1)->SetPicture(picture);
        TRasterIMG *cell = F_PREVIEW2->Cell(k + 1);
        // The transfer file is only a way across; a salon folder that cannot
        // be written must not keep the client from seeing the sheet.
        if (!m_host.WriteScratchBitmap(transfer) || !cell->LoadFromFile(transfer)) {
            TRasterBMP direct;
            direct.LoadFromBitmapHandle(m_host.Scratch());
            cell->SetPicture(std::move(direct));
        }
    }
    // An earlier, longer preview must not leave another client's photo behind.
    for (int k = count; k < SheetLayout::kCells; ++k) {
        F_PREVIEW->Cell(k + 1)->Clear();
        F_PREVIEW2->Cell(k + 1)->Clear();
    }
}

void PrintCommands::BuildPreview()
{
    if (!F_PREVIEW2)
        return;
    {
        BusyCursor busy;
        m_host.HideColourPanel();
        FillSheets();
    }
    F_PREVIEW2->SetHost(&m_host);
    if (F_IMPRESSAO)
        F_IMPRESSAO->SetHost(&m_host);
    F_PREVIEW2->showMaximized();
    F_PREVIEW2->raise();
    F_PREVIEW2->activateWindow();
}
