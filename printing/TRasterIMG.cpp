#include "TRasterIMG.h"

#include "PrintGeometry.h"
#include "RasterQImage.h"

#include <QFile>
#include <QPainter>

TRasterIMG::TRasterIMG(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    setAutoFillBackground(true);
}

void TRasterIMG::SetPicture(TRasterBMP picture)
{
    m_picture = std::move(picture);
    m_drawn = QImage();
    update();
}

ImageStatus TRasterIMG::LoadFromFile(const QString &fileName)
{
    TRasterBMP loaded;
    const ImageStatus status = loaded.LoadFromBitmapFile(QFile::encodeName(fileName).toStdString());
    if (status)
        SetPicture(std::move(loaded));
    return status;
}

void TRasterIMG::Clear()
{
    SetPicture(TRasterBMP());
}

QRect TRasterIMG::DrawnRect() const
{
    if (m_picture.IsEmpty())
        return {};
    const PrintGeometry::Rect r =
        PrintGeometry::RasterFit(width(), height(), m_picture.Width(), m_picture.Height());
    return {r.left, r.top, r.width, r.height};
}

const QImage &TRasterIMG::Drawn()
{
    const QRect target = DrawnRect();
    if (target.isEmpty()) {
        m_drawn = QImage();
    } else if (m_drawn.size() != target.size()) {
        TRasterBMP scaled(target.width(), target.height());
        m_picture.ScaleBilinearInto(scaled);
        m_drawn = RasterQImage::ToQImage(scaled);
    }
    return m_drawn;
}

void TRasterIMG::paintEvent(QPaintEvent *)
{
    const QImage &drawn = Drawn();
    if (drawn.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(DrawnRect().topLeft(), drawn);
}
