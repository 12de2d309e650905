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
    /** One dialog entry per pair: "Description (pattern pattern ...)". */
    static QStringList ToEntries(const QString &designed);
    /** Patterns of entry `index` (0-based) without the "*.": {"jpg","jpeg"}. */
    static QStringList Extensions(const QString &designed, int index);
};
