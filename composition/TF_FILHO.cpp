#include "TF_FILHO.h"

#include "BusyCursor.h"
#include "CompositionHost.h"
#include "HairFiles.h"
#include "HairPixels.h"
#include "HairSoftEdge.h"
#include "ImageCursors.h"
#include "PictureImage.h"
#include "TImage.h"
#include "TImageIO.h"
#include "TImageProc.h"
#include "TImageView.h"
#include "TResizeHandle.h"

#include <QApplication>
#include <cmath>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QResizeEvent>

namespace {
constexpr int kCursorZoomOut = 1778;
constexpr int kCursorZoomIn = 1779;
constexpr int kCursorHand = 1782;
} // namespace

TF_FILHO::TF_FILHO(CompositionHost *host, QWidget *parent) : QWidget(parent), m_host(host)
{
    setObjectName(QStringLiteral("F_FILHO"));
    setAttribute(Qt::WA_DeleteOnClose, false); // the sub-window that wraps it owns its lifetime
    setFocusPolicy(Qt::StrongFocus);

    Image1 = new TImageView(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->SetMouseInteract(TImageView::miScroll);
    Image1->SetCursorId(kCursorHand);
    ImageProc1 = new TImageProc(QStringLiteral("ImageProc1"), Image1, this);
    ImageIO1 = new TImageIO(QStringLiteral("ImageIO1"), Image1, this);

    Image2 = new TImage(QStringLiteral("Image2"), Image1->ClientArea());
    Image2->SetTransparent(true);
    Image2->SetAutoSize(true);
    m_softEdges = host && host->SoftEdgesOn();
    Image2->SetSoftEdges(m_softEdges);
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->move(0, 0);

    ImageAux2 = new TImageView(this);
    ImageAux2->setObjectName(QStringLiteral("ImageAux2"));
    ImageAux2->hide();
    ImageProc2 = new TImageProc(QStringLiteral("ImageProc2"), ImageAux2, this);

    Image3 = new TImage(QStringLiteral("Image3"), Image1->ClientArea());
    Image3->SetTransparent(true);
    Image3->hide();

    SH1 = new TResizeHandle();
    SH1->setObjectName(QStringLiteral("SH1"));
    SH1->SetColor(Qt::red);
    SH1->SetGridX(1);
    SH1->SetGridY(1);
    SH1->SetDragCursor(QCursor(Qt::PointingHandCursor));
    SH1->setCursor(Qt::PointingHandCursor);

    connect(Image1, &TImageView::DblClick, this, &TF_FILHO::Image1DblClick);
    connect(Image1, &TImageView::OnViewChange, this, &TF_FILHO::Image1ViewChange);
    connect(Image1, &TImageView::MouseUp, this, &TF_FILHO::Image1MouseUp);
    connect(Image2, &TImage::MouseDown, this, &TF_FILHO::Image2MouseDown);
    connect(Image2, &TImage::MouseMove, this, &TF_FILHO::Image2MouseMove);
    connect(Image2, &TImage::MouseUp, this, &TF_FILHO::Image2MouseUp);
    connect(SH1, &TResizeHandle::MouseDown, this, &TF_FILHO::SH1MouseDown);
    connect(SH1, &TResizeHandle::MouseMove, this, &TF_FILHO::SH1MouseMove);

    // Key preview: the composition sees every key release before (and
    // whatever) the focused control does with it.
    qApp->installEventFilter(this);

    FormCreate();
}

TF_FILHO::~TF_FILHO()
{
    qApp->removeEventFilter(this);
    // The handle may have been reparented next to the overlay; it is ours.
    if (SH1 && !SH1->parent())
        delete SH1;
}

void TF_FILHO::SetClientSize(int width, int height)
{
    m_clientSize = QSize(width, height);
    if (auto *window = qobject_cast<QMdiSubWindow *>(parentWidget())) {
        // The frame keeps its own thickness; only the client area changes.
        const QSize frame = window->size() - size();
        window->resize(frame + m_clientSize);
    }
    resize(m_clientSize);
    // Lay the view out at once, hidden or not, so offsets restored during
    // creation are clamped against the real client size.
    Image1->setGeometry(QRect(QPoint(0, 0), m_clientSize));
    QResizeEvent event(m_clientSize, Image1->size());
    QCoreApplication::sendEvent(Image1, &event);
}

QSize TF_FILHO::sizeHint() const
{
    return m_clientSize;
}

void TF_FILHO::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Image1->setGeometry(rect());
}

QString TF_FILHO::categoryName() const
{
    bool ok = false;
    const int code = lblTipo.toInt(&ok);
    return ok ? m_host->CategoryName(code) : QString();
}

QString TF_FILHO::HairFilePathFor(int number) const
{
    return HairFiles::HairFilePath(m_host->HandOff().AppDir, Hair, categoryName(), number);
}

QString TF_FILHO::HairFilePath() const
{
    return HairFilePathFor(HairNumber);
}

QString TF_FILHO::ExistingHairFile(int number) const
{
    const QString resolved = HairFiles::Resolve(m_host->HandOff().AppDir, HairFilePathFor(number));
    return (!resolved.isEmpty() && QFileInfo(resolved).isFile()) ? resolved : QString();
}

void TF_FILHO::fail(const QString &message, const QString &fileName)
{
    m_built = false;
    m_buildError = message;
    m_buildErrorFile = fileName;
}

bool TF_FILHO::restoreSourcePhoto()
{
    CompositionHandOff &h = m_host->HandOff();
    const ImageStatus status = ImageIO1->LoadFromFile(h.SourcePhotoFile);
    if (!status) {
        fail(QString::fromStdString(status.message), h.SourcePhotoFile);
        return false;
    }
    lblFilename = h.SourcePhotoFile;
    lblTipo = h.HairType;
    // Zoom first, so the offsets are clamped against the zoomed size.
    Image1->SetZoom(h.SourceZoom);
    Image1->SetViewY(h.SourceViewY);
    Image1->SetViewX(h.SourceViewX);
    return true;
}

void TF_FILHO::FormCreate()
{
    BusyCursor busy;
    CompositionHandOff &h = m_host->HandOff();
    PresetIndex = 0;
    SetClientSize(kClientWidth, kClientHeight);
    m_built = true;

    if (h.FromFile) {
        const QString fileName = m_host->OpenDialogFileName();
        const ImageStatus status = ImageIO1->LoadFromFile(fileName);
        if (!status) {
            fail(QString::fromStdString(status.message), fileName);
            return;
        }
        lblFilename = fileName;
        Hair = h.CatalogueFolder;
        HairNumber = 1;
        setWindowTitle(QStringLiteral("1"));
        Image2->move(0, 0);
        Image2->hide();
    }
    if (h.FromClipboard) {
        // Each paste takes the undo snapshot first, so after the second one
        // the snapshot holds the pasted picture itself.
        const bool first = ImageProc1->PasteFromClipboard();
        Image1->Refresh();
        const bool second = first && ImageProc1->PasteFromClipboard();
        h.FromClipboard = false;
        if (!second) {
            fail(QStringLiteral("O Clipboard não contém Bitmap."));
            return;
        }
        HairNumber = 1;
        const QString temp = HairFiles::TempPhotoPath(h.AppDir, h.CatalogueFolder, h.CaptureCount);
        const ImageStatus saved = ImageIO1->SaveToFile(temp);
        if (!saved) {
            // An installed salon below /usr or a folder of another user: say
            // what to do rather than only that the file failed.
            const QString folder = QFileInfo(temp).absolutePath();
            if (QFileInfo(folder).isDir() && !HairFiles::CanWriteIn(folder)) {
                fail(QStringLiteral("A pasta do salão não permite gravação. Inicie o Quenda com --home e "
                                    "uma pasta onde seja possível gravar."));
                return;
            }
            fail(QString::fromStdString(saved.message), temp);
            return;
        }
        lblFilename = temp;
        const ImageStatus reloaded = ImageIO1->LoadFromFile(temp);
        if (!reloaded) {
            fail(QString::fromStdString(reloaded.message), temp);
            return;
        }
    }
    if (h.InsertPending) {
        if (!restoreSourcePhoto())
            return;
        m_host->ClickMoveTool();
        Hair = h.CatalogueFolder;
        HairNumber = h.PendingHairId.trimmed().toInt();
        lblTipo = (h.HairType == QLatin1String("7")) ? QStringLiteral("0") : h.HairType;
        if (ExistingHairFile(HairNumber).isEmpty())
            HairNumber = 1;
        setWindowTitle(QString::number(HairNumber));
    }
    if (h.ReplayPending) {
        if (!restoreSourcePhoto())
            return;
        Hair = h.CatalogueFolder;
        h.CopyNumber += 1;
        HairNumber = h.CopyNumber;
        lblTipo = (h.HairType == QLatin1String("7")) ? QStringLiteral("0") : h.HairType;
        if (ExistingHairFile(HairNumber).isEmpty())
            HairNumber = 1;
        setWindowTitle(QString::number(HairNumber));
    }
    if (h.HairType == QLatin1String("7"))
        h.HairType = QStringLiteral("0");
    lblTipo = h.HairType;
    Hair = h.CatalogueFolder;

    const ImageStatus hair = LoadHair(HairFilePath());
    if (!hair) {
        // The photo is shown without hair; the user is told why.
        Image2->hide();
        m_host->ShowFileMessage(QString::fromStdString(hair.message), HairFilePath(), QStringLiteral("QUENDA"));
    } else if (h.ReplayPending || h.InsertPending) {
        Image2->move(h.SourceHairLeft, h.SourceHairTop);
        Image2->show();
    }
    L = QString::number(Image2->x());
    T = QString::number(Image2->y());
}

ImageStatus TF_FILHO::LoadHair(const QString &fileName)
{
    const QString resolved = HairFiles::Resolve(m_host->HandOff().AppDir, fileName);
    Picture24 hair;
    const ImageStatus status = m_host->LoadHairThroughScratch(resolved.isEmpty() ? fileName : resolved, hair);
    if (!status)
        return status;
    ImageAux2->SetBitmap(hair);
    Image2->SetPicture(std::move(hair));
    return status;
}

ImageStatus TF_FILHO::ReloadOverlayFromFile()
{
    const QString resolved = HairFiles::Resolve(m_host->HandOff().AppDir, HairFilePath());
    Picture24 hair;
    const ImageStatus status = m_host->LoadHairThroughScratch(resolved.isEmpty() ? HairFilePath() : resolved, hair);
    if (status)
        Image2->SetPicture(std::move(hair));
    return status;
}

void TF_FILHO::setOverlayPixelsKeepingGeometry(Picture24 picture)
{
    const QRect bounds = Image2->geometry();
    const bool autoSize = Image2->AutoSize();
    Image2->SetAutoSize(false);
    Image2->SetPicture(std::move(picture));
    Image2->SetAutoSize(autoSize);
    Image2->setGeometry(bounds);
}

void TF_FILHO::ClearHairBackground()
{
    if (Image2->Picture().width() > 1 && Image2->Picture().height() > 1) {
        Picture24 picture = Image2->Picture();
        WhitenHairBackground(picture);
        setOverlayPixelsKeepingGeometry(std::move(picture));
    }
    Image2->update();
}

void TF_FILHO::showMasterInOverlay()
{
    // The overlay sizes itself to the master; its position stays.
    const QPoint at = Image2->pos();
    Image2->SetPicture(ImageAux2->Bitmap());
    Image2->move(at);
}

void TF_FILHO::PresetAmarelo()
{
    ImageProc2->ShiftChannels(100, 100, 0);
    showMasterInOverlay();
    ImageProc2->Undo();
    ClearHairBackground();
}

void TF_FILHO::PresetMarrom()
{
    ImageProc2->ShiftHSV(0, 0, -20);
    showMasterInOverlay();
    ImageProc2->Undo();
    ClearHairBackground();
}

void TF_FILHO::PresetVermelho()
{
    ImageProc2->ShiftChannels(65, 0, 0);
    showMasterInOverlay();
    ImageProc2->Undo();
    ClearHairBackground();
}

void TF_FILHO::PresetPreto()
{
    ImageProc2->ShiftHSV(0, 0, -40);
    showMasterInOverlay();
    ImageProc2->Undo();
    ClearHairBackground();
}

void TF_FILHO::PresetNormal()
{
    showMasterInOverlay();
    ClearHairBackground();
}

void TF_FILHO::ApplyPresetNumber(int number)
{
    switch (number) {
    case 1: PresetAmarelo(); break;
    case 2: PresetMarrom(); break;
    case 3: PresetVermelho(); break;
    case 4: PresetPreto(); break;
    case 5: PresetNormal(); break;
    default: break;
    }
}

bool TF_FILHO::FlipHair()
{
    if (Image2->isHidden())
        return false;
    BusyCursor busy;
    // Hidden while its pixels change, so no half-mirrored frame is shown.
    Image2->hide();
    Picture24 picture = Image2->Picture();
    MirrorHair(picture);
    setOverlayPixelsKeepingGeometry(std::move(picture));
    Image2->show();
    return true;
}

void TF_FILHO::BakeHairSize()
{
    if (!SH1->Attached())
        return;
    SH1->Detach();
    const QRect bounds = Image2->geometry();
    Image3->SetPicture(Image2->Picture());
    Image3->setGeometry(bounds);
    if (bounds.width() <= 0 || bounds.height() <= 0)
        return;
    stretchOverlay(bounds);
}

void TF_FILHO::stretchOverlay(const QRect &bounds)
{
    if (m_softEdges) {
        // Mixed colours, but the background comes out as exactly the key.
        Image2->SetPicture(HairSoftEdge::SmoothResize(Image3->Picture(), bounds.width(), bounds.height()));
        Image2->setGeometry(bounds);
        return;
    }
    // A plain stretch: colours are taken over, never mixed, so the hair's
    // background stays exactly one colour for the transparency rule.
    const QImage stretched = PictureImage::ToQImage(Image3->Picture())
                                 .scaled(bounds.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    Image2->SetPicture(PictureImage::FromQImage(stretched));
    Image2->setGeometry(bounds);
}

void TF_FILHO::SetHairBounds(const QRect &bounds)
{
    if (SH1->Attached())
        SH1->Detach();
    if (bounds.width() <= 0 || bounds.height() <= 0)
        return;
    Image3->SetPicture(Image2->Picture());
    Image3->setGeometry(bounds);
    stretchOverlay(bounds);
    L = QString::number(Image2->x());
    T = QString::number(Image2->y());
    Image2->update();
}

void TF_FILHO::SetSoftEdges(bool on)
{
    m_softEdges = on;
    Image2->SetSoftEdges(on);
}

Picture24 TF_FILHO::FullResolution() const
{
    Picture24 photo = Image1->Bitmap();
    const Picture24 &hair = Image2->Picture();
    if (photo.isNull() || hair.isNull() || Image2->isHidden() || Image2->width() <= 0 || Image2->height() <= 0)
        return photo;
    // The overlay bitmap always holds what is seen, colour changes and
    // flips included; it is drawn stretched to the control's geometry.
    const double zoom = Image1->Zoom() > 0 ? Image1->Zoom() : 100;
    const double ox = Image1->PictureToClientX(0);
    const double oy = Image1->PictureToClientY(0);
    const QRect g = Image2->geometry();
    const double k = 100.0 / zoom;
    const int x0 = int(std::lround((g.x() - ox) * k));
    const int y0 = int(std::lround((g.y() - oy) * k));
    const int x1 = int(std::lround((g.x() + g.width() - ox) * k));
    const int y1 = int(std::lround((g.y() + g.height() - oy) * k));
    HairSoftEdge::Compose(photo, hair, x0, y0, std::max(1, x1 - x0), std::max(1, y1 - y0));
    return photo;
}

QString TF_FILHO::AppDirectory() const
{
    return m_host->HandOff().AppDir;
}

void TF_FILHO::FormActivate()
{
    bool ok = false;
    const int code = lblTipo.toInt(&ok);
    if (ok && code >= 0 && code <= 6 && lblTipo.size() == 1)
        setWindowTitle(QString::number(HairNumber) + QStringLiteral(" - ") + m_host->CategoryName(code));
}

void TF_FILHO::Image1DblClick()
{
    ImageProc1->SaveUndo();
}

void TF_FILHO::Image1ViewChange(int)
{
    Image2->update();
}

void TF_FILHO::Image1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int, int)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (m_host->ZoomToolDown()) {
        if (button == Qt::RightButton) {
            Image1->SetCursorId(kCursorZoomOut);
            Image1->SetZoom(Image1->Zoom() - (ctrl ? 1 : 5));
        } else {
            Image1->SetCursorId(kCursorZoomIn);
            Image1->SetZoom(Image1->Zoom() + (ctrl ? 1 : 5));
        }
    } else if (m_host->LassoActive() && button == Qt::RightButton) {
        Image1->RemoveSelection();
    }
}

void TF_FILHO::Image2MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)
{
    DragStartX = x;
    DragStartY = y;
    Dragging = true;
}

void TF_FILHO::Image2MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y)
{
    if (!Dragging)
        return;
    // No clamping: the hair may leave the photo partly or wholly.
    Image2->move(Image2->x() + x - DragStartX, Image2->y() + y - DragStartY);
}

void TF_FILHO::Image2MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    Dragging = false;
    L = QString::number(Image2->x());
    T = QString::number(Image2->y());
}

void TF_FILHO::SH1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int, int)
{
    if (button == Qt::RightButton)
        m_host->ClickMoveTool();
}

void TF_FILHO::SH1MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, int, int)
{
    SH1->update();
}

void TF_FILHO::ChangeHair(int newNumber)
{
    BusyCursor busy;
    if (SH1->Attached())
        SH1->Detach();
    PresetIndex = 0;
    HairNumber = newNumber;
    if (ExistingHairFile(HairNumber).isEmpty())
        HairNumber = 1;
    setWindowTitle(QString::number(HairNumber));
    const ImageStatus status = LoadHair(HairFilePath());
    if (!status) {
        m_host->ShowFileMessage(QString::fromStdString(status.message), HairFilePath(), QStringLiteral("QUENDA"));
    }
    Image2->move(L.toInt(), T.toInt());
    if (status)
        m_host->HairChanged(this);
}

void TF_FILHO::applyPresetKey(int number)
{
    if (SH1->Attached())
        SH1->Detach();
    BusyCursor busy;
    m_host->ApplyPreset(this, number);
}

void TF_FILHO::NextPreset()
{
    int p = PresetIndex;
    if (p == 5)
        p = 0;
    applyPresetKey(p + 1);
    PresetIndex = p + 1;
}

void TF_FILHO::PreviousPreset()
{
    int p = PresetIndex;
    if (p == 0)
        p = 2;
    if (p == 1)
        p = 6;
    applyPresetKey(p - 1);
    PresetIndex = p - 1;
}

void TF_FILHO::FormKeyUp(int key, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Left:
        ChangeHair(qMax(1, HairNumber - 1));
        break;
    case Qt::Key_Right:
        ChangeHair(HairNumber + 1);
        break;
    case Qt::Key_Up:
        NextPreset();
        break;
    case Qt::Key_Down:
        PreviousPreset();
        break;
    case Qt::Key_F8:
        if (ctrl)
            Image1->SetZoom(Image1->Zoom() - 1);
        break;
    case Qt::Key_F9:
        if (ctrl)
            Image1->SetZoom(Image1->Zoom() + 1);
        break;
    default:
        break;
    }
}

bool TF_FILHO::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWidgetType()) {
        auto *key = static_cast<QKeyEvent *>(event);
        QWidget *focus = QApplication::focusWidget();
        const bool ours = focus && (focus == this || isAncestorOf(focus) || focus == SH1);
        if (type == QEvent::KeyPress) {
            // Remember where the key went down: its release is acted on once,
            // there, even when the action moves the focus and the release
            // then travels on to the parents.
            if (ours && watched == focus && !key->isAutoRepeat())
                m_keyDownAt.insert(key->key(), watched);
        } else if (!key->isAutoRepeat()) {
            const auto at = m_keyDownAt.find(key->key());
            if (at != m_keyDownAt.end() && at.value() == watched) {
                m_keyDownAt.erase(at);
                FormKeyUp(key->key(), key->modifiers());
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TF_FILHO::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted() && !m_closeReported) {
        m_closeReported = true;
        m_host->CompositionClosing(this);
    }
}
