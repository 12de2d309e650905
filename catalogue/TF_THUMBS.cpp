#include "TF_THUMBS.h"

#include "HairImportHost.h"
#include "TBitBtn.h"

#include "BusyCursor.h"
#include "CatalogueHost.h"
#include "EConvertError.h"
#include "FileFormatCheck.h"
#include "HairCatalogue.h"
#include "HairFiles.h"
#include "MessageBoxes.h"
#include "TLanguage.h"
#include "TTabSheet.h"
#include "TThumbGrid.h"
#include "TThumbNail.h"
#include "TThumbview.h"
#include "TranslationPaths.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QScreen>
#include <QTabWidget>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TF_THUMBS *F_THUMBS = nullptr;

namespace {
QVBoxLayout *clientLayout(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}
} // namespace

TF_THUMBS::TF_THUMBS(CatalogueHost &host, QWidget *parent) : QWidget(parent, Qt::Window), m_host(host)
{
    setObjectName(QStringLiteral("F_THUMBS"));
    // Given before the window translates itself, so a translation of the
    // caption takes precedence.
    setWindowTitle(QStringLiteral("Viewer Quenda 5.0"));
    resize(682, 421);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    const char *captions[] = {"Fotos",          "Curtos/Claros", "Curtos/Escuros", "Médios/Claros",
                              "Médios/Escuros", "Longos/Claros", "Longos/Escuros", "Masculinos"};
    for (int i = 0; i < 8; ++i)
        TabSheet[i] = new TTabSheet(QStringLiteral("TabSheet%1").arg(i + 1), QString::fromUtf8(captions[i]),
                                    PageControl1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl1);

    Thumbview1 = new TThumbview(TabSheet[0]);
    Thumbview1->setObjectName(QStringLiteral("Thumbview1"));
    Thumbview1->SetMaxWidth(200);
    Thumbview1->SetMaxHeight(200);
    Thumbview1->SetSize(50);
    Thumbview1->SetScrollMode(Tscrollmode::SMVertical);
    Thumbview1->SetSorted(true);
    Thumbview1->SetAlignView(Tviewtype::VTNormal);
    Thumbview1->SetAutoScrolling(true);
    Thumbview1->SetThumbGap(4);
    Thumbview1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    clientLayout(TabSheet[0])->addWidget(Thumbview1);
    connect(Thumbview1, &TThumbview::OnClick, this, &TF_THUMBS::Thumbview1Click);
    connect(Thumbview1, &TThumbview::OnStartScanning, this, &TF_THUMBS::Thumbview1StartScanning);
    connect(Thumbview1, &TThumbview::OnStopScanning, this, &TF_THUMBS::Thumbview1StopScanning);

    for (int code = 0; code < kCategoryCount; ++code) {
        auto *grid = new TThumbGrid(TabSheet[code + 1]);
        grid->setObjectName(QStringLiteral("ThumbGrid%1").arg(code + 1));
        grid->resize(666, 366);
        grid->SetScrollBars(TThumbGrid::sbVertical);
        grid->SetGridWidth(-1);
        grid->SetSelectionWidth(3);
        grid->SetSelectionColor(Qt::red);
        if (code == 0)
            grid->SetMouseInteract(TThumbGrid::mmiScroll | TThumbGrid::mmiSelect);
        QVBoxLayout *page = clientLayout(TabSheet[code + 1]);
        page->addWidget(grid);
        // The salon's own hairs join the page they are imported from.
        auto *import = new TBitBtn(QStringLiteral("BT_Importar%1").arg(code + 1), QStringLiteral("&Importar Cabelo..."),
                                   TabSheet[code + 1]);
        import->setEnabled(false); // until a main window can import
        auto *row = new QHBoxLayout;
        row->setContentsMargins(4, 2, 4, 4);
        row->addStretch(1);
        row->addWidget(import);
        page->addLayout(row);
        connect(import, &QPushButton::clicked, this, [this, code] { ImportHairClick(code); });
        BT_Importar[code] = import;
        connect(grid, &TThumbGrid::OnImageSelect, this,
                [this, code](int index) { ThumbGridImageSelect(code, index); });
        connect(grid, &TThumbGrid::OnMouseMove, this,
                [this, code](int x, int y) { ThumbGridMouseMove(code, x, y); });
        ThumbGrid[code] = grid;
    }
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        if (isVisible())
            PageControl1Change();
    });

    L1 = new TLanguage(this);
    L1->setObjectName(QStringLiteral("L1"));
    L1->setLanguageFile(m_host.AppDir() + QStringLiteral("language.lng"));
    TranslationPaths::assignTo(*L1, QStringLiteral("F_THUMBS"));
    // A bad value ends this window's translation, reported like any
    // unhandled error; the window itself stays usable.
    try {
        L1->Translate();
    } catch (const EConvertError &error) {
        MessageBoxes::ReportException(this, error);
    }
}

void TF_THUMBS::ShowPage(int code)
{
    const int page = code >= 0 && code < kCategoryCount ? code + 1 : 0;
    PageControl1->setCurrentIndex(page);
}

void TF_THUMBS::ClearCategoryGrids()
{
    for (TThumbGrid *grid : ThumbGrid)
        grid->Clear();
}

void TF_THUMBS::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        // Centred on the screen the first time it shows; later where the user left it.
        m_placed = true;
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    QWidget::showEvent(event);
    FormActivate();
}

bool TF_THUMBS::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(event);
}

void TF_THUMBS::FormActivate()
{
    PageControl1Change();
}

void TF_THUMBS::PageControl1Change()
{
    const int page = PageControl1->currentIndex();
    if (page == 0) {
        if (Thumbview1->Count() == 0)
            Thumbview1->SetDirectory(m_host.AppDir());
        return;
    }
    const int code = page - 1;
    if (code >= 0 && code < kCategoryCount && ThumbGrid[code]->ImageCount() == 0)
        FillCategoryPage(code);
}

void TF_THUMBS::FillCategoryPage(int code)
{
    BusyCursor busy;
    // The hourglass shows before the listing starts.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    TThumbGrid *grid = ThumbGrid[code];
    grid->Clear();
    const QString appDir = m_host.AppDir();
    const QString written = appDir + m_host.CatalogueFolder() + QLatin1Char('/') + m_host.CategoryName(code);
    // Folders copied from elsewhere may differ in case.
    const QString folder = HairFiles::Resolve(appDir, written);
    if (folder.isEmpty())
        return;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    std::vector<std::string> names;
    for (const QString &e : entries)
        if (e.endsWith(QLatin1String(".gif"), Qt::CaseInsensitive))
            names.push_back(e.toStdString());
    for (const std::string &name : HairCatalogue::Ordered(std::move(names))) {
        const QString full = folder + QLatin1Char('/') + QString::fromStdString(name);
        if (FileFormatCheck::check(QFile::encodeName(full).toStdString(), true) == ImageFormat::Unknown)
            continue;
        const int index = grid->AppendImage();
        grid->SetImageBackground(index, QColor(0xFF, 0xFF, 0xFF));
        grid->SetImageFileName(index, full);
    }
}

void TF_THUMBS::ChooseHair()
{
    BusyCursor busy;
    if (!m_host.HasComposition()) {
        m_host.ShowMessage(QStringLiteral("Abra uma foto e depois escolha um cabelo!"),
                           QStringLiteral("QUENDA"));
        return;
    }
    PickedHairId = QString::fromStdString(HairCatalogue::PickedHairId(PickedFile.toStdString()));
    m_host.InsertHair(PickedHairId);
}

void TF_THUMBS::ThumbGridImageSelect(int code, int index)
{
    PickedFile = ThumbGrid[code]->ImageFileName(index);
    m_host.SetHairType(QString::number(code));
    ChooseHair();
}

void TF_THUMBS::ThumbGridMouseMove(int code, int x, int y)
{
    const int index = ThumbGrid[code]->ImageAtPos(x, y);
    if (index >= 0)
        setWindowTitle(QStringLiteral("Viewer - ") + ThumbGrid[code]->ImageFileName(index));
}

void TF_THUMBS::Thumbview1Click()
{
    const int selected = Thumbview1->Selected();
    if (selected < 0)
        return;
    PickedFile = Thumbview1->Thumb(selected)->Filename();
    if (m_host.HairType() == QLatin1String("7"))
        m_host.SetHairType(QStringLiteral("0"));
    m_host.OpenPhotoFromCatalogue(PickedFile);
    m_host.ClickMoveTool();
}

void TF_THUMBS::Thumbview1StartScanning()
{
    if (!m_scanCursor)
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    m_scanCursor = true;
}

void TF_THUMBS::Thumbview1StopScanning()
{
    if (m_scanCursor)
        QApplication::restoreOverrideCursor();
    m_scanCursor = false;
}

void TF_THUMBS::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TF_THUMBS::ImportHairClick(int code)
{
    if (!m_importHost || code < 0 || code >= kCategoryCount)
        return;
    m_importHost->ImportHair(m_host.CatalogueFolder(), code, [this, code](int) { FillCategoryPage(code); });
}

void TF_THUMBS::SetImportHost(HairImportHost *host)
{
    m_importHost = host;
    for (TBitBtn *button : BT_Importar)
        button->setEnabled(host != nullptr);
}
