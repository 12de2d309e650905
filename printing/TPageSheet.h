#pragma once

#include "PageGeometry.h"
#include "PageRecording.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPageLayout>
#include <QScrollArea>

#include <memory>

class QPainter;
class QPrinter;

/**
 * A document of printer pages shown one at a time as a sheet of paper, at a
 * zoom, with a shadow and the margins drawn in. Drawing goes on `Canvas()`
 * between BeginDoc and EndDoc, in printer pixels from the printable corner;
 * each page is kept as a recording of what was drawn.
 */
class TPageSheet : public QScrollArea
{
    Q_OBJECT

public:
    using TMeasureUnit = PageGeometry::Unit;
    using TZoomLocation = PageGeometry::ZoomLocation;

    explicit TPageSheet(QWidget *parent = nullptr);
    ~TPageSheet() override;

    /** The printer whose page is shown; the application's printer unless
     *  set. nullptr means no printer: the fallback page is used. */
    void SetPrinter(QPrinter *printer);
    QPrinter *Printer() const;
    /** The page measurements as the printer reports them now. */
    PageGeometry Geometry() const;
    /** Reads a printer's page in its own pixels (no printer: not usable). */
    static PageGeometry::Printer ReadPrinter(const QPrinter *printer);

    TMeasureUnit MeasureUnit() const { return m_unit; }
    void SetMeasureUnit(TMeasureUnit unit);
    QPageLayout::Orientation Orientation() const { return m_orientation; }
    void SetOrientation(QPageLayout::Orientation orientation);

    double MarginTop() const { return m_marginTop; }
    double MarginBottom() const { return m_marginBottom; }
    double MarginLeft() const { return m_marginLeft; }
    double MarginRight() const { return m_marginRight; }
    void SetMarginTop(double value);
    void SetMarginBottom(double value);
    void SetMarginLeft(double value);
    void SetMarginRight(double value);

    double PageBorderOffset() const { return m_pageBorderOffset; }
    void SetPageBorderOffset(double value) { m_pageBorderOffset = value; }
    double DefaultColWidth() const { return m_defaultColWidth; }
    void SetDefaultColWidth(double value) { m_defaultColWidth = value; }

    int ZoomPercent() const { return m_zoom; }
    void SetZoomPercent(int zoom);
    TZoomLocation ZoomLocation() const { return m_zoomLocation; }
    void SetZoomLocation(TZoomLocation location);
    int ShadowOffset() const { return m_shadowOffset; }
    void SetShadowOffset(int offset);
    QColor ShadowColor() const { return m_shadowColor; }
    void SetShadowColor(const QColor &colour);
    bool ShowMargins() const { return m_showMargins; }
    void SetShowMargins(bool on);
    bool GradientBackground() const { return m_gradient; }
    void SetGradientBackground(bool on);
    QColor Color() const { return m_color; }
    void SetColor(const QColor &colour);

    QString Header, Footer, HeaderFormat, FooterFormat;
    QFont Font{QStringLiteral("Courier New"), 10};

    /** Screen pixels per inch used for the on-screen sizes; the widget's
     *  own unless set (values <= 0 go back to the widget's). */
    void SetScreenResolution(int dpiX, int dpiY);
    int ScreenDpiX() const;
    int ScreenDpiY() const;

    void Clear();
    void BeginDoc();
    /** Closes the open page and starts another (drawing goes on there). */
    void NewPage();
    void EndDoc();
    /** The open page's painter; nullptr outside BeginDoc..EndDoc. */
    QPainter *Canvas() const { return m_canvas.get(); }

    bool Generating() const { return m_generating; }
    int PageCount() const { return m_pages.size(); }
    const PageRecording &Page(int number) const { return *m_pages.at(number - 1); }
    int CurrentPage() const { return m_currentPage; }
    void SetCurrentPage(int number);

    /** The page on screen at the current zoom. */
    QSize ScreenPageSize() const;
    /** Scroll ranges: the page on screen with its shadow. */
    QSize ScrollRanges() const;
    /** The page's rectangle in the paint box. */
    QRect PageRect() const;
    /** Where the recorded page is drawn in the paint box. */
    QRect RecordedPageRect() const;
    /** The dotted margins in the paint box. */
    QRect MarginRect() const;
    QWidget *PaintBox() const { return m_box; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class TPageSheetBox;
    void paintBox(QPainter &painter);
    void updateScrollRanges();
    void startPage();
    void closePage();
    void refuseWhileGenerating(const char *text) const;
    double setMarginChecked(double value, bool horizontal, const char *refusal);

    QPrinter *m_printer = nullptr;
    bool m_printerChosen = false;
    QWidget *m_box = nullptr;
    TMeasureUnit m_unit = TMeasureUnit::Inches;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    double m_marginTop = 0, m_marginBottom = 0, m_marginLeft = 0, m_marginRight = 0;
    double m_pageBorderOffset = 0;
    double m_defaultColWidth = 1.0;
    int m_zoom = 25;
    TZoomLocation m_zoomLocation = TZoomLocation::TopLeft;
    int m_shadowOffset = 5;
    QColor m_shadowColor;
    bool m_showMargins = true;
    bool m_gradient = true;
    QColor m_color;
    int m_screenDpiX = 0, m_screenDpiY = 0;

    QList<std::shared_ptr<PageRecording>> m_pages;
    std::shared_ptr<PageRecording> m_openPage;
    std::unique_ptr<QPainter> m_canvas;
    int m_currentPage = 0;
    bool m_generating = false;
};
