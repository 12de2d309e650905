#include "ExtensionIconProvider.h"

#include <QFileInfo>
#include <QMimeDatabase>

namespace {
// Types are looked up by name only; for anything but a regular file or a
// folder, even that says nothing useful.
QMimeType typeByName(const QFileInfo &info)
{
    return QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
}
} // namespace

QIcon ExtensionIconProvider::icon(const QFileInfo &info) const
{
    if (info.isRoot())
        return QFileIconProvider::icon(QAbstractFileIconProvider::Drive);
    if (info.isDir())
        return QFileIconProvider::icon(QAbstractFileIconProvider::Folder);
    const QMimeType mime = typeByName(info);
    const QIcon fallback = QFileIconProvider::icon(QAbstractFileIconProvider::File);
    if (!info.isFile() || mime.isDefault())
        return fallback;
    return QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName(), fallback));
}

QString ExtensionIconProvider::type(const QFileInfo &info) const
{
    if (info.isRoot() || info.isDir())
        return QFileIconProvider::type(info); // names a folder without reading it
    const QMimeType mime = typeByName(info);
    if (!info.isFile() || mime.isDefault())
        return info.suffix().isEmpty() ? QString() : info.suffix().toUpper();
    return mime.comment();
}
