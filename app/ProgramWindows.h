#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

/**
 * The program-long windows, created at start in a fixed order (the main
 * window first: the others read the program folder from it) and freed at
 * the end in reverse order.
 */
class ProgramWindows
{
public:
    /** Sets the application title and creates the eight windows. */
    static void Create(const QString &appDir);
    /** Frees them, last created first. */
    static void Destroy();
    /** The program icon in every size it is drawn in. */
    static QIcon Icon();
    /** Component names in the order they were created. */
    static const QStringList &CreationOrder();
};
