#include "AppPrinter.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>

QPrinter &AppPrinter::Current()
{
    static QPrinter *printer = [] {
        auto *p = new QPrinter(QPrinter::HighResolution);
        if (QPrinterInfo::availablePrinterNames().isEmpty()) {
            p->setOutputFormat(QPrinter::PdfFormat);
            p->setOutputFileName(QDir::home().filePath(QStringLiteral("quenda.pdf")));
        }
        return p;
    }();
    return *printer;
}
