#pragma once

#include <QString>
#include <QStringList>

/**
 * The program's command line: `quenda [--home DIR] [photo ...]`, plus
 * `--help` and `--version`.
 * --home makes DIR the program folder (catalogue, photos, help and language
 * file are looked for there); photo files named after it open as
 * compositions, as if chosen in the open dialog.
 */
struct CommandLine
{
    enum class Action { Run, Help, Version };

    QString appDir;     ///< ends in "/"
    QStringList photos; ///< absolute paths
    QString error;      ///< set when the arguments cannot be understood
    bool homeGiven = false;
    Action action = Action::Run;

    /** `programDir` is the folder of the program file. */
    static CommandLine Parse(const QStringList &arguments, const QString &programDir);
    /** Help or Version when the arguments ask for one, looked for before
     *  the window system is opened (they need no display). */
    static Action InfoRequested(const QStringList &arguments);
    static QString Usage();
    /** What --help prints. */
    static QString HelpText();
    /** What --version prints: "quenda <version>". */
    static QString VersionText();
};
