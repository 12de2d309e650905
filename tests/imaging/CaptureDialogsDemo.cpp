// Not a test: shows the capture and save dialogs one after the other, driven
// by timers, and saves a picture of each into the folder given as argument
// (run under a real or virtual X server to look at them).

#include "DialogDriver.h"
#include "PictureImage.h"
#include "SaneTestBackend.h"
#include "TSaveImageDialog.h"
#include "TwainSource.h"

#include <QApplication>
#include <QFileDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

int main(int argc, char **argv)
{
    UseSaneTestBackend();
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    auto shoot = [&](QWidget *w, const QString &name) { w->grab().save(out + QLatin1Char('/') + name); };

    TwainSource source(QStringLiteral("Twain1"), nullptr);
    WhenShown<QDialog>(QStringLiteral("DeviceListDialog"), [&](QDialog *d) {
        QTimer::singleShot(300, d, [&, d] {
            shoot(d, QStringLiteral("capture-devices.png"));
            d->accept();
        });
    });
    source.SelectSource(nullptr);

    // One real capture of the test backend's colour pattern, to look at.
    source.SetDeviceSetup([](SaneDevice &d) { return d.setStringOption("test-picture", "Color pattern"); });
    Picture24 captured;
    if (source.Acquire(nullptr, captured))
        PictureImage::ToQImage(captured).save(out + QStringLiteral("/capture-picture.png"));

    source.SetResolution(300);
    source.SetDeviceSetup([](SaneDevice &d) {
        d.setBoolOption("read-delay", true);
        return d.setNumberOption("read-delay-duration", 200000);
    });
    WhenShown<QProgressDialog>(QStringLiteral("CaptureProgress"), [&](QProgressDialog *d) {
        QTimer::singleShot(1500, d, [&, d] {
            shoot(d, QStringLiteral("capture-progress.png"));
            source.CancelAcquire();
        });
    });
    Picture24 picture;
    source.Acquire(nullptr, picture);

    TSaveImageDialog save(QStringLiteral("SD_SALVAR"), nullptr);
    save.SetInitialDir(out);
    WhenShown<QFileDialog>(QStringLiteral("SaveImageDialog"), [&](QFileDialog *d) {
        QTimer::singleShot(300, d, [&, d] {
            shoot(d, QStringLiteral("save-dialog.png"));
            WhenShown<QDialog>(QStringLiteral("SaveOptionsDialog"), [&](QDialog *o) {
                QTimer::singleShot(300, o, [&, o, d] {
                    shoot(o, QStringLiteral("save-options.png"));
                    o->reject();
                    QTimer::singleShot(0, d, &QDialog::reject);
                });
            });
            d->findChild<QPushButton *>(QStringLiteral("OptionsButton"))->click();
        });
    });
    save.Execute();
    return 0;
}
