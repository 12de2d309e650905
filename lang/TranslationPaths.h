#pragma once

#include <QString>
#include <QStringList>

class TLanguage;

/**
 * The translation paths of each program-long window, kept in one place so
 * the windows and the example language file agree. Each window hands its
 * list to its TLanguage through assignTo() before calling Translate().
 */
class TranslationPaths
{
public:
    /** Main window: menus, category list, toolbar hints, open dialog title, colour panel. */
    static const QStringList &hair();
    /** Catalogue browser: caption and its eight pages. */
    static const QStringList &thumbs();
    /** About box. */
    static const QStringList &sobre();
    /** Retouch editor: caption, menus and tool hints. */
    static const QStringList &draw();
    /** Print options window. */
    static const QStringList &impressao();
    /** Print preview. */
    static const QStringList &preview2();
    /** First-steps window. */
    static const QStringList &qstart();

    /** The list of the window named @p windowName ("F_HAIR", ...; any case), empty for others. */
    static const QStringList &forWindow(const QString &windowName);


    /**
     * Separator the window sets on its TLanguage: "," for every window except
     * the first-steps window, which leaves it unset (empty QString returned).
     */
    static QString separatorFor(const QString &windowName);

    /**
     * Paths of captions the program has beyond the list above (newer menu
     * entries); the window appends them to its list, so a language file can
     * translate them like the others. Empty for windows without any.
     */
    static const QStringList &added(const QString &windowName);

    /** Sets Properties (the window's list, then its added captions) and,
     *  where the window sets one, Separator of @p language. */
    static void assignTo(TLanguage &language, const QString &windowName);
};
