#include "PageGeometry.h"

#include "PrintGeometry.h"

#include <algorithm>

using PrintGeometry::RoundHalfEven;

bool PageGeometry::Usable() const
{
    return m_printer.usable && m_printer.dpiX > 0 && m_printer.dpiY > 0 && m_printer.physicalWidth > 0 &&
           m_printer.physicalHeight > 0;
}

double PageGeometry::PageWidth() const
{
    if (Usable())
        return double(m_printer.physicalWidth) / m_printer.dpiX * perInch();
    return m_unit == Unit::Millimeters ? 210.0 : 8.5;
}

double PageGeometry::PageHeight() const
{
    if (Usable())
        return double(m_printer.physicalHeight) / m_printer.dpiY * perInch();
    return m_unit == Unit::Millimeters ? 297.0 : 11.0;
}

double PageGeometry::MinMarginX() const
{
    if (Usable())
        return double(m_printer.offsetX) / m_printer.dpiX * perInch();
    return m_unit == Unit::Millimeters ? 6.0 : 0.25;
}

double PageGeometry::MinMarginY() const
{
    if (Usable())
        return double(m_printer.offsetY) / m_printer.dpiY * perInch();
    return m_unit == Unit::Millimeters ? 6.0 : 0.25;
}

double PageGeometry::ToInches(double length) const
{
    return length / perInch();
}

int PageGeometry::ToPixelsX(double length) const
{
    return RoundHalfEven(ToInches(length) * DpiX());
}

int PageGeometry::ToPixelsY(double length) const
{
    return RoundHalfEven(ToInches(length) * DpiY());
}

double PageGeometry::FromPixelsX(int pixels) const
{
    return double(pixels) / DpiX() * perInch();
}

double PageGeometry::FromPixelsY(int pixels) const
{
    return double(pixels) / DpiY() * perInch();
}

double PageGeometry::ClampMarginX(double margin) const
{
    const double low = MinMarginX();
    const double high = PageWidth() - MinMarginX();
    if (margin < low)
        return low;
    if (margin > high)
        return high;
    return margin;
}

double PageGeometry::ClampMarginY(double margin) const
{
    const double low = MinMarginY();
    const double high = PageHeight() - MinMarginY();
    if (margin < low)
        return low;
    if (margin > high)
        return high;
    return margin;
}

int PageGeometry::ScreenPageWidth(int zoom, int screenDpiX) const
{
    if (Usable())
        return RoundHalfEven(m_printer.physicalWidth * zoom / (double(m_printer.dpiX) / screenDpiX) * 0.01);
    return RoundHalfEven(ToInches(PageWidth()) * screenDpiX * zoom * 0.01);
}

int PageGeometry::ScreenPageHeight(int zoom, int screenDpiY) const
{
    if (Usable())
        return RoundHalfEven(m_printer.physicalHeight * zoom / (double(m_printer.dpiY) / screenDpiY) * 0.01);
    return RoundHalfEven(ToInches(PageHeight()) * screenDpiY * zoom * 0.01);
}

int PageGeometry::ScreenLength(double length, int zoom, int screenDpi) const
{
    return RoundHalfEven(RoundHalfEven(ToInches(length) * screenDpi) * zoom * 0.01);
}

int PageGeometry::ScrollPosition(bool centre, int range, int viewport)
{
    if (!centre)
        return 0;
    return std::max(0, (range - viewport) / 2);
}

double PageGeometry::ConversionFactor(Unit from, Unit to)
{
    if (from == to)
        return 1.0;
    return to == Unit::Millimeters ? 25.4 : 1.0 / 25.4;
}
