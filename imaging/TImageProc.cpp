#include "TImageProc.h"

#include "ChannelShift.h"
#include "HsvShift.h"
#include "PictureImage.h"
#include "TImageView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

TImageProc::TImageProc(const QString &name, TImageView *view, QObject *parent)
    : QObject(parent), m_view(view)
{
    setObjectName(name);
}

void TImageProc::SaveUndo()
{
    m_snapshot = m_view->Bitmap();
}

bool TImageProc::Undo()
{
    if (m_snapshot.width() < 2 || m_snapshot.height() < 2)
        return false;
    m_view->SetBitmap(m_snapshot);
    return true;
}

void TImageProc::ShiftChannels(int red, int green, int blue)
{
    if (m_autoUndo)
        SaveUndo();
    ::ShiftChannels(m_view->Bitmap(), red, green, blue);
    m_view->Refresh();
}

void TImageProc::ShiftHSV(int hue, int saturation, int value)
{
    if (m_autoUndo)
        SaveUndo();
    ::ShiftHSV(m_view->Bitmap(), hue, saturation, value);
    m_view->Refresh();
}

void TImageProc::CopyToClipboard() const
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(PictureImage::ToQImage(m_view->Bitmap()));
}

bool TImageProc::ClipboardHasBitmap()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasImage() && !QGuiApplication::clipboard()->image().isNull();
}

bool TImageProc::PasteFromClipboard()
{
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull())
        return false;
    Picture24 picture = PictureImage::FromQImage(image, Qt::white);
    if (picture.isNull())
        return false;
    if (m_autoUndo)
        SaveUndo();
    m_view->SetBitmap(std::move(picture));
    return true;
}
