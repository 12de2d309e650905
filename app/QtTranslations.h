#pragma once

#include <QLocale>
#include <QString>

class QTranslator;

/**
 * Qt's own texts (the buttons and labels of the file, print and message
 * dialogs) in the program's language. The program is Brazilian Portuguese;
 * a language file cannot say which language it holds, so with one present
 * the dialogs follow the system's language instead.
 */
class QtTranslations
{
public:
    /** The locale whose Qt texts to load. */
    static QLocale Choose(bool languageFilePresent, const QLocale &system);

    /** Installs Qt's translations for the program folder @p appDir on the
     *  application; false when none were found for the chosen language
     *  (Qt's English texts stay). */
    static bool Install(const QString &appDir);

    /** The translator installed last, for tests; nullptr before Install. */
    static const QTranslator *Installed();
};
