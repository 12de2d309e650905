#include "THSVBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QResizeEvent>

#include <cstring>

namespace {

std::uint32_t packColour(const QColor &c)
{
    const QColor rgb = c.toRgb();
    return std::uint32_t(rgb.red()) | (std::uint32_t(rgb.green()) << 8)
           | (std::uint32_t(rgb.blue()) << 16);
}

// Picture24 rows are blue-green-red, padded to 4 bytes and stored bottom-up;
// a 24-bit QImage has the same byte order and padding, only top-down.
QImage toImage(const Picture24 &picture)
{
    if (picture.isNull())
        return {};
    QImage image(picture.width(), picture.height(), QImage::Format_BGR888);
    const std::size_t bytes = static_cast<std::size_t>(picture.width()) * 3;
    for (int y = 0; y < picture.height(); ++y)
        std::memcpy(image.scanLine(y), picture.scanLine(y), bytes);
    return image;
}

} // namespace

THSVBox::THSVBox(QWidget *parent)
    : QWidget(parent)
    , m_model(HsvBoxModel::kDefaultSize, HsvBoxModel::kDefaultSize,
              packColour(palette().color(QPalette::Button)))
{
    // The picture covers every pixel, so there is no background to erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(HsvBoxModel::kDefaultSize, HsvBoxModel::kDefaultSize);
    pictureChanged();
}

QSize THSVBox::sizeHint() const
{
    return {HsvBoxModel::kDefaultSize, HsvBoxModel::kDefaultSize};
}

QColor THSVBox::Background() const
{
    const std::uint32_t c = m_model.Background();
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

void THSVBox::setHue(int value)
{
    syncSize();
    m_model.setHue(value);
    pictureChanged();
}

void THSVBox::setSat(int value)
{
    syncSize();
    m_model.setSat(value);
    pictureChanged();
}

void THSVBox::setVal(int value)
{
    syncSize();
    m_model.setVal(value);
    pictureChanged();
}

void THSVBox::setBackground(const QColor &colour)
{
    syncSize();
    m_model.setBackground(packColour(colour));
    pictureChanged();
}

void THSVBox::ToggleMarkers()
{
    syncSize();
    m_model.ToggleMarkers();
    pictureChanged();
}

// A hidden widget receives its resize event only when it is shown or
// grabbed; anything that touches the picture first brings it to size.
void THSVBox::syncSize()
{
    if (m_model.width() != width() || m_model.height() != height()) {
        m_model.resize(width(), height());
        pictureChanged();
    }
}

void THSVBox::pictureChanged()
{
    m_image = toImage(m_model.PickerBitmap());
    update();
}

void THSVBox::paintEvent(QPaintEvent *)
{
    syncSize();
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

void THSVBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    syncSize();
}

void THSVBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    syncSize();
    const QPoint pos = event->position().toPoint();
    if (m_model.mousePress(pos.x(), pos.y())) {
        pictureChanged();
        emit OnChange();
    }
}

void THSVBox::mouseMoveEvent(QMouseEvent *event)
{
    syncSize();
    const QPoint pos = event->position().toPoint();
    if (m_model.mouseMove(pos.x(), pos.y())) {
        pictureChanged();
        emit OnChange();
    }
}

void THSVBox::mouseReleaseEvent(QMouseEvent *event)
{
    m_model.mouseRelease();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit OnClick();
    else
        QWidget::mouseReleaseEvent(event);
}
