#include "DialogDriver.h"
#include "SaneTestBackend.h"
#include "TwainSource.h"

#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <thread>

namespace {
// A scan slowed down by the test backend: it pauses `delayUs` after each
// piece (about 64 kB) it hands over, and reads come in 1 kB at most.
TwainSource::DeviceSetup slowScan(int delayUs, std::thread::id *worker = nullptr, std::string *device = nullptr)
{
    return [=](SaneDevice &d) {
        if (worker)
            *worker = std::this_thread::get_id();
        if (device)
            *device = d.name();
        ImageStatus s = d.setStringOption("test-picture", "Color pattern");
        if (s)
            s = d.setBoolOption("read-limit", true);
        if (s)
            s = d.setNumberOption("read-limit-size", 1024);
        if (s)
            s = d.setBoolOption("read-delay", true);
        if (s)
            s = d.setNumberOption("read-delay-duration", delayUs);
        return s;
    };
}
} // namespace

class TwainSourceTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(!UseSaneTestBackend().empty()); }
    void cleanup()
    {
        TwainSource::SetSelectRunner({});
        TwainSource::SetProgressDialogEnabled(true);
    }

    void selectRunnerSeesTheDevicesAndTheChoiceIsUsed()
    {
        TwainSource::SetProgressDialogEnabled(false);
        QStringList offered;
        TwainSource::SetSelectRunner([&](TwainSource &source, const std::vector<SaneDevice::Info> &devices) {
            for (const auto &d : devices)
                offered << QString::fromStdString(d.name);
            source.SetSourceName(QStringLiteral("test:1"));
            return true;
        });
        TwainSource source(QStringLiteral("Twain1"), nullptr);
        QVERIFY(source.SelectSource(nullptr));
        QVERIFY(offered.contains(QStringLiteral("test:0")));
        QVERIFY(offered.contains(QStringLiteral("test:1")));
        QCOMPARE(source.SourceName(), QStringLiteral("test:1"));

        std::string used;
        std::thread::id worker;
        source.SetResolution(30);
        source.SetDeviceSetup(slowScan(1000, &worker, &used));
        Picture24 out;
        const ImageStatus s = source.Acquire(nullptr, out);
        QVERIFY2(s.ok, s.detail.c_str());
        QCOMPARE(used, std::string("test:1"));
        QVERIFY(worker != std::this_thread::get_id());
        // 80 x 100 mm at 30 dpi.
        QVERIFY(qAbs(out.width() - 94) <= 1);
        QVERIFY(qAbs(out.height() - 118) <= 1);
    }

    void firstDeviceIsUsedWhenNoneWasChosen()
    {
        TwainSource::SetProgressDialogEnabled(false);
        TwainSource source(QStringLiteral("Twain1"), nullptr);
        std::string used;
        source.SetResolution(20);
        source.SetDeviceSetup([&](SaneDevice &d) {
            used = d.name();
            return ImageStatus::success();
        });
        Picture24 out;
        QVERIFY(source.Acquire(nullptr, out).ok);
        QCOMPARE(used, std::string("test:0"));
        QVERIFY(!out.isNull());
    }

    void deviceListDialogChoosesAndCancels()
    {
        TwainSource source(QStringLiteral("Twain1"), nullptr);
        bool missed = false;
        QStringList labels;
        WhenShown<QDialog>(QStringLiteral("DeviceListDialog"), [&](QDialog *dialog) {
            auto *list = dialog->findChild<QListWidget *>(QStringLiteral("DeviceList"));
            for (int i = 0; list && i < list->count(); ++i) {
                labels << list->item(i)->text();
                if (list->item(i)->data(Qt::UserRole).toString() == QLatin1String("test:1"))
                    list->setCurrentRow(i);
            }
            auto *box = dialog->findChild<QDialogButtonBox *>();
            QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
        }, &missed);
        QVERIFY(source.SelectSource(nullptr));
        QVERIFY(!missed);
        QCOMPARE(labels.size(), 2);
        QVERIFY(labels[0].contains(QLatin1String("test:0")));
        QVERIFY(labels[1].contains(QLatin1String("test:1")));
        QCOMPARE(source.SourceName(), QStringLiteral("test:1"));

        // Shown again: the remembered device is selected; Cancel keeps it.
        QString preselected;
        WhenShown<QDialog>(QStringLiteral("DeviceListDialog"), [&](QDialog *dialog) {
            auto *list = dialog->findChild<QListWidget *>(QStringLiteral("DeviceList"));
            preselected = list->currentItem()->data(Qt::UserRole).toString();
            list->setCurrentRow(0);
            auto *box = dialog->findChild<QDialogButtonBox *>();
            QTest::mouseClick(box->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        }, &missed);
        QVERIFY(!source.SelectSource(nullptr));
        QVERIFY(!missed);
        QCOMPARE(preselected, QStringLiteral("test:1"));
        QCOMPARE(source.SourceName(), QStringLiteral("test:1"));
    }

    void acquireRunsOnAWorkerWhileEventsFlow()
    {
        TwainSource::SetProgressDialogEnabled(false);
        TwainSource source(QStringLiteral("Twain1"), nullptr);
        source.SetResolution(100);
        std::thread::id worker;
        source.SetDeviceSetup(slowScan(100000, &worker)); // ~370 kB: about 0.6 s
        QSignalSpy started(&source, &TwainSource::AcquireStarted);
        QSignalSpy finished(&source, &TwainSource::AcquireFinished);
        int ticks = 0;
        bool busyDuringTicks = true;
        QTimer ticker;
        ticker.setInterval(10);
        connect(&ticker, &QTimer::timeout, this, [&] {
            ++ticks;
            busyDuringTicks = busyDuringTicks && source.Acquiring();
        });
        connect(&source, &TwainSource::AcquireStarted, &ticker, qOverload<>(&QTimer::start));
        Picture24 out;
        const ImageStatus s = source.Acquire(nullptr, out);
        ticker.stop();
        QVERIFY2(s.ok, s.detail.c_str());
        QVERIFY(worker != std::this_thread::get_id());
        QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
        QVERIFY(busyDuringTicks);
        QVERIFY(!source.Acquiring());
        QCOMPARE(started.count(), 1);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toBool(), true);
        QVERIFY(!out.isNull());
    }

    void cancelFromTheEventLoopFailsTheCaptureAndKeepsThePicture()
    {
        TwainSource::SetProgressDialogEnabled(false);
        TwainSource source(QStringLiteral("Twain1"), nullptr);
        source.SetResolution(300);
        source.SetDeviceSetup(slowScan(200000)); // 3.3 MB: about 10 s unless cancelled
        connect(&source, &TwainSource::AcquireStarted, &source,
                [&] { QTimer::singleShot(100, &source, &TwainSource::CancelAcquire); });
        QSignalSpy finished(&source, &TwainSource::AcquireFinished);
        Picture24 out(4, 4);
        out.fill(1, 2, 3);
        const Picture24 before = out;
        QElapsedTimer clock;
        clock.start();
        const ImageStatus s = source.Acquire(nullptr, out);
        QVERIFY(!s.ok);
        QCOMPARE(s.message, std::string(SaneDevice::kCancelled));
        QVERIFY(clock.elapsed() < 5000);
        QVERIFY(out == before);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toBool(), false);
        // The next capture works.
        source.SetResolution(20);
        source.SetDeviceSetup({});
        QVERIFY(source.Acquire(nullptr, out).ok);
    }

    void progressDialogShowsAndItsCancelButtonStops()
    {
        TwainSource source(QStringLiteral("Twain1"), nullptr);
        source.SetResolution(300);
        source.SetDeviceSetup(slowScan(200000));
        bool missed = false;
        QString label;
        bool modal = false;
        WhenShown<QProgressDialog>(QStringLiteral("CaptureProgress"), [&](QProgressDialog *dialog) {
            label = dialog->labelText();
            modal = dialog->isModal();
            auto *cancel = dialog->findChild<QPushButton *>();
            QTest::mouseClick(cancel, Qt::LeftButton);
        }, &missed);
        Picture24 out;
        const ImageStatus s = source.Acquire(nullptr, out);
        QVERIFY(!missed);
        QCOMPARE(label, QString::fromUtf8(TwainSource::kProgressText));
        QVERIFY(modal);
        QCOMPARE(s.message, std::string(SaneDevice::kCancelled));
        QVERIFY(out.isNull());
        // The dialog is gone with the capture.
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY(!(qobject_cast<QProgressDialog *>(w) && w->isVisible()));
    }

    void secondAcquireWhileBusyIsRefused()
    {
        TwainSource::SetProgressDialogEnabled(false);
        TwainSource source(QStringLiteral("Twain1"), nullptr);
        source.SetResolution(30);
        source.SetDeviceSetup(slowScan(5000));
        ImageStatus inner;
        connect(&source, &TwainSource::AcquireStarted, &source, [&] {
            Picture24 other;
            inner = source.Acquire(nullptr, other);
        });
        Picture24 out;
        QVERIFY(source.Acquire(nullptr, out).ok);
        QCOMPARE(inner.message, std::string(TwainSource::kBusy));
    }

    void unknownDeviceFailsWithAMessage()
    {
        TwainSource::SetProgressDialogEnabled(false);
        TwainSource source(QStringLiteral("Twain1"), nullptr);
        source.SetSourceName(QStringLiteral("test:7"));
        QSignalSpy finished(&source, &TwainSource::AcquireFinished);
        Picture24 out;
        const ImageStatus s = source.Acquire(nullptr, out);
        QVERIFY(!s.ok);
        QCOMPARE(s.message, std::string(SaneDevice::kUnknownDevice));
        QVERIFY(out.isNull());
        QCOMPARE(finished.count(), 1);
    }
};

QTEST_MAIN(TwainSourceTest)
#include "TwainSourceTest.moc"
