#include "TLineWidthComboBox.h"

#include "DrawComboGeometry.h"
#include "OwnerDrawnItemDelegate.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace {
const QColor kSampleGrey(0x80, 0x80, 0x80);
} // namespace

TLineWidthComboBox::TLineWidthComboBox(const QString &name, QWidget *parent) : QComboBox(parent)
{
    setObjectName(name);
    setItemDelegate(new OwnerDrawnItemDelegate<TLineWidthComboBox>(this));
    setFixedHeight(kHeight);
    CreateWnd();
    connect(this, &QComboBox::activated, this, &TLineWidthComboBox::userPicked);
}

void TLineWidthComboBox::SetLineWidth(int width)
{
    m_lineWidth = width;
    setCurrentIndex(width >= 1 && width <= count() ? width - 1 : -1);
}

void TLineWidthComboBox::SetMaxLineWidth(int count)
{
    const int width = m_lineWidth;
    m_maxLineWidth = count;
    BuildItems();
    SetLineWidth(width);
}

void TLineWidthComboBox::SetColor(const QColor &color)
{
    m_color = color;
    update();
}

void TLineWidthComboBox::SetItemHeight(int height)
{
    m_itemHeight = height;
    if (view())
        view()->doItemsLayout();
    update();
}

void TLineWidthComboBox::BuildItems()
{
    clear();
    for (int w = 1; w <= m_maxLineWidth; ++w)
        addItem(QStringLiteral("Ancho ") + QString::number(w));
}

void TLineWidthComboBox::CreateWnd()
{
    BuildItems();
    SetLineWidth(m_lineWidth);
}

void TLineWidthComboBox::Click()
{
    if (currentIndex() >= 0)
        m_lineWidth = currentIndex() + 1;
    emit OnClick();
}

void TLineWidthComboBox::userPicked(int)
{
    Click();
    emit OnChange();
}

void TLineWidthComboBox::DrawItem(QPainter &painter, const QRect &rect, int index, bool selected) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(rect, palette().brush(selected ? QPalette::Highlight : QPalette::Base));
    const DrawComboGeometry::LineSample s = DrawComboGeometry::WidthSample(
        {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()}, index);
    painter.setPen(QPen(kSampleGrey, 0));
    painter.setBrush(m_color);
    if (s.box.width() > 0 && s.box.height() > 0)
        painter.drawRect(s.box.left, s.box.top, s.box.width() - 1, s.box.height() - 1);
    // In a narrow field a wide sample's ends cross; it is still drawn, as
    // a round blob, so the closed list shows the chosen width.
    painter.setPen(QPen(kSampleGrey, s.penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(s.x1, s.y, s.x2, s.y);
    painter.restore();
}

void TLineWidthComboBox::paintEvent(QPaintEvent *)
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
