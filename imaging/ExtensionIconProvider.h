#pragma once

#include <QFileIconProvider>

/**
 * Icons and type names for a file dialog's list taken from the name alone.
 * Qt's own provider reads a file's first bytes when the extension says
 * nothing, and a read of some /proc files never returns: a dialog showing
 * /proc would then hang for good.
 */
class ExtensionIconProvider : public QFileIconProvider
{
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo &info) const override;
    QString type(const QFileInfo &info) const override;
};
