#pragma once

/**
 * The page view's measurements: the printer's page in inches or
 * millimetres, its unprintable edges, conversions between lengths and
 * printer pixels, and the page's size on screen at a zoom. Plain values:
 * the control reads the printer once and hands the numbers in here.
 */
class PageGeometry
{
public:
    enum class Unit { Inches, Millimeters };
    enum class ZoomLocation { TopLeft, TopCenter, Center };

    /** What the printer reports, in its own pixels. `usable` false means no
     *  printer could be asked and the fallbacks apply. */
    struct Printer
    {
        bool usable = false;
        int physicalWidth = 0; ///< whole sheet, printer pixels
        int physicalHeight = 0;
        int offsetX = 0; ///< unprintable left edge, printer pixels
        int offsetY = 0; ///< unprintable top edge, printer pixels
        int dpiX = 0;
        int dpiY = 0;
    };

    static constexpr int kFallbackDpi = 300;

    PageGeometry() = default;
    PageGeometry(const Printer &printer, Unit unit) : m_printer(printer), m_unit(unit) {}

    const Printer &PrinterValues() const { return m_printer; }
    Unit MeasureUnit() const { return m_unit; }
    bool Usable() const;
    int DpiX() const { return Usable() ? m_printer.dpiX : kFallbackDpi; }
    int DpiY() const { return Usable() ? m_printer.dpiY : kFallbackDpi; }

    double PageWidth() const;
    double PageHeight() const;
    /** Minimum left (and right) margin, in the unit. */
    double MinMarginX() const;
    /** Minimum top (and bottom) margin, in the unit. */
    double MinMarginY() const;

    /** A length in the unit as printer pixels (rounded, halves to even). */
    int ToPixelsX(double length) const;
    int ToPixelsY(double length) const;
    double FromPixelsX(int pixels) const;
    double FromPixelsY(int pixels) const;
    double ToInches(double length) const;

    /** A margin kept between the side's minimum and the page less the
     *  opposite side's minimum. */
    double ClampMarginX(double margin) const;
    double ClampMarginY(double margin) const;

    /** The metafile of one page: the printable area less the right and
     *  bottom unprintable edges, printer pixels. */
    int PagePixelsWidth() const { return ToPixelsX(PageWidth() - MinMarginX()); }
    int PagePixelsHeight() const { return ToPixelsY(PageHeight() - MinMarginY()); }

    /** The page on a screen of `screenDpiX` x `screenDpiY` at `zoom` percent. */
    int ScreenPageWidth(int zoom, int screenDpiX) const;
    int ScreenPageHeight(int zoom, int screenDpiY) const;
    /** A length in the unit on screen: whole screen pixels first, then zoomed. */
    int ScreenLength(double length, int zoom, int screenDpi) const;

    /** Scroll range for a page side on screen and the shadow beside it. */
    static int ScrollRange(int screenPageSide, int shadowOffset)
    {
        return screenPageSide + 2 * shadowOffset + 2;
    }
    /** Scroll position for one axis after an update; `centre` says whether
     *  the location centres this axis. */
    static int ScrollPosition(bool centre, int range, int viewport);
    static bool CentresX(ZoomLocation location) { return location != ZoomLocation::TopLeft; }
    static bool CentresY(ZoomLocation location) { return location == ZoomLocation::Center; }

    /** Factor for a unit change: 25.4 to millimetres, 1/25.4 back. */
    static double ConversionFactor(Unit from, Unit to);

private:
    double perInch() const { return m_unit == Unit::Millimeters ? 25.4 : 1.0; }

    Printer m_printer;
    Unit m_unit = Unit::Inches;
};
