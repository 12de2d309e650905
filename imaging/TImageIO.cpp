#include "TImageIO.h"

#include "TImageView.h"

#include <QFile>

TImageIO::TImageIO(const QString &name, TImageView *view, QObject *parent)
    : QObject(parent), m_view(view)
{
    setObjectName(name);
}

std::string TImageIO::LocalPath(const QString &fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

ImageStatus TImageIO::LoadFromFile(const QString &fileName)
{
    LoadOptions options;
    options.background = m_view->Background().rgb() & 0xFFFFFFu;
    Picture24 picture;
    ImageStatus status = ImageFile::load(LocalPath(fileName), picture, options);
    if (status)
        m_view->SetBitmap(std::move(picture));
    return status;
}

ImageStatus TImageIO::LoadFromFileGIF(const QString &fileName)
{
    Picture24 picture;
    std::uint32_t background = m_view->Background().rgb() & 0xFFFFFFu;
    ImageStatus status = ImageFile::loadGif(LocalPath(fileName), picture, background);
    if (status) {
        m_view->SetBackground(QColor::fromRgb(background));
        m_view->SetBitmap(std::move(picture));
    }
    return status;
}

ImageStatus TImageIO::SaveToFile(const QString &fileName) const
{
    return ImageFile::save(LocalPath(fileName), m_view->Bitmap(), m_options);
}
