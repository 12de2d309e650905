#pragma once

// Drives modal dialogs from inside their own event loop: polls for a
// visible top-level widget of the wanted type and name, then acts on it.
// A dialog that never shows is reported through `missed` after a few
// seconds, and whatever modal window is up is closed so the test does not
// hang.

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

template <class W>
void WhenShown(const QString &objectName, std::function<void(W *)> act, bool *missed = nullptr)
{
    auto *timer = new QTimer(qApp);
    auto ticks = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *found = qobject_cast<W *>(w);
            if (found && found->isVisible() && (objectName.isEmpty() || found->objectName() == objectName)) {
                timer->stop();
                timer->deleteLater();
                act(found);
                return;
            }
        }
        if (++*ticks > 500) {
            timer->stop();
            timer->deleteLater();
            if (missed)
                *missed = true;
            if (auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                modal->reject();
        }
    });
    timer->start();
}
