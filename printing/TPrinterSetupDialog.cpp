#include "TPrinterSetupDialog.h"

#include "AppPrinter.h"

#include <QPrintDialog>
#include <QPrinter>

namespace {
TPrinterSetupDialog::Runner &runner()
{
    static TPrinterSetupDialog::Runner r;
    return r;
}
} // namespace

TPrinterSetupDialog::TPrinterSetupDialog(const QString &name, QWidget *owner) : QObject(owner), m_owner(owner)
{
    setObjectName(name);
}

void TPrinterSetupDialog::SetRunner(Runner r)
{
    runner() = std::move(r);
}

bool TPrinterSetupDialog::Execute()
{
    if (runner())
        return runner()(*this);
    QPrintDialog dialog(&AppPrinter::Current(), m_owner);
    dialog.setWindowTitle(tr("Configurar Impressora"));
    // Setting up, not printing: page ranges and copies belong to the print
    // command itself.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    return dialog.exec() == QDialog::Accepted;
}
