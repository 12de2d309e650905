#include "TColorComboBoxEx.h"

#include "BasicColours.h"
#include "DrawComboGeometry.h"
#include "OwnerDrawnItemDelegate.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace {
DrawComboGeometry::Rect gdiRect(const QRect &r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}
} // namespace

TColorComboBoxEx::TColorComboBoxEx(const QString &name, QWidget *parent) : QComboBox(parent)
{
    setObjectName(name);
    setItemDelegate(new OwnerDrawnItemDelegate<TColorComboBoxEx>(this));
    setFixedHeight(kHeight);
    CreateWnd();
    connect(this, &QComboBox::activated, this, &TColorComboBoxEx::userPicked);
}

QColor TColorComboBoxEx::ColorValue() const
{
    return QColor::fromRgb(BasicColours::ToRgb(m_colour));
}

std::uint32_t TColorComboBoxEx::bgrOf(const QColor &colour)
{
    return BasicColours::FromRgb(colour.rgb() & 0xFFFFFFu);
}

int TColorComboBoxEx::IndexOfColor(const QColor &colour) const
{
    const std::uint32_t bgr = bgrOf(colour);
    for (int i = count() - 1; i >= 0; --i)
        if (itemData(i).toUInt() == bgr)
            return i;
    return -1;
}

void TColorComboBoxEx::SetColorValue(const QColor &colour)
{
    const std::uint32_t bgr = bgrOf(colour);
    if (currentIndex() >= 0 && bgr == m_colour)
        return;
    const int index = IndexOfColor(colour);
    if (index < 0)
        return;
    m_colour = bgr;
    if (index != currentIndex())
        setCurrentIndex(index);
    Change();
}

void TColorComboBoxEx::SetShowStyle(TShowStyle style)
{
    if (style == m_showStyle)
        return;
    m_showStyle = style;
    update();
}

void TColorComboBoxEx::SetItemHeight(int height)
{
    m_itemHeight = height;
    if (view())
        view()->doItemsLayout();
    update();
}

void TColorComboBoxEx::BuildItems()
{
    clear();
    for (const BasicColours::Entry &e : BasicColours::Entries())
        addItem(QString::fromStdString(BasicColours::ItemText(e.bgr)), QVariant::fromValue(e.bgr));
    // The list starts with nothing selected, so that the value's own item
    // is chosen (and announced) by CreateWnd.
    setCurrentIndex(-1);
}

void TColorComboBoxEx::CreateWnd()
{
    BuildItems();
    SetColorValue(ColorValue());
}

int TColorComboBoxEx::FontItemHeight(const QFont &font)
{
    return QFontMetrics(font).height() + 2;
}

void TColorComboBoxEx::Click()
{
    if (currentIndex() >= 0)
        SetColorValue(QColor::fromRgb(BasicColours::ToRgb(itemData(currentIndex()).toUInt())));
    emit OnClick();
}

void TColorComboBoxEx::Change()
{
    emit OnChange();
}

void TColorComboBoxEx::userPicked(int)
{
    Click();
    Change();
}

void TColorComboBoxEx::changeEvent(QEvent *event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_showStyle == ssColorAndText) {
        SetItemHeight(DrawComboGeometry::NamedItemHeight(QFontMetrics(font()).height()));
        CreateWnd();
    }
}

void TColorComboBoxEx::DrawItem(QPainter &painter, const QRect &rect, int index, bool selected) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QBrush background = palette().brush(selected ? QPalette::Highlight : QPalette::Base);
    const QColor text = palette().color(selected ? QPalette::HighlightedText : QPalette::Text);
    painter.fillRect(rect, background);
    if (m_showStyle == ssOnlyText) {
        painter.setPen(text);
        painter.drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, itemText(index));
        painter.restore();
        return;
    }
    const auto style = static_cast<DrawComboGeometry::ShowStyle>(m_showStyle);
    const DrawComboGeometry::Rect item = gdiRect(rect);
    if (m_showStyle == ssColorAndText) {
        const DrawComboGeometry::Point at = DrawComboGeometry::TextOrigin(item);
        painter.setPen(text);
        painter.drawText(QRect(at.x, at.y, std::max(0, item.right - at.x), std::max(0, item.bottom - at.y)),
                         Qt::AlignLeft | Qt::AlignTop, itemText(index));
    }
    const DrawComboGeometry::Rect box = DrawComboGeometry::ColourBox(item, style);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(QColor::fromRgb(BasicColours::ToRgb(itemData(index).toUInt())));
    if (box.width() > 0 && box.height() > 0)
        painter.drawRect(box.left, box.top, box.width() - 1, box.height() - 1);
    painter.restore();
}

void TColorComboBoxEx::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0)
        DrawItem(painter, field, currentIndex(), hasFocus());
}
