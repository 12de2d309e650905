#include "AppPrinter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace {
AppPrinter::PrintDialogRunner &printRunner()
{
    static AppPrinter::PrintDialogRunner r;
    return r;
}

AppPrinter::SaveDialogRunner &saveRunner()
{
    static AppPrinter::SaveDialogRunner r;
    return r;
}

void makePdfPrinter(QPrinter &p)
{
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setResolution(300);
    p.setPageSize(QPageSize(QPageSize::Letter));
    p.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
}
} // namespace

QPrinter &AppPrinter::Current()
{
    static QPrinter *printer = [] {
        auto *p = new QPrinter(QPrinter::HighResolution);
        if (!HasInstalledPrinter()) {
            makePdfPrinter(*p);
            p->setOutputFileName(SuggestedPdfName());
        }
        return p;
    }();
    return *printer;
}

bool AppPrinter::HasInstalledPrinter()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QString AppPrinter::SuggestedPdfName()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("quenda.pdf"));
}

void AppPrinter::SetPrintDialogRunner(PrintDialogRunner runner)
{
    printRunner() = std::move(runner);
}

void AppPrinter::SetSaveDialogRunner(SaveDialogRunner runner)
{
    saveRunner() = std::move(runner);
}

bool AppPrinter::ChooseTarget(QWidget *parent, const QString &saveTitle)
{
    QPrinter &printer = Current();
    if (HasInstalledPrinter()) {
        if (printRunner())
            return printRunner()(printer);
        QPrintDialog dialog(&printer, parent);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        return dialog.exec() == QDialog::Accepted;
    }
    if (printer.outputFormat() != QPrinter::PdfFormat)
        makePdfPrinter(printer); // the printers went away since the start
    const QString suggested =
        printer.outputFileName().isEmpty() ? SuggestedPdfName() : printer.outputFileName();
    QString name;
    if (saveRunner())
        name = saveRunner()(suggested);
    else
        name = QFileDialog::getSaveFileName(parent, saveTitle, suggested, QStringLiteral("PDF (*.pdf)"));
    if (name.isEmpty())
        return false;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".pdf");
    printer.setOutputFileName(name);
    return true;
}
