#include "HairFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

QString HairFiles::HairFilePath(const QString &appDir, const QString &hairFolder,
                                const QString &categoryName, int hairNumber)
{
    return appDir + hairFolder + QLatin1Char('/') + categoryName + QLatin1Char('/')
           + QString::number(hairNumber) + QStringLiteral(".GIF");
}

QString HairFiles::TempPhotoPath(const QString &appDir, const QString &catalogueFolder, int number)
{
    return appDir + catalogueFolder + QStringLiteral("/Temp") + QString::number(number)
           + QStringLiteral(".BMP");
}

QString HairFiles::Resolve(const QString &base, const QString &path)
{
    if (QFileInfo::exists(path))
        return path;
    if (!path.startsWith(base))
        return {};
    QString resolved = base;
    const QStringList parts = path.mid(base.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QString exact = resolved + (resolved.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) + part;
        if (QFileInfo::exists(exact)) {
            resolved = exact;
            continue;
        }
        const QDir dir(resolved);
        if (!dir.exists())
            return {};
        QString match;
        const QStringList names = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        for (const QString &name : names) {
            if (name.compare(part, Qt::CaseInsensitive) == 0) {
                match = name;
                break;
            }
        }
        if (match.isEmpty())
            return {};
        resolved = dir.filePath(match);
    }
    return resolved;
}

bool HairFiles::Exists(const QString &appDir, const QString &path)
{
    const QString resolved = Resolve(appDir, path);
    return !resolved.isEmpty() && QFileInfo(resolved).isFile();
}

bool HairFiles::CanWriteIn(const QString &dir)
{
    QTemporaryFile probe(dir + QStringLiteral("/.quenda-write-XXXXXX"));
    return probe.open();
}
