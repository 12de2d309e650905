#pragma once

#include <QString>
#include <QStringList>

/**
 * The program's command line: `quenda [--home DIR] [photo ...]`.
 * --home makes DIR the program folder (catalogue, photos, help and language
 * file are looked for there); photo files named after it open as
 * compositions, as if chosen in the open dialog.
 */
struct CommandLine
{
    QString appDir;     ///< ends in "/"
    QStringList photos; ///< absolute paths
    QString error;      ///< set when the arguments cannot be understood

    /** `programDir` is the folder of the program file. */
    static CommandLine Parse(const QStringList &arguments, const QString &programDir);
    static QString Usage();
};
