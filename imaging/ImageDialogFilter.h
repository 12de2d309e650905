#pragma once

#include <QString>
#include <QStringList>

/**
 * The open and save dialogs' filter list, kept in its designed one-line form
 * ("All graphics|*.jpg;*.jpeg;...|JPEG files (*.jpg;*.jpeg)|*.jpg;*.jpeg|...")
 * and turned into the entries the file dialog shows.
 */
class ImageDialogFilter
{
public:
    /** The designed filter text of both photo dialogs. */
    static QString Standard();
    /** The open dialog's filter: Standard with the formats that are read
     *  but never written (HEIF, WebP) added, so the save list stays as it is. */
    static QString Open();
    /** One dialog entry per pair: "Description (pattern pattern ...)". */
    static QStringList ToEntries(const QString &designed);
    /** Patterns of entry `index` (0-based) without the "*.": {"jpg","jpeg"}. */
    static QStringList Extensions(const QString &designed, int index);
};
