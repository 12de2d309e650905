#include "RetouchBridge.h"

#include "AppPrinter.h"
#include "BusyCursor.h"
#include "PrintPictures.h"
#include "TF_HAIR.h"
#include "TImageView.h"

#include <QApplication>
#include <QPrinter>
#include <utility>

bool RetouchBridge::ReturnRetouch(Picture24 &picture)
{
    // The editor's picture is not needed once it is back: its pixels move
    // through the scratch image instead of being copied twice.
    m_main->ImageView1->SetBitmap(std::exchange(picture, Picture24()));
    if (m_main->ApplyRetouch())
        return true;
    picture = std::exchange(m_main->ImageView1->Bitmap(), Picture24());
    m_main->ImageView1->Refresh();
    return false;
}

void RetouchBridge::ShowMessage(const QString &text, const QString &caption)
{
    m_main->ShowMessage(text, caption);
}

void RetouchBridge::PrintPicture(const Picture24 &picture)
{
    if (picture.isNull())
        return;
    if (!AppPrinter::ChooseTarget(QApplication::activeWindow(),
                                  m_main->TranslateText(QStringLiteral("Salvar como PDF"))))
        return;
    QPrinter &printer = AppPrinter::Current();
    bool printed;
    {
        BusyCursor busy;
        printed = PrintPictures::PrintFitted(printer, picture);
    }
    if (printed)
        return;
    if (printer.outputFormat() == QPrinter::PdfFormat)
        m_main->ShowMessage(m_main->TranslateText(QStringLiteral("Não foi possível gravar o arquivo.")) +
                                QLatin1Char('\n') + printer.outputFileName(),
                            QStringLiteral("QUENDA"));
    else
        m_main->ShowMessage(QStringLiteral("Não foi possível imprimir."), QStringLiteral("QUENDA"));
}
