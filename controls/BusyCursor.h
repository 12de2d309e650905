#pragma once

#include <QApplication>
#include <QCursor>

/** Shows the hourglass for the lifetime of the object: every lengthy
 *  operation restores the default cursor at its end, also on early return. */
class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};
