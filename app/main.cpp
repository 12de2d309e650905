#include "CommandLine.h"
#include "ProgramWindows.h"
#include "QtTranslations.h"
#include "TF_HAIR.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QUENDA 5"));

    const CommandLine line = CommandLine::Parse(QApplication::arguments(), QApplication::applicationDirPath());
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", line.error.toLocal8Bit().constData());
        return 2;
    }

    QtTranslations::Install(line.appDir);
    ProgramWindows::Create(line.appDir);
    // Without a window manager a maximize request is not honoured; start
    // on the whole screen anyway.
    if (const QScreen *screen = F_HAIR->screen())
        F_HAIR->setGeometry(screen->availableGeometry());
    F_HAIR->showMaximized();
    // Photos named on the command line open once the frame is up.
    QTimer::singleShot(0, F_HAIR, [photos = line.photos] {
        for (const QString &photo : photos)
            F_HAIR->OpenPhotoFile(photo);
    });
    const int result = QApplication::exec();
    ProgramWindows::Destroy();
    return result;
}
