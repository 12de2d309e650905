#include "TF_IMPRESSAO.h"

#include "AppPrinter.h"
#include "BusyCursor.h"
#include "EConvertError.h"
#include "MessageBoxes.h"
#include "PictureImage.h"
#include "PrintCommands.h"
#include "PrintGeometry.h"
#include "PrintHost.h"
#include "PrintPictures.h"
#include "TBitBtn.h"
#include "TLabel.h"
#include "TLanguage.h"
#include "TPageSheet.h"
#include "TranslationPaths.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QPainter>
#include <QPrinter>
#include <QToolButton>
#include <QVBoxLayout>

TF_IMPRESSAO *F_IMPRESSAO = nullptr;

TF_IMPRESSAO::TF_IMPRESSAO(const QString &appDir, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("F_IMPRESSAO"));
    setWindowTitle(QStringLiteral("Imprimir"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    resize(360, 375);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(30);
    auto *top = new QHBoxLayout(panel);
    top->setContentsMargins(3, 2, 3, 2);
    BitBtn2 = new TBitBtn(QStringLiteral("BitBtn2"), QStringLiteral("&Imprimir"), panel);
    connect(BitBtn2, &QPushButton::clicked, this, &TF_IMPRESSAO::BitBtn2Click);
    top->addWidget(BitBtn2);
    top->addSpacing(8);
    Label1 = new TLabel(QStringLiteral("Label1"), QStringLiteral("Tamanho:"), panel);
    top->addWidget(Label1);
    auto *sizes = new QButtonGroup(this);
    sizes->setExclusive(true);
    QToolButton **buttons[] = {&SpeedButton1, &SpeedButton2, &SpeedButton3};
    for (int i = 0; i < 3; ++i) {
        auto *b = new QToolButton(panel);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
        b->setText(QString::number(i + 1));
        b->setCheckable(true);
        b->setFixedSize(24, 24);
        sizes->addButton(b);
        top->addWidget(b);
        *buttons[i] = b;
    }
    SpeedButton1->setChecked(true);
    connect(SpeedButton1, &QToolButton::clicked, this, &TF_IMPRESSAO::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TF_IMPRESSAO::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TF_IMPRESSAO::SpeedButton3Click);
    top->addStretch(1);
    BitBtn1 = new TBitBtn(QStringLiteral("BitBtn1"), QStringLiteral("&Sair"), panel);
    connect(BitBtn1, &QPushButton::clicked, this, &TF_IMPRESSAO::BitBtn1Click);
    top->addWidget(BitBtn1);
    layout->addWidget(panel);

    PP_IMPRESSAO = new TPageSheet(this);
    PP_IMPRESSAO->setObjectName(QStringLiteral("PP_IMPRESSAO"));
    PP_IMPRESSAO->SetOrientation(QPageLayout::Landscape);
    PP_IMPRESSAO->SetMarginTop(1.0);
    PP_IMPRESSAO->SetMarginBottom(1.0);
    PP_IMPRESSAO->SetMarginLeft(1.0);
    PP_IMPRESSAO->SetMarginRight(1.0);
    PP_IMPRESSAO->SetPageBorderOffset(0.0625);
    PP_IMPRESSAO->HeaderFormat = QStringLiteral("<9,69");
    PP_IMPRESSAO->FooterFormat = QStringLiteral("<9,69");
    PP_IMPRESSAO->SetZoomPercent(44);
    layout->addWidget(PP_IMPRESSAO, 1);
    m_sizeMode = 3;

    L1 = new TLanguage(this);
    L1->setObjectName(QStringLiteral("L1"));
    L1->setLanguageFile(appDir + QStringLiteral("language.lng"));
    TranslationPaths::assignTo(*L1, QStringLiteral("F_IMPRESSAO"));
    // A bad value ends this window's translation, reported like any
    // unhandled error; the window itself stays usable.
    try {
        L1->Translate();
    } catch (const EConvertError &error) {
        MessageBoxes::ReportException(this, error);
    }
}

bool TF_IMPRESSAO::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(event);
}

void TF_IMPRESSAO::FormActivate()
{
    BusyCursor busy;
    PP_IMPRESSAO->Clear();
    PP_IMPRESSAO->SetZoomPercent(25);
    PP_IMPRESSAO->BeginDoc();
    if (m_host && !m_host->Scratch().isNull()) {
        const Picture24 &sheet = m_host->Scratch();
        const PrintGeometry::Rect r =
            PrintGeometry::PageViewDestination(m_sizeMode, sheet.width(), sheet.height());
        // Pure green is left out: the page shows through there.
        const QImage picture = PrintPictures::DropColour(PictureImage::ToQImage(sheet), qRgb(0, 255, 0));
        PP_IMPRESSAO->Canvas()->drawImage(QRect(r.left, r.top, r.width, r.height), picture);
    }
    PP_IMPRESSAO->EndDoc();
}

void TF_IMPRESSAO::chooseSize(int mode)
{
    m_sizeMode = mode;
    FormActivate();
}

void TF_IMPRESSAO::SpeedButton1Click()
{
    chooseSize(PrintGeometry::kSizeSmall);
}

void TF_IMPRESSAO::SpeedButton2Click()
{
    chooseSize(PrintGeometry::kSizeMedium);
}

void TF_IMPRESSAO::SpeedButton3Click()
{
    chooseSize(PrintGeometry::kSizeLarge);
}

void TF_IMPRESSAO::BitBtn2Click()
{
    if (!m_host || m_host->Scratch().isNull())
        return;
    if (!AppPrinter::ChooseTarget(this, m_host->TranslateText(QStringLiteral("Salvar como PDF"))))
        return;
    QPrinter &printer = AppPrinter::Current();
    bool printed;
    {
        BusyCursor busy;
        printed = PrintPictures::PrintSheet(printer, PictureImage::ToQImage(m_host->Scratch()), m_sizeMode);
    }
    if (!printed)
        PrintCommands::ReportFailure(*m_host, printer);
}

void TF_IMPRESSAO::BitBtn1Click()
{
    close();
}
