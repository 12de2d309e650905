#include "TThumbNail.h"

#include "PictureImage.h"
#include "TThumbview.h"
#include "ThumbnailReader.h"
#include "ThumbviewLayout.h"

#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

TThumbNail::TThumbNail(TThumbview *view) : QFrame(view ? view->Content() : nullptr), m_view(view)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    m_titleBar = new QLabel(this);
    m_titleBar->setObjectName(QStringLiteral("TThumbTitle"));
    m_titleBar->setAlignment(Qt::AlignCenter);
    m_titleBar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_titleBar->setAutoFillBackground(true);
    m_titleColor = palette().color(QPalette::Button);
    m_titleTextColor = palette().color(QPalette::WindowText);
    applyTitleColours();
    if (view)
        resize(view->MaxWidth(), view->MaxHeight());
}

int TThumbNail::ClientWidth() const
{
    return ThumbviewLayout::ClientWidth(width(), m_borderWidth);
}

int TThumbNail::ClientHeight() const
{
    return ThumbviewLayout::ClientHeight(height(), kTitleHeight);
}

void TThumbNail::SetFilename(const QString &name)
{
    m_filename = name;
    load();
    if (m_title.isEmpty())
        SetTitle(name.section(QLatin1Char('/'), -1));
}

bool TThumbNail::ReadPicture(const QString &name, int boxWidth, int boxHeight, Picture24 &picture,
                             QSize &fullSize)
{
    // Read at a reduced scale where the format allows, but never below what
    // the box reduction keeps.
    int w = 0, h = 0;
    const bool ok = ThumbnailReader::Read(QFile::encodeName(name).toStdString(), boxWidth, boxHeight, picture,
                                          LoadOptions{0xFFFFFF}, &w, &h) &&
                    !picture.isNull();
    fullSize = QSize(w, h);
    return ok;
}

void TThumbNail::SetFilename(const QString &name, const Picture24 &picture, QSize fullSize, bool readOk)
{
    m_filename = name;
    take(picture, fullSize, readOk);
    if (m_title.isEmpty())
        SetTitle(name.section(QLatin1Char('/'), -1));
}

void TThumbNail::load()
{
    Picture24 picture;
    const int boxWidth = m_minimizeMemory && m_view ? m_view->MaxWidth() : 0;
    const int boxHeight = m_minimizeMemory && m_view ? m_view->MaxHeight() : 0;
    QSize fullSize;
    const bool ok = ReadPicture(m_filename, boxWidth, boxHeight, picture, fullSize);
    take(picture, fullSize, ok);
}

void TThumbNail::take(const Picture24 &picture, QSize fullSize, bool readOk)
{
    m_picture = QImage();
    m_imageReady = false;
    if (readOk && !picture.isNull()) {
        m_picture = PictureImage::ToQImage(picture);
        if (m_minimizeMemory)
            reduce(fullSize);
        m_imageReady = true;
    }
    fit();
    update();
}

void TThumbNail::reduce(QSize fullSize)
{
    if (m_picture.isNull() || !m_view)
        return;
    // The target comes from the picture's own size, also when the file was
    // read at a reduced scale.
    if (fullSize.isEmpty())
        fullSize = m_picture.size();
    const ThumbReduction r = ThumbviewLayout::Reduction(fullSize.width(), fullSize.height(),
                                                        m_view->MaxWidth(), m_view->MaxHeight());
    if (!r.reduce || (r.width == m_picture.width() && r.height == m_picture.height()))
        return;
    m_picture = PictureImage::ToQImage(
        ThumbnailReader::Resample(PictureImage::FromQImage(m_picture), r.width, r.height));
}

void TThumbNail::SetMinimizeMemory(bool on)
{
    if (on == m_minimizeMemory)
        return;
    m_minimizeMemory = on;
    if (on) {
        reduce(m_picture.size());
        fit();
        update();
    } else if (!m_filename.isEmpty()) {
        load();
    }
}

void TThumbNail::fit()
{
    m_pictureRect = QRect();
    if (m_picture.isNull())
        return;
    const ThumbRect r = ThumbviewLayout::Fit(m_picture.width(), m_picture.height(), ClientWidth(),
                                             ClientHeight(), width(), height(), kTitleHeight);
    m_pictureRect = QRect(r.left, r.top, r.width, r.height);
}

void TThumbNail::SetTitle(const QString &title)
{
    m_title = title;
    m_titleBar->setText(title);
}

void TThumbNail::SetTitleColor(const QColor &colour)
{
    m_titleColor = colour;
    applyTitleColours();
}

void TThumbNail::SetTitleTextColor(const QColor &colour)
{
    m_titleTextColor = colour;
    applyTitleColours();
}

QFont TThumbNail::TitleFont() const
{
    return m_titleBar->font();
}

void TThumbNail::SetTitleFont(const QFont &font)
{
    m_titleBar->setFont(font);
}

void TThumbNail::applyTitleColours()
{
    QPalette p = m_titleBar->palette();
    p.setColor(QPalette::Window, m_titleColor);
    p.setColor(QPalette::WindowText, m_titleTextColor);
    m_titleBar->setPalette(p);
}

void TThumbNail::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    m_titleBar->setGeometry(0, 0, width(), kTitleHeight);
    fit();
}

void TThumbNail::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.fillRect(
        rect(), QBrush(palette().color(QPalette::Inactive, QPalette::PlaceholderText), Qt::FDiagPattern));
    if (!m_picture.isNull() && !m_pictureRect.isEmpty())
        painter.drawImage(m_pictureRect, m_picture);
    painter.end();
    QFrame::paintEvent(event);
}

void TThumbNail::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_asButton) {
        m_down = true;
        setFrameShadow(QFrame::Sunken);
    }
    if (m_view)
        m_view->ThumbPress(mapTo(m_view->viewport(), event->position().toPoint()));
}

void TThumbNail::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_down) {
        m_down = false;
        setFrameShadow(QFrame::Raised);
    }
    if (m_view && rect().contains(event->position().toPoint()))
        m_view->ThumbClick();
}

void TThumbNail::mouseDoubleClickEvent(QMouseEvent *)
{
    if (m_view)
        m_view->ThumbDblClick();
}
