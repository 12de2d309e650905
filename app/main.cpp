#include "CommandLine.h"
#include "CompositionReport.h"
#include "ProgramWindows.h"
#include "QtTranslations.h"
#include "SalonFolder.h"
#include "SingleInstance.h"
#include "TF_HAIR.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <cstdio>

namespace {
void reportCompositions()
{
    // The test hook ends the event loop without asking the user whether
    // to leave (quit() would close the windows, which asks first).
    if (CompositionReport::Update(F_HAIR->CompositionCount()))
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
}
} // namespace

int main(int argc, char **argv)
{
    QStringList rawArguments;
    for (int i = 0; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    switch (CommandLine::InfoRequested(rawArguments)) {
    case CommandLine::Action::Help:
        std::fputs(CommandLine::HelpText().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::printf("%s\n", CommandLine::VersionText().toLocal8Bit().constData());
        return 0;
    case CommandLine::Action::Run:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QUENDA 5"));
    // Ties the windows to the desktop entry (icon and name in task bars).
    QGuiApplication::setDesktopFileName(QStringLiteral("quenda"));

    const CommandLine line = CommandLine::Parse(QApplication::arguments(), QApplication::applicationDirPath());
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", line.error.toLocal8Bit().constData());
        return 2;
    }

    // An installed program has no catalogue beside it: it works in the
    // user's own salon folder.
    const SalonFolder::Choice salon =
        SalonFolder::Choose(line.appDir, line.homeGiven, SalonFolder::UserDir(),
                            SalonFolder::ShippedDir(QApplication::applicationDirPath()));

    SingleInstance instance(salon.dir);
    if (SingleInstance::Enabled() && instance.HandOffOrServe(line.photos))
        return 0;

    QtTranslations::Install(salon.dir);
    ProgramWindows::Create(salon.dir);
    // Without a window manager a maximize request is not honoured; start
    // on the whole screen anyway.
    if (const QScreen *screen = F_HAIR->screen())
        F_HAIR->setGeometry(screen->availableGeometry());
    F_HAIR->showMaximized();
    // Photos named on the command line open once the frame is up.
    QTimer::singleShot(0, F_HAIR, [photos = line.photos, message = salon.message] {
        if (!message.isEmpty())
            F_HAIR->ShowMessage(message, QStringLiteral("QUENDA"));
        for (const QString &photo : photos)
            F_HAIR->OpenPhotoFile(photo);
        reportCompositions();
    });
    QObject::connect(&instance, &SingleInstance::PhotosArrived, F_HAIR, [](const QStringList &photos) {
        if (F_HAIR->isMinimized())
            F_HAIR->showMaximized();
        F_HAIR->raise();
        F_HAIR->activateWindow();
        for (const QString &photo : photos)
            F_HAIR->OpenPhotoFile(photo);
        reportCompositions();
    });
    const int result = QApplication::exec();
    ProgramWindows::Destroy();
    return result;
}
