#include "QtTranslations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
QTranslator *&installed()
{
    static QTranslator *translator = nullptr;
    return translator;
}
} // namespace

QLocale QtTranslations::Choose(bool languageFilePresent, const QLocale &system)
{
    if (languageFilePresent)
        return system;
    return QLocale(QLocale::Portuguese, QLocale::Brazil);
}

bool QtTranslations::Install(const QString &appDir)
{
    const bool languageFile = QFileInfo(appDir + QStringLiteral("language.lng")).isFile();
    const QLocale locale = Choose(languageFile, QLocale::system());
    if (QTranslator *old = installed()) {
        QCoreApplication::removeTranslator(old);
        delete old;
        installed() = nullptr;
    }
    auto *translator = new QTranslator(QCoreApplication::instance());
    // "qt_pt_BR.qm" gathers qtbase and the other modules' catalogues.
    if (!translator->load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed() = translator;
    return true;
}

const QTranslator *QtTranslations::Installed()
{
    return installed();
}
