#include "HairFaceFitter.h"

#include "BusyCursor.h"
#include "CompositionHost.h"
#include "FaceFit.h"
#include "FacePlaces.h"
#include "HairFiles.h"
#include "TF_FILHO.h"
#include "TImage.h"
#include "TImageView.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

ViewMapping mappingOf(const TF_FILHO *c)
{
    // PictureToClient of picture pixel 0 is exactly the view's offset minus
    // its scroll position: a whole number, so no rounding creeps in.
    return {double(c->Image1->Zoom()), double(c->Image1->PictureToClientX(0)),
            double(c->Image1->PictureToClientY(0))};
}

QString cannotWrite(const QString &path, QString *file)
{
    if (file)
        *file = QDir::toNativeSeparators(path);
    return QString::fromUtf8(HairFaceFitter::kCannotWrite);
}

} // namespace

std::optional<FaceFound> HairFaceFitter::PhotoFace(TF_FILHO *c)
{
    return FaceCache::Find(c->lblFilename.toStdString(), c->Image1->Bitmap());
}

QString HairFaceFitter::FacesFilePath(TF_FILHO *c)
{
    const QString hairFile = c->HairFilePath();
    const QString folder = QFileInfo(hairFile).path();
    const QString appDir = c->AppDirectory();
    const QString realFolder = HairFiles::Resolve(appDir, folder);
    const QString wanted = (realFolder.isEmpty() ? folder : realFolder) + QLatin1Char('/') +
                           QString::fromLatin1(FacePlaces::kFileName);
    const QString existing = HairFiles::Resolve(appDir, wanted);
    return existing.isEmpty() ? wanted : existing;
}

FaceRect HairFaceFitter::HairFace(TF_FILHO *c, bool *fromFile)
{
    if (fromFile)
        *fromFile = false;
    QFile file(FacesFilePath(c));
    // A face file is a few hundred bytes; anything huge is not one.
    if (file.open(QIODevice::ReadOnly) && file.size() < (1 << 20)) {
        const QByteArray text = file.readAll();
        if (auto place = FacePlaces::Find(std::string_view(text.constData(), size_t(text.size())), c->HairNumber)) {
            if (fromFile)
                *fromFile = true;
            return *place;
        }
    }
    return FaceFit::EstimateFromPicture(c->ImageAux2->Bitmap());
}

QString HairFaceFitter::FitToFace(TF_FILHO *c)
{
    BusyCursor busy;
    const auto face = PhotoFace(c);
    if (!face)
        return QString::fromUtf8(kNoFace);
    const Picture24 &master = c->ImageAux2->Bitmap();
    if (master.isNull())
        return QString::fromUtf8(kNoFace);
    const FaceRect hairFace = HairFace(c);
    const OverlayBounds b = FaceFit::Fit(hairFace, master.width(), master.height(), face->face, mappingOf(c));
    c->SetHairBounds(QRect(b.left, b.top, b.width, b.height));
    // A hair opened hidden with its photo is shown: the user asked to see it
    // on the face.
    c->Image2->show();
    return {};
}

QString HairFaceFitter::RecordPlacement(TF_FILHO *c, QString *file)
{
    const auto face = PhotoFace(c);
    if (!face)
        return QString::fromUtf8(kNoFace);
    const Picture24 &master = c->ImageAux2->Bitmap();
    const QRect g = c->Image2->geometry();
    const FaceRect place = FaceFit::Recorded({g.x(), g.y(), g.width(), g.height()}, master.width(),
                                             master.height(), face->face, mappingOf(c));
    if (place.isEmpty())
        return QString::fromUtf8(kNoFace);
    const QString path = FacesFilePath(c);
    QByteArray old;
    QFile in(path);
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly) || in.size() >= (1 << 20))
            return cannotWrite(path, file);
        old = in.readAll();
    }
    const std::string text =
        old.isEmpty() ? FacePlaces::Format({{c->HairNumber, place}})
                      : FacePlaces::WithPlace(std::string_view(old.constData(), size_t(old.size())), c->HairNumber,
                                              place);
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(text.data(), qint64(text.size())) != qint64(text.size()) ||
        !out.commit())
        return cannotWrite(path, file);
    return {};
}
