#include "TF_PREVIEW2.h"

#include "BusyCursor.h"
#include "EConvertError.h"
#include "MessageBoxes.h"
#include "PictureImage.h"
#include "PrintHost.h"
#include "SheetLayout.h"
#include "TF_IMPRESSAO.h"
#include "TF_PREVIEW.h"
#include "TLanguage.h"
#include "TMenuItem.h"
#include "TRasterIMG.h"
#include "TranslationPaths.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>

TF_PREVIEW2 *F_PREVIEW2 = nullptr;

TF_PREVIEW2::TF_PREVIEW2(const QString &appDir, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("F_PREVIEW2"));
    setWindowTitle(QStringLiteral("Visualizador de Impressão"));
    Imprimir1 = new TMenuItem(QStringLiteral("Imprimir1"), QStringLiteral("&Imprimir"), this);
    connect(Imprimir1, &QAction::triggered, this, &TF_PREVIEW2::Imprimir1Click);
    menuBar()->addAction(Imprimir1);
    Sair1 = new TMenuItem(QStringLiteral("Sair1"), QStringLiteral("&Sair"), this);
    connect(Sair1, &QAction::triggered, this, &TF_PREVIEW2::Sair1Click);
    menuBar()->addAction(Sair1);

    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    auto *sheet = new QWidget;
    sheet->setObjectName(QStringLiteral("Sheet"));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    m_scroll->setPalette(white);
    m_scroll->setAutoFillBackground(true);
    sheet->setPalette(white);
    sheet->setAutoFillBackground(true);
    for (int i = 0; i < SheetLayout::kCells; ++i) {
        const PrintGeometry::Rect r = SheetLayout::ScreenCell(i);
        m_cells[i] = new TRasterIMG(QStringLiteral("RasterIMG%1").arg(i + 1), sheet);
        m_cells[i]->setGeometry(r.left, r.top, r.width, r.height);
    }
    sheet->setFixedSize(SheetLayout::kPageWidth, SheetLayout::kPageHeight);
    m_scroll->setWidget(sheet);
    m_scroll->verticalScrollBar()->setTracking(true);
    setCentralWidget(m_scroll);
    resize(800, 600);

    L1 = new TLanguage(this);
    L1->setObjectName(QStringLiteral("L1"));
    L1->setLanguageFile(appDir + QStringLiteral("language.lng"));
    TranslationPaths::assignTo(*L1, QStringLiteral("F_PREVIEW2"));
    // A bad value ends this window's translation, reported like any
    // unhandled error; the window itself stays usable.
    try {
        L1->Translate();
    } catch (const EConvertError &error) {
        MessageBoxes::ReportException(this, error);
    }
}

void TF_PREVIEW2::Imprimir1Click()
{
    if (!m_host || !F_PREVIEW || !F_IMPRESSAO)
        return;
    {
        BusyCursor busy;
        Picture24 sheet = PictureImage::FromQImage(F_PREVIEW->grab().toImage(), Qt::white);
        // The form's edge row and column would print as a grey line.
        for (int x = 0; x < sheet.width(); ++x)
            sheet.setPixel(x, 0, 0xffffff);
        for (int y = 0; y < sheet.height(); ++y)
            sheet.setPixel(0, y, 0xffffff);
        m_host->SetScratch(sheet);
    }
    F_IMPRESSAO->SetHost(m_host);
    F_IMPRESSAO->show();
    F_IMPRESSAO->raise();
    F_IMPRESSAO->activateWindow();
}

void TF_PREVIEW2::Sair1Click()
{
    for (TRasterIMG *cell : m_cells)
        cell->Clear();
    close();
}

void TF_PREVIEW2::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        Sair1Click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}
