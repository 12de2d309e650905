#include "SalonFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#ifndef QUENDA_SHARE_FROM_BIN
#define QUENDA_SHARE_FROM_BIN "../share/quenda"
#endif

namespace {
QString withSlash(const QString &dir)
{
    QString d = QDir::cleanPath(dir);
    if (!d.endsWith(QLatin1Char('/')))
        d += QLatin1Char('/');
    return d;
}

bool copyTree(const QString &from, const QString &to)
{
    const QDir source(from);
    if (!QDir().mkpath(to))
        return false;
    const QFileInfoList entries =
        source.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo &entry : entries) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir()) {
            if (!copyTree(entry.absoluteFilePath(), target))
                return false;
        } else if (!QFile::copy(entry.absoluteFilePath(), target)) {
            return false;
        } else {
            // Files shipped read-only stay writable in the user's copy, so
            // the user can replace a hair or a photo.
            QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
        }
    }
    return true;
}

// Moves what `staged` holds into `to`, leaving alone whatever `to` already
// has under the same name.
bool mergeInto(const QString &staged, const QString &to)
{
    const QDir source(staged);
    const QFileInfoList entries =
        source.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo &entry : entries) {
        const QString target = to + entry.fileName();
        const QFileInfo existing(target);
        if (existing.exists() || existing.isSymLink()) {
            if (entry.isDir() && existing.isDir() &&
                !mergeInto(entry.absoluteFilePath() + QLatin1Char('/'), target + QLatin1Char('/')))
                return false;
            continue;
        }
        if (!QDir().rename(entry.absoluteFilePath(), target))
            return false;
    }
    return true;
}
} // namespace

bool SalonFolder::HoldsCatalogue(const QString &dir)
{
    const QStringList names = QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : names)
        if (name.compare(QLatin1String("Quenda5"), Qt::CaseInsensitive) == 0 ||
            name.compare(QLatin1String("Quenda42"), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString SalonFolder::UserDir()
{
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                     QStringLiteral("/quenda"));
}

QString SalonFolder::ShippedDir(const QString &programDir)
{
    return withSlash(programDir + QLatin1Char('/') + QStringLiteral(QUENDA_SHARE_FROM_BIN));
}

bool SalonFolder::Fill(const QString &userDir, const QString &shippedDir)
{
    const QString target = withSlash(userDir);
    const QString parent = QFileInfo(QDir::cleanPath(target)).absolutePath();
    if (!QDir().mkpath(parent))
        return false;
    QTemporaryDir staging(parent + QStringLiteral("/.quenda-XXXXXX"));
    if (!staging.isValid() || !copyTree(shippedDir, staging.path()))
        return false;
    if (!QFileInfo(target).exists() && QDir().rename(staging.path(), QDir::cleanPath(target)))
        return true;
    return QDir().mkpath(target) && mergeInto(withSlash(staging.path()), target);
}

SalonFolder::Choice SalonFolder::Choose(const QString &appDir, bool homeGiven, const QString &userDir,
                                        const QString &shippedDir)
{
    if (homeGiven || HoldsCatalogue(appDir))
        return {withSlash(appDir), {}};
    const QString user = withSlash(userDir);
    if (HoldsCatalogue(user))
        return {user, {}};
    if (!HoldsCatalogue(shippedDir)) {
        // Nothing to fill the user folder with: work there anyway, so the
        // user can bring a catalogue of their own.
        QDir().mkpath(user);
        return {user, QStringLiteral("O salão de exemplo não foi encontrado; o catálogo está vazio.")};
    }
    if (Fill(user, shippedDir))
        return {user, {}};
    return {withSlash(shippedDir),
            QStringLiteral("Não foi possível criar a pasta do salão do usuário; o salão de exemplo "
                           "será usado sem poder gravar nele.")};
}
