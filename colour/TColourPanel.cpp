#include "TColourPanel.h"

#include "ColourPanelHost.h"
#include "PictureCanvas.h"
#include "PolygonCopy.h"
#include "TBitBtn.h"
#include "TGradientPanel.h"
#include "THSVBox.h"
#include "TImage.h"
#include "TImageView.h"
#include "TLabel.h"

#include <QFrame>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScrollBar>
#include <QTimer>

namespace {

using S = ColourPanelState;

// The buttons' small pictures.
QIcon glyph(const QString &kind)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (kind == QLatin1String("undo")) {
        p.setPen(QPen(QColor(0, 0, 128), 2));
        p.drawArc(QRectF(3, 3, 9, 8), 90 * 16, -240 * 16);
        QPainterPath head;
        head.moveTo(1, 4);
        head.lineTo(7, 1);
        head.lineTo(7, 7);
        head.closeSubpath();
        p.fillPath(head, QColor(0, 0, 128));
    } else if (kind == QLatin1String("selection")) {
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawPolygon(QPolygonF({QPointF(2, 11), QPointF(4, 2), QPointF(12, 4), QPointF(10, 12)}));
    } else {
        p.setPen(QPen(QColor(160, 0, 0), 2));
        p.drawLine(QPointF(3, 3), QPointF(11, 11));
        p.drawLine(QPointF(11, 3), QPointF(3, 11));
    }
    return QIcon(pixmap);
}

// The title icon: three colour bars.
Picture24 titleIcon()
{
    Picture24 icon(15, 15);
    icon.fill(0xC0, 0xC0, 0xC0);
    const std::uint32_t bars[3] = {0xFF0000, 0x008080, 0x0000FF};
    for (int b = 0; b < 3; ++b)
        for (int y = 2 + 4 * b; y < 5 + 4 * b; ++y)
            for (int x = 1; x < 14; ++x)
                icon.setPixel(x, y, bars[b]);
    return icon;
}

} // namespace

TColourPanel::TColourPanel(ColourPanelHost *host, TGradientPanel *panel)
    : QObject(panel), GradientPanel1(panel), m_host(host)
{
    setObjectName(QStringLiteral("ColourPanel"));
    m_coalesce = new QTimer(this);
    m_coalesce->setSingleShot(true);
    m_coalesce->setInterval(0);
    connect(m_coalesce, &QTimer::timeout, this, &TColourPanel::sRedScroll);
    build();
}

void TColourPanel::build()
{
    QWidget *p = GradientPanel1;
    QFont small = p->font();
    small.setPixelSize(10);

    PanelLabel1 = new TLabel(QStringLiteral("PanelLabel1"), QStringLiteral("Color Panel"), p);
    QFont bold = small;
    bold.setBold(true);
    PanelLabel1->setFont(bold);
    PanelLabel1->move(81, 4);
    PanelLabel1->adjustSize();

    Image1 = new TImage(QStringLiteral("Image1"), p);
    Image1->setGeometry(6, 5, 15, 15);
    Image1->SetPicture(titleIcon());

    auto button = [p](const QString &name, const QString &hint, int left, int width, const QString &kind) {
        auto *b = new TBitBtn(name, QString(), p);
        b->setGeometry(left, 3, width, 20);
        b->SetHint(hint);
        b->setIcon(glyph(kind));
        b->setIconSize(QSize(12, 12));
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("Esconde/Mostra Seleção"), 185, 26,
                     QStringLiteral("selection"));
    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("Undo"), 211, 26, QStringLiteral("undo"));
    BitBtn21 = button(QStringLiteral("BitBtn21"), QStringLiteral("Fechar Color Panel"), 237, 19,
                      QStringLiteral("close"));
    connect(BitBtn1, &QPushButton::clicked, this, &TColourPanel::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TColourPanel::BitBtn2Click);
    connect(BitBtn21, &QPushButton::clicked, this, [this] { m_host->ColourPanelCloseClicked(); });

    const struct
    {
        S::Slider slider;
        const char *name;
        const char *caption;
        QColor background;
        int top;
    } rows[] = {
        {S::Red, "sRed", "Vermelho", QColor(0xFF, 0, 0), 29},
        {S::Green, "sGreen", "Verde", QColor(0, 0x80, 0x80), 42},
        {S::Blue, "sBlue", "Azul", QColor(0, 0, 0xFF), 55},
        {S::Contrast, "sContrast", "Contraste", QColor(), 68},
        {S::Lightness, "sLightness", "Luz", QColor(), 81},
        {S::Saturation, "sSaturation", "Saturação", QColor(), 94},
        {S::Sharpen, "sSharpen", "Nitidez", QColor(), 107},
    };
    int n = 0;
    for (const auto &row : rows) {
        auto *label =
            new TLabel(QStringLiteral("PanelLabel%1").arg(n + 2), QString::fromUtf8(row.caption), p);
        label->setFont(small);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (row.background.isValid()) {
            label->setAutoFillBackground(true);
            QPalette pal = label->palette();
            pal.setColor(QPalette::Window, row.background);
            pal.setColor(QPalette::WindowText, Qt::white);
            label->setPalette(pal);
        }
        // Right-aligned at x 56, whatever length a translation gives it.
        label->setGeometry(2, row.top - 1, 54, 13);
        SliderLabels[n] = label;
        m_sliders[row.slider] = addSlider(row.slider, QString::fromLatin1(row.name), row.top);
        ++n;
    }
    sRed = m_sliders[S::Red];
    sGreen = m_sliders[S::Green];
    sBlue = m_sliders[S::Blue];
    sContrast = m_sliders[S::Contrast];
    sLightness = m_sliders[S::Lightness];
    sSaturation = m_sliders[S::Saturation];
    sSharpen = m_sliders[S::Sharpen];

    Panel1 = new QFrame(p);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Sunken);
    Panel1->setGeometry(8, 125, 241, 108);
    HSVBox1 = new THSVBox(Panel1);
    HSVBox1->setObjectName(QStringLiteral("HSVBox1"));
    HSVBox1->setGeometry(Panel1->contentsRect());
    connect(HSVBox1, &THSVBox::OnClick, this, &TColourPanel::HSVBox1Click);

    Label1 = new TLabel(QStringLiteral("Label1"), QString(), p);
    Label1->move(64, 215);
    Label1->hide();
    showHints();
}

QScrollBar *TColourPanel::addSlider(ColourPanelState::Slider slider, const QString &name, int top)
{
    const S::Range range = S::RangeOf(slider);
    auto *bar = new QScrollBar(Qt::Horizontal, GradientPanel1);
    bar->setObjectName(name);
    bar->setGeometry(58, top, 192, 12);
    bar->setRange(range.minimum, range.maximum);
    bar->setSingleStep(S::kSmallStep);
    bar->setPageStep(S::kLargeStep);
    bar->setValue(range.neutral);
    bar->setFocusPolicy(Qt::NoFocus);
    connect(bar, &QScrollBar::valueChanged, this, &TColourPanel::sliderChanged);
    connect(bar, &QScrollBar::sliderReleased, this, &TColourPanel::sliderReleased);
    return bar;
}

bool TColourPanel::RecomputePending() const
{
    return m_coalesce->isActive();
}

void TColourPanel::sliderChanged()
{
    // Positions that arrive while a recomputation runs only move the
    // slider; the one waiting recomputation reads them all when it runs.
    if (!m_coalesce->isActive())
        m_coalesce->start();
}

void TColourPanel::sliderReleased()
{
    // The end of the user's action: the picture must match the final
    // positions now.
    m_coalesce->stop();
    sRedScroll();
}

void TColourPanel::setPositionsFromState()
{
    for (int s = 0; s < S::SliderCount; ++s) {
        const QSignalBlocker block(m_sliders[s]);
        m_sliders[s]->setValue(m_state.Position(S::Slider(s)));
    }
}

void TColourPanel::readPositions()
{
    for (int s = 0; s < S::SliderCount; ++s)
        m_state.SetPosition(S::Slider(s), m_sliders[s]->value());
}

void TColourPanel::showHints()
{
    for (int s = 0; s < S::SliderCount; ++s)
        m_sliders[s]->setToolTip(QString::fromStdString(m_state.Hint(S::Slider(s))));
}

ColourTargetStamp TColourPanel::stampOf(const ColourPanelTarget &t, ColourTargetKind kind) const
{
    ColourTargetStamp stamp;
    stamp.composition = t.composition;
    stamp.kind = kind;
    if (kind == ColourTargetKind::Hair) {
        stamp.hairRevision = t.overlay->Revision();
        stamp.width = t.overlay->Picture().width();
        stamp.height = t.overlay->Picture().height();
    } else {
        stamp.width = t.photo->Bitmap().width();
        stamp.height = t.photo->Bitmap().height();
    }
    if (kind == ColourTargetKind::Selection)
        stamp.polygon = t.photo->SelectionPoints();
    return stamp;
}

bool TColourPanel::capture(const ColourPanelTarget &t, ColourTargetKind kind)
{
    if (!t.composition || !t.photo || !t.overlay)
        return false;
    ColourTargetStamp stamp = stampOf(t, kind);
    switch (kind) {
    case ColourTargetKind::Selection: {
        TImageView *scratch = m_host->ScratchView();
        PolygonCopy::In(t.photo->Bitmap(), t.photo->SelectionPoints(), ViewPoint{0, 0}, scratch->Bitmap());
        scratch->Refresh();
        m_state.Capture(scratch->Bitmap(), std::move(stamp));
        break;
    }
    case ColourTargetKind::Hair:
        m_state.Capture(t.overlay->Picture(), std::move(stamp));
        break;
    case ColourTargetKind::Photograph:
        m_state.Capture(t.photo->Bitmap(), std::move(stamp));
        break;
    case ColourTargetKind::None:
        return false;
    }
    m_capturedFrom = t.composition;
    return true;
}

void TColourPanel::Open()
{
    const ColourPanelTarget t = m_host->ActiveColourTarget();
    if (!t.composition)
        return;
    const ColourTargetKind kind = S::ChooseTarget(m_host->LassoActive(), !t.overlay->isHidden());
    capture(t, kind);
    Label1->SetCaption(QString::number(t.hairNumber));
    GradientPanel1->show();
    GradientPanel1->raise();
    m_state.ResetPositions();
    setPositionsFromState();
}

void TColourPanel::sRedScroll()
{
    m_coalesce->stop();
    const ColourPanelTarget t = m_host->ActiveColourTarget();
    if (!t.composition)
        return;
    const ColourTargetKind kind = S::ChooseTarget(m_host->LassoActive(), !t.overlay->isHidden());
    // Saved pixels belong to one composition and one target: when either
    // changed, the current state of the new target becomes the saved copy
    // and the sliders apply to it as they stand.
    if (!m_state.Captured() || m_capturedFrom != t.composition || !(m_state.Stamp() == stampOf(t, kind)))
        if (!capture(t, kind))
            return;
    readPositions();
    m_state.Recompute();
    ++m_recomputeCount;
    showHints();
    draw(t, kind);
}

void TColourPanel::draw(const ColourPanelTarget &t, ColourTargetKind kind)
{
    TRasterBMP &work = m_state.Work();
    switch (kind) {
    case ColourTargetKind::Selection: {
        TImageView *scratch = m_host->ScratchView();
        Picture24 &pixels = scratch->Bitmap();
        // The scratch view also decodes hair files; whatever it holds now
        // is replaced by the whole working picture before anything goes out.
        if (pixels.width() != work.Width() || pixels.height() != work.Height())
            pixels.reset(work.Width(), work.Height());
        work.SwapPicture(pixels);
        PolygonCopy::Out(pixels, t.photo->SelectionPoints(), ViewPoint{0, 0}, t.photo->Bitmap());
        scratch->Refresh();
        t.photo->Refresh();
        break;
    }
    case ColourTargetKind::Hair: {
        // The overlay keeps its place and size on screen.
        const bool autoSize = t.overlay->AutoSize();
        t.overlay->SetAutoSize(false);
        const Picture24 &shown = t.overlay->Picture();
        if (shown.width() == work.Width() && shown.height() == work.Height()) {
            // The result goes in and the overlay's old block comes back as
            // the next working picture: no pixel is copied.
            Picture24 pixels;
            work.SwapPicture(pixels);
            t.overlay->ExchangePicture(pixels);
            work.SwapPicture(pixels);
        } else {
            Picture24 pixels = shown;
            PictureCanvas canvas(pixels);
            work.DrawAt(canvas, 0, 0);
            t.overlay->SetPicture(std::move(pixels));
        }
        t.overlay->SetAutoSize(autoSize);
        m_state.SetHairRevision(t.overlay->Revision());
        break;
    }
    case ColourTargetKind::Photograph: {
        Picture24 &pixels = t.photo->Bitmap();
        if (pixels.width() == work.Width() && pixels.height() == work.Height()) {
            // Every byte of the working picture is written again by the next
            // recomputation, so the result is handed over instead of copied.
            work.SwapPicture(pixels);
        } else {
            PictureCanvas canvas(pixels);
            work.DrawAt(canvas, 0, 0);
        }
        t.photo->Refresh();
        break;
    }
    case ColourTargetKind::None:
        break;
    }
}

void TColourPanel::BitBtn1Click()
{
    m_state.Undo();
    setPositionsFromState();
    showHints();
    sRedScroll();
}

void TColourPanel::HSVBox1Click()
{
    const ColourPanelTarget t = m_host->ActiveColourTarget();
    if (!t.composition)
        return;
    if (Label1->Caption() != QString::number(t.hairNumber))
        m_host->ClickSlidersTool();
    readPositions();
    m_state.SetPicked(HSVBox1->Red(), HSVBox1->Green(), HSVBox1->Blue());
    setPositionsFromState();
    sRedScroll();
}

void TColourPanel::BitBtn2Click()
{
    const ColourPanelTarget t = m_host->ActiveColourTarget();
    if (t.photo)
        t.photo->SetSelectionShown(!t.photo->SelectionShown());
}

void TColourPanel::CompositionClosing(QObject *composition)
{
    if (m_capturedFrom == composition || m_state.Stamp().composition == composition) {
        m_coalesce->stop();
        m_state.Forget();
        m_capturedFrom = nullptr;
    }
}
