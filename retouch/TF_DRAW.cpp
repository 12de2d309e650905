#include "TF_DRAW.h"

#include "EConvertError.h"
#include "ImageCursors.h"
#include "MessageBoxes.h"
#include "PictureImage.h"
#include "RetouchHost.h"
#include "TColorComboBoxEx.h"
#include "TFormScaler.h"
#include "TImageIO.h"
#include "TImageView.h"
#include "TLanguage.h"
#include "TLineWidthComboBox.h"
#include "TMenuItem.h"
#include "TShape.h"
#include "TSpeedButton.h"
#include "TranslationPaths.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

TF_DRAW *F_DRAW = nullptr;

namespace {
const QString kFilter = QStringLiteral("Bitmap files (*.bmp);;All files (*)");
const QString kRightButtonHint = QStringLiteral("Click the right mouse button to pick a color!");

constexpr int kPanelHeight = 40;
constexpr int kStatusPanel0Width = 150;

QIcon cursorIcon(int id)
{
    return QIcon(ImageCursors::cursor(id).pixmap());
}

// A curved arrow turning back: undo.
QIcon undoIcon()
{
    QPixmap pixmap(19, 19);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor blue(0x20, 0x60, 0xB0);
    p.setPen(QPen(blue, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawArc(QRectF(3, 3, 12, 11), 90 * 16, -200 * 16);
    p.setBrush(blue);
    p.drawPolygon(QPolygonF({QPointF(9, 0.5), QPointF(9, 6.5), QPointF(4, 3.5)}));
    return QIcon(pixmap);
}

// A picture with an arrow leaving it to the right: back to the composition.
QIcon returnIcon()
{
    QPixmap pixmap(19, 19);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
    p.setBrush(QColor(0xF0, 0xE0, 0xB0));
    p.drawRect(QRectF(1.5, 3.5, 9, 12));
    const QColor green(0x10, 0x90, 0x30);
    p.setPen(QPen(green, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 9.5), QPointF(14, 9.5));
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawPolygon(QPolygonF({QPointF(13, 5), QPointF(18.5, 9.5), QPointF(13, 14)}));
    return QIcon(pixmap);
}
} // namespace

TF_DRAW::TF_DRAW(const QString &appDir, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("F_DRAW"));
    setWindowTitle(QStringLiteral("Retoque Quenda"));
    resize(kDesignWidth, kDesignHeight);
    buildMenus();

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Panel1 = new QWidget(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(kPanelHeight);
    layout->addWidget(Panel1);
    ScrollBox1 = new QWidget(central);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    auto *boxLayout = new QVBoxLayout(ScrollBox1);
    boxLayout->setContentsMargins(0, 0, 0, 0);
    Image = new TImageView(ScrollBox1);
    Image->setObjectName(QStringLiteral("Image"));
    Image->SetScrollBars(TImageView::ssBoth);
    boxLayout->addWidget(Image);
    layout->addWidget(ScrollBox1, 1);
    setCentralWidget(central);
    ImageIO1 = new TImageIO(QStringLiteral("ImageIO1"), Image, this);
    m_model.Attach(&Image->Bitmap());

    StatusPanel0 = new QLabel(this);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    // Wide enough for five-digit positions in whatever font the scaler sets.
    StatusPanel0->setMinimumWidth(kStatusPanel0Width);
    StatusPanel1 = new QLabel(this);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(StatusPanel0);
    statusBar()->addWidget(StatusPanel1, 1);

    for (QFileDialog **dialog : {&OpenDialog1, &SaveDialog1}) {
        *dialog = new QFileDialog(this);
        (*dialog)->setNameFilter(kFilter);
        (*dialog)->setDefaultSuffix(QStringLiteral("bmp"));
        // The program's own dialog, the same on every desktop, and one that
        // tests can fill in.
        (*dialog)->setOption(QFileDialog::DontUseNativeDialog);
    }
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
    SaveDialog1->setFileMode(QFileDialog::AnyFile);
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite);

    buildToolBar();

    connect(Image, &TImageView::MouseDown, this, &TF_DRAW::ImageMouseDown);
    connect(Image, &TImageView::MouseMove, this, &TF_DRAW::ImageMouseMove);
    connect(Image, &TImageView::MouseUp, this, &TF_DRAW::ImageMouseUp);

    FormScaler1 = new TFormScaler(QStringLiteral("FormScaler1"), this);
    FormCreate(appDir);
}

TF_DRAW::~TF_DRAW()
{
    if (F_DRAW == this)
        F_DRAW = nullptr;
}

void TF_DRAW::buildMenus()
{
    menuBar()->setObjectName(QStringLiteral("MM_MENU"));
    struct Entry
    {
        const char *name;
        const char *caption;
        QKeySequence key;
        void (TF_DRAW::*handler)();
    };
    auto addMenu = [this](const char *name, const char *caption, std::initializer_list<Entry> entries) {
        auto *item = new TMenuItem(QString::fromLatin1(name), QString::fromUtf8(caption), this);
        auto *menu = new QMenu(this);
        menu->setObjectName(QString::fromLatin1(name) + QStringLiteral("Menu"));
        item->setMenu(menu);
        menuBar()->addAction(item);
        m_menuItems.insert(item->objectName(), item);
        for (const Entry &e : entries) {
            if (!e.name) {
                menu->addSeparator()->setObjectName(QStringLiteral("N1"));
                continue;
            }
            auto *entry = new TMenuItem(QString::fromLatin1(e.name), QString::fromUtf8(e.caption), this);
            if (!e.key.isEmpty())
                entry->setShortcut(e.key);
            connect(entry, &QAction::triggered, this, e.handler);
            menu->addAction(entry);
            m_menuItems.insert(entry->objectName(), entry);
        }
    };
    addMenu("File1", "&Arquivo",
            {{"Open1", "&Abrir", {}, &TF_DRAW::Open1Click},
             {"Save1", "&Salvar", {}, &TF_DRAW::Save1Click},
             {"Saveas1", "Salvar &Como...", {}, &TF_DRAW::Saveas1Click},
             {"Print1", "&Imprimir", {}, &TF_DRAW::Print1Click},
             {nullptr, nullptr, {}, nullptr},
             {"Exit1", "Sai&r", {}, &TF_DRAW::Exit1Click}});
    addMenu("Edit1", "&Editar",
            {{"Undo1", "&Desfazer", QKeySequence(Qt::CTRL | Qt::Key_Z), &TF_DRAW::UndoButtonClick},
             {"Cut1", "&Recortar", QKeySequence(Qt::CTRL | Qt::Key_X), &TF_DRAW::Cut1Click},
             {"Copy1", "&Copiar", QKeySequence(Qt::CTRL | Qt::Key_C), &TF_DRAW::Copy1Click},
             {"Paste1", "C&olar", QKeySequence(Qt::CTRL | Qt::Key_V), &TF_DRAW::Paste1Click}});
    updatePrintEntry();
}

void TF_DRAW::buildToolBar()
{
    // Positions of the designed tool bar, from the left.
    constexpr int kButtonTop = (kPanelHeight - TSpeedButton::kSide) / 2;
    Shape1 = new TShape(QStringLiteral("Shape1"), Panel1);
    Shape1->SetHint(QStringLiteral("Cor Ativa"));
    Shape1->setGeometry(11, (kPanelHeight - 26) / 2, 26, 26);

    UndoButton = new TSpeedButton(QStringLiteral("UndoButton"), QStringLiteral("Desfazer"), Panel1);
    UndoButton->setIcon(undoIcon());
    UndoButton->move(44, kButtonTop);
    connect(UndoButton, &QToolButton::clicked, this, &TF_DRAW::UndoButtonClick);

    // Named as the language file knows it, so its hint is translated too.
    SpeedButton1 = new TSpeedButton(QStringLiteral("PenButton"), QStringLiteral("Draw"), Panel1);
    SpeedButton1->setIcon(cursorIcon(ImageCursors::Pen));
    SpeedButton1->move(82, kButtonTop);
    GotasButton = new TSpeedButton(QStringLiteral("GotasButton"), QStringLiteral("Dropper"), Panel1);
    GotasButton->setIcon(cursorIcon(ImageCursors::Dropper));
    GotasButton->move(109, kButtonTop);
    auto *tools = new QButtonGroup(this);
    tools->setExclusive(true);
    for (TSpeedButton *b : {SpeedButton1, GotasButton}) {
        b->setCheckable(true);
        tools->addButton(b);
    }
    SpeedButton1->setChecked(true);
    connect(SpeedButton1, &QToolButton::clicked, this, &TF_DRAW::DrawButtonClick);
    connect(GotasButton, &QToolButton::clicked, this, &TF_DRAW::GotasButtonClick);

    ColorComboBoxEx1 = new TColorComboBoxEx(QStringLiteral("ColorComboBoxEx1"), Panel1);
    ColorComboBoxEx1->SetHint(QStringLiteral("Cores Opcionais"));
    ColorComboBoxEx1->setFixedWidth(50);
    ColorComboBoxEx1->move(149, (kPanelHeight - TColorComboBoxEx::kHeight) / 2);
    connect(ColorComboBoxEx1, &TColorComboBoxEx::OnChange, this, &TF_DRAW::ColorComboBoxEx1Change);

    LineWidthComboBox1 = new TLineWidthComboBox(QStringLiteral("LineWidthComboBox1"), Panel1);
    LineWidthComboBox1->SetHint(QStringLiteral("Largura da Linha"));
    LineWidthComboBox1->setFixedWidth(65);
    LineWidthComboBox1->SetMaxLineWidth(kMaxLineWidth);
    LineWidthComboBox1->move(205, (kPanelHeight - TLineWidthComboBox::kHeight) / 2);
    connect(LineWidthComboBox1, &TLineWidthComboBox::OnChange, this, &TF_DRAW::LineWidthComboBox1Change);

    QuendaButton1 = new TSpeedButton(QStringLiteral("QuendaButton1"),
                                     QStringLiteral("Retornar Retoque ao Quenda"), Panel1);
    QuendaButton1->setIcon(returnIcon());
    QuendaButton1->move(292, kButtonTop);
    connect(QuendaButton1, &QToolButton::clicked, this, &TF_DRAW::QuendaButton1Click);
}

void TF_DRAW::FormCreate(const QString &appDir)
{
    L1 = new TLanguage(this);
    L1->setObjectName(QStringLiteral("L1"));
    L1->setLanguageFile(appDir + QStringLiteral("language.lng"));
    TranslationPaths::assignTo(*L1, QStringLiteral("F_DRAW"));
    // A bad value ends this window's translation, reported like any
    // unhandled error; the window itself stays usable.
    try {
        L1->Translate();
    } catch (const EConvertError &error) {
        MessageBoxes::ReportException(this, error);
    }
    // The blank snapshot is white, so the first colour is white; the combo's
    // change notification passes it on to the pen and the swatch.
    ColorComboBoxEx1->SetColorValue(QColor::fromRgb(m_model.Snapshot().pixel(0, 0)));
    LineWidthComboBox1->SetLineWidth(kLineWidth);
    m_model.SetPenWidth(LineWidthComboBox1->GetLineWidth());
    StatusPanel1->setText(kRightButtonHint);
    Image->SetCursorId(ImageCursors::Pen);
    m_model.SetTool(PaintModel::Tool::Pen);
}

void TF_DRAW::SetHost(RetouchHost *host)
{
    m_host = host;
    updatePrintEntry();
}

void TF_DRAW::updatePrintEntry()
{
    if (TMenuItem *print = m_menuItems.value(QStringLiteral("Print1")))
        print->setEnabled(m_host && m_host->CanPrintPicture());
}

void TF_DRAW::SetPicture(Picture24 picture)
{
    Image->SetBitmap(std::move(picture));
    Image->SetViewXY(0, 0);
    m_model.StartWithPicture();
}

void TF_DRAW::ShowModal()
{
    m_returned = false;
    updatePrintEntry();
    setWindowModality(Qt::ApplicationModal);
    show();
    if (QScreen *screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    raise();
    activateWindow();
    // The scaler may have enlarged the font on the first showing.
    StatusPanel0->setMinimumWidth(std::max(kStatusPanel0Width, StatusPanel0->fontMetrics().horizontalAdvance(
                                                                   QStringLiteral("X: 00000   Y: 00000"))));
    FormActivate();
    QEventLoop loop;
    connect(this, &TF_DRAW::Closed, &loop, &QEventLoop::quit);
    if (isVisible())
        loop.exec();
}

void TF_DRAW::keyPressEvent(QKeyEvent *event)
{
    // Keys no control took (an open list takes its own Esc) reach the
    // window, whichever control has the focus.
    FormKeyDown(event->key());
    QMainWindow::keyPressEvent(event);
}

void TF_DRAW::closeEvent(QCloseEvent *event)
{
    m_model.Release();
    event->accept();
    emit Closed();
}

// ---------------------------------------------------------------- events

void TF_DRAW::FormActivate()
{
    m_model.SetPenColour(Shape1->BrushColor().rgb());
    m_model.SetPenWidth(LineWidthComboBox1->GetLineWidth());
}

void TF_DRAW::ColorComboBoxEx1Change()
{
    m_model.SetPenColour(ColorComboBoxEx1->ColorValue().rgb());
    Shape1->SetBrushColor(QColor::fromRgb(m_model.PenColour()));
}

void TF_DRAW::LineWidthComboBox1Change()
{
    m_model.SetPenWidth(LineWidthComboBox1->GetLineWidth());
}

void TF_DRAW::DrawButtonClick()
{
    Image->SetCursorId(ImageCursors::Pen);
    Image->update();
    m_model.SetTool(PaintModel::Tool::Pen);
}

void TF_DRAW::GotasButtonClick()
{
    Image->SetCursorId(ImageCursors::Dropper);
    Image->update();
    m_model.SetTool(PaintModel::Tool::Dropper);
}

void TF_DRAW::ImageMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y)
{
    const PaintModel::Button b = button == Qt::RightButton  ? PaintModel::Button::Right
                                 : button == Qt::LeftButton ? PaintModel::Button::Left
                                                            : PaintModel::Button::Middle;
    // The view scrolls over a larger picture: the pixel under the pen is
    // the pointer plus the scroll position.
    if (m_model.Press(b, Image->ClientToPictureX(x), Image->ClientToPictureY(y)))
        Shape1->SetBrushColor(QColor::fromRgb(m_model.PenColour()));
}

void TF_DRAW::ImageMouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y)
{
    if (GotasButton->isChecked())
        Image->SetCursorId(ImageCursors::Dropper);
    const int px = Image->ClientToPictureX(x);
    const int py = Image->ClientToPictureY(y);
    const PaintRect changed = m_model.Move(px, py);
    Image->RefreshPictureRect(changed.x, changed.y, changed.width, changed.height);
    StatusPanel0->setText(QStringLiteral("X: %1   Y: %2").arg(px).arg(py));
}

void TF_DRAW::ImageMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    m_model.Release();
}

void TF_DRAW::UndoButtonClick()
{
    m_model.Undo();
    m_model.SetPenWidth(LineWidthComboBox1->GetLineWidth());
    m_model.SetPenColour(Shape1->BrushColor().rgb());
    Image->Refresh();
}

void TF_DRAW::Copy1Click()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(PictureImage::ToQImage(Image->Bitmap()));
}

void TF_DRAW::Cut1Click()
{
    Copy1Click();
    // The view control's rectangle, not the picture's.
    m_model.ClearTopLeft(Image->width(), Image->height());
    Image->Refresh();
}

void TF_DRAW::Paste1Click()
{
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull())
        return;
    m_model.Paste(PictureImage::FromQImage(image, Qt::white));
    Image->Refresh();
}

void TF_DRAW::Open1Click()
{
    if (OpenDialog1->exec() != QDialog::Accepted || OpenDialog1->selectedFiles().isEmpty())
        return;
    const QString fileName = OpenDialog1->selectedFiles().constFirst();
    m_model.BeforeOutsideChange();
    const ImageStatus status = ImageIO1->LoadFromFile(fileName);
    if (status)
        m_model.AfterOutsideChange();
    if (!status) {
        report(QString::fromStdString(status.message) + QStringLiteral("\n") + fileName);
        return;
    }
    EditFileName = fileName;
}

void TF_DRAW::Save1Click()
{
    if (EditFileName.isEmpty()) {
        Saveas1Click();
        return;
    }
    writeTo(EditFileName);
}

void TF_DRAW::Saveas1Click()
{
    if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty())
        return;
    const QString fileName = SaveDialog1->selectedFiles().constFirst();
    // A name that could not be written is not kept for the next Save.
    if (writeTo(fileName))
        EditFileName = fileName;
}

bool TF_DRAW::writeTo(const QString &fileName)
{
    const ImageStatus status = ImageIO1->SaveToFile(fileName);
    if (!status)
        report(QString::fromStdString(status.message) + QStringLiteral("\n") + fileName);
    return bool(status);
}

void TF_DRAW::report(const QString &text)
{
    if (m_host)
        m_host->ShowMessage(text, QStringLiteral("QUENDA"));
    else
        MessageBoxes::Information(this, text, QStringLiteral("QUENDA"));
}

void TF_DRAW::Print1Click()
{
    if (m_host && m_host->CanPrintPicture())
        m_host->PrintPicture(Image->Bitmap());
}

void TF_DRAW::Exit1Click()
{
    close();
}

void TF_DRAW::FormKeyDown(int key)
{
    if (key == Qt::Key_Escape)
        close();
}

void TF_DRAW::QuendaButton1Click()
{
    if (m_host) {
        // The host may take the pixels; the snapshot must not be lost with
        // them when it still is the picture itself.
        m_model.BeforeOutsideChange();
        const bool taken = m_host->ReturnRetouch(Image->Bitmap());
        Image->Refresh();
        if (!taken)
            return;
        m_model.AfterOutsideChange();
    }
    m_returned = m_host != nullptr;
    close();
}
