#include "TPageSheet.h"

#include "AppPrinter.h"
#include "EPageSheet.h"
#include "PrintGeometry.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPrinter>
#include <QScrollBar>

/** The paint box filling the scroll box: its paint event draws the view. */
class TPageSheetBox : public QWidget
{
public:
    explicit TPageSheetBox(TPageSheet *sheet) : QWidget(sheet), m_sheet(sheet) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        m_sheet->paintBox(painter);
    }

private:
    TPageSheet *m_sheet;
};

TPageSheet::TPageSheet(QWidget *parent) : QScrollArea(parent)
{
    m_shadowColor = QApplication::palette().color(QPalette::Dark);
    m_color = palette().color(QPalette::Window);
    m_box = new TPageSheetBox(this);
    m_box->setObjectName(QStringLiteral("PaintBox"));
    setWidget(m_box);
    setWidgetResizable(false);
    horizontalScrollBar()->setSingleStep(16);
    verticalScrollBar()->setSingleStep(16);
    setFrameShape(QFrame::NoFrame);
    // The margins start at the printer's minimum ones.
    const PageGeometry g = Geometry();
    m_marginLeft = m_marginRight = g.MinMarginX();
    m_marginTop = m_marginBottom = g.MinMarginY();
    m_openPage = std::make_shared<PageRecording>();
    updateScrollRanges();
}

TPageSheet::~TPageSheet()
{
    if (m_canvas)
        m_canvas->end();
}

QPrinter *TPageSheet::Printer() const
{
    return m_printerChosen ? m_printer : &AppPrinter::Current();
}

void TPageSheet::SetPrinter(QPrinter *printer)
{
    m_printer = printer;
    m_printerChosen = true;
    updateScrollRanges();
    m_box->update();
}

PageGeometry::Printer TPageSheet::ReadPrinter(const QPrinter *printer)
{
    PageGeometry::Printer values;
    if (!printer || !printer->isValid())
        return values;
    const int dpi = printer->resolution();
    if (dpi <= 0)
        return values;
    const QPageLayout layout = printer->pageLayout();
    const QRect full = layout.fullRectPixels(dpi);
    const QMargins margins = layout.marginsPixels(dpi);
    values.usable = !full.isEmpty();
    values.physicalWidth = full.width();
    values.physicalHeight = full.height();
    values.offsetX = margins.left();
    values.offsetY = margins.top();
    values.dpiX = dpi;
    values.dpiY = dpi;
    return values;
}

PageGeometry TPageSheet::Geometry() const
{
    return PageGeometry(ReadPrinter(Printer()), m_unit);
}

void TPageSheet::SetMeasureUnit(TMeasureUnit unit)
{
    if (unit == m_unit)
        return;
    const double f = PageGeometry::ConversionFactor(m_unit, unit);
    m_unit = unit;
    m_marginTop *= f;
    m_marginBottom *= f;
    m_marginLeft *= f;
    m_marginRight *= f;
    m_pageBorderOffset *= f;
    m_defaultColWidth *= f;
    m_box->update();
}

void TPageSheet::refuseWhileGenerating(const char *text) const
{
    if (m_generating)
        throw EPageSheet(QString::fromUtf8(text));
}

void TPageSheet::SetOrientation(QPageLayout::Orientation orientation)
{
    refuseWhileGenerating("Não pode mudar orientação da página enquanto imprimindo");
    m_orientation = orientation;
    if (QPrinter *printer = Printer())
        printer->setPageOrientation(orientation); // a refusal by the printer is not ours to report
    updateScrollRanges();
    m_box->update();
}

double TPageSheet::setMarginChecked(double value, bool horizontal, const char *refusal)
{
    refuseWhileGenerating(refusal);
    const PageGeometry g = Geometry();
    m_box->update();
    return horizontal ? g.ClampMarginX(value) : g.ClampMarginY(value);
}

void TPageSheet::SetMarginTop(double value)
{
    m_marginTop = setMarginChecked(value, false, "Não pode mudar margem de cima enquanto imprimindo");
}

void TPageSheet::SetMarginBottom(double value)
{
    m_marginBottom = setMarginChecked(value, false, "Não pode mudar margem de baixo enquanto imprimindo");
}

void TPageSheet::SetMarginLeft(double value)
{
    m_marginLeft = setMarginChecked(value, true, "Não pode mudar margem esquerda enquanto imprimindo");
}

void TPageSheet::SetMarginRight(double value)
{
    m_marginRight = setMarginChecked(value, true, "Não pode mudar margem direita enquanto imprimindo");
}

void TPageSheet::SetZoomPercent(int zoom)
{
    m_zoom = std::max(1, zoom);
    updateScrollRanges();
    m_box->update();
}

void TPageSheet::SetZoomLocation(TZoomLocation location)
{
    m_zoomLocation = location;
    updateScrollRanges();
}

void TPageSheet::SetShadowOffset(int offset)
{
    m_shadowOffset = offset;
    updateScrollRanges();
    m_box->update();
}

void TPageSheet::SetShadowColor(const QColor &colour)
{
    m_shadowColor = colour;
    m_box->update();
}

void TPageSheet::SetShowMargins(bool on)
{
    m_showMargins = on;
    m_box->update();
}

void TPageSheet::SetGradientBackground(bool on)
{
    m_gradient = on;
    m_box->update();
}

void TPageSheet::SetColor(const QColor &colour)
{
    m_color = colour;
    m_box->update();
}

void TPageSheet::SetScreenResolution(int dpiX, int dpiY)
{
    m_screenDpiX = dpiX;
    m_screenDpiY = dpiY;
    updateScrollRanges();
    m_box->update();
}

int TPageSheet::ScreenDpiX() const
{
    return m_screenDpiX > 0 ? m_screenDpiX : logicalDpiX();
}

int TPageSheet::ScreenDpiY() const
{
    return m_screenDpiY > 0 ? m_screenDpiY : logicalDpiY();
}

// ---------------------------------------------------------------- document

void TPageSheet::closePage()
{
    if (m_canvas) {
        m_canvas->end();
        m_canvas.reset();
    }
}

void TPageSheet::startPage()
{
    const PageGeometry g = Geometry();
    m_openPage = std::make_shared<PageRecording>(QSize(g.PagePixelsWidth(), g.PagePixelsHeight()), g.DpiY());
    m_canvas = std::make_unique<QPainter>(m_openPage.get());
    m_canvas->setBrush(Qt::NoBrush);
    m_canvas->setRenderHint(QPainter::SmoothPixmapTransform);
    QFont font = Font;
    font.setPixelSize(std::max(1, qRound(Font.pointSizeF() * g.DpiY() / 72.0)));
    m_canvas->setFont(font);
}

void TPageSheet::Clear()
{
    refuseWhileGenerating("Não pode limpar conteúdo enquanto imprimindo");
    m_pages.clear();
    closePage();
    m_openPage = std::make_shared<PageRecording>();
    m_currentPage = 0;
    updateScrollRanges();
    m_box->update();
}

void TPageSheet::BeginDoc()
{
    closePage();
    // Applied again so that they fit the printer chosen since they were set.
    const PageGeometry g = Geometry();
    m_marginTop = g.ClampMarginY(m_marginTop);
    m_marginBottom = g.ClampMarginY(m_marginBottom);
    m_marginLeft = g.ClampMarginX(m_marginLeft);
    m_marginRight = g.ClampMarginX(m_marginRight);
    m_generating = true;
    m_pages.clear();
    startPage();
    m_pages.append(m_openPage);
    m_currentPage = 1;
}

void TPageSheet::NewPage()
{
    if (!m_generating)
        return;
    closePage();
    startPage();
    m_pages.append(m_openPage);
    m_currentPage = m_pages.size();
}

void TPageSheet::EndDoc()
{
    if (!m_generating)
        return;
    m_generating = false;
    closePage();
    m_openPage = std::make_shared<PageRecording>();
    m_currentPage = 1;
    updateScrollRanges();
    m_box->update();
}

void TPageSheet::SetCurrentPage(int number)
{
    if (!m_pages.isEmpty() && (number < 1 || number > m_pages.size()))
        throw EPageSheet(QStringLiteral("Número da Página deve estar entre 1 e ") +
                         QString::number(m_pages.size()));
    m_currentPage = m_pages.isEmpty() ? 0 : number;
    m_box->update();
}

// ---------------------------------------------------------------- screen

QSize TPageSheet::ScreenPageSize() const
{
    const PageGeometry g = Geometry();
    return {g.ScreenPageWidth(m_zoom, ScreenDpiX()), g.ScreenPageHeight(m_zoom, ScreenDpiY())};
}

QSize TPageSheet::ScrollRanges() const
{
    const QSize page = ScreenPageSize();
    return {PageGeometry::ScrollRange(page.width(), m_shadowOffset),
            PageGeometry::ScrollRange(page.height(), m_shadowOffset)};
}

void TPageSheet::updateScrollRanges()
{
    if (!m_box)
        return;
    const QSize range = ScrollRanges();
    const QSize view = viewport()->size();
    m_box->resize(std::max(range.width(), view.width()), std::max(range.height(), view.height()));
    horizontalScrollBar()->setValue(
        PageGeometry::ScrollPosition(PageGeometry::CentresX(m_zoomLocation), range.width(), view.width()));
    verticalScrollBar()->setValue(
        PageGeometry::ScrollPosition(PageGeometry::CentresY(m_zoomLocation), range.height(), view.height()));
}

void TPageSheet::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    updateScrollRanges();
}

QRect TPageSheet::PageRect() const
{
    const QSize page = ScreenPageSize();
    return {(m_box->width() - page.width()) / 2, (m_box->height() - page.height()) / 2, page.width(),
            page.height()};
}

QRect TPageSheet::RecordedPageRect() const
{
    const PageGeometry g = Geometry();
    const QRect page = PageRect();
    const int left = g.ScreenLength(g.MinMarginX(), m_zoom, ScreenDpiX()) + 1;
    const int top = g.ScreenLength(g.MinMarginY(), m_zoom, ScreenDpiY()) + 1;
    return QRect(QPoint(page.left() + left, page.top() + top), QPoint(page.right() + 1, page.bottom() + 1));
}

QRect TPageSheet::MarginRect() const
{
    const PageGeometry g = Geometry();
    const QRect page = PageRect();
    return QRect(QPoint(page.left() + g.ScreenLength(m_marginLeft, m_zoom, ScreenDpiX()),
                        page.top() + g.ScreenLength(m_marginTop, m_zoom, ScreenDpiY())),
                 QPoint(page.right() - g.ScreenLength(m_marginRight, m_zoom, ScreenDpiX()),
                        page.bottom() - g.ScreenLength(m_marginBottom, m_zoom, ScreenDpiY())));
}

void TPageSheet::paintBox(QPainter &painter)
{
    const int w = m_box->width();
    const int h = m_box->height();
    if (m_gradient) {
        const QColor end = m_color.toRgb();
        for (int row = 0; row < h; ++row) {
            using PrintGeometry::GradientChannel;
            painter.setPen(QColor(GradientChannel(row, h, 0, end.red()),
                                  GradientChannel(row, h, 0, end.green()),
                                  GradientChannel(row, h, 0, end.blue())));
            painter.drawLine(0, row, w - 1, row);
        }
    } else {
        painter.fillRect(0, 0, w, h, m_color);
    }

    const QRect page = PageRect();
    if (m_shadowOffset > 0) {
        painter.setPen(m_shadowColor);
        painter.setBrush(m_shadowColor);
        // Right edge, then bottom edge; they meet in the lower right corner.
        painter.drawRect(page.right() + 1, page.top() + m_shadowOffset, m_shadowOffset - 1,
                         page.height() - 1);
        painter.drawRect(page.left() + m_shadowOffset, page.bottom() + 1, page.width() - 1,
                         m_shadowOffset - 1);
    }
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(page.adjusted(0, 0, -1, -1));

    if (m_currentPage >= 1 && m_currentPage <= m_pages.size()) {
        const PageRecording &recording = *m_pages.at(m_currentPage - 1);
        const QRect dest = RecordedPageRect();
        const PageGeometry g = Geometry();
        const int pw = std::max(1, g.PagePixelsWidth());
        const int ph = std::max(1, g.PagePixelsHeight());
        painter.save();
        painter.setClipRect(page);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(dest.topLeft());
        painter.scale(double(dest.width()) / pw, double(dest.height()) / ph);
        recording.Play(painter);
        painter.restore();
    }

    if (m_showMargins) {
        QPen dotted(QColor(192, 192, 192));
        dotted.setStyle(Qt::DotLine);
        painter.setPen(dotted);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(MarginRect());
    }
}
