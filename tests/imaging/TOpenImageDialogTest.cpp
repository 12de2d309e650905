// The open dialog's preview reads files away from the dialog and gives up
// quietly on anything that is not a regular file: typing a path that names a
// FIFO, a device or a /proc file must leave the dialog answering keys.

#include "DialogDriver.h"
#include "ExtensionIconProvider.h"
#include "ImageFile.h"
#include "ImagePreviewLoader.h"
#include "TOpenImageDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

class TOpenImageDialogTest : public QObject
{
    Q_OBJECT

private:
    QString writePhoto(const QTemporaryDir &dir, const QString &name, int width, int height)
    {
        Picture24 picture(width, height);
        const QString path = dir.filePath(name);
        if (!ImageFile::save(QFile::encodeName(path).toStdString(), picture))
            return {};
        return path;
    }

    QString makeFifo(const QTemporaryDir &dir, const QString &name)
    {
        const QString path = dir.filePath(name);
        if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
            return {};
        return path;
    }

private slots:
    void dialogIconsAndTypesComeFromTheNameAlone()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString fifo = makeFifo(dir, QStringLiteral("pipe"));
        QVERIFY(!fifo.isEmpty());
        ExtensionIconProvider icons;
        // Each of these would wait for ever if its first bytes were read to
        // find its type (/proc/kmsg when run as root).
        for (const QString &path : {fifo, QStringLiteral("/proc/kmsg"), QStringLiteral("/dev/zero")}) {
            const QFileInfo info(path);
            QVERIFY2(!icons.icon(info).isNull(), qPrintable(path));
            QCOMPARE(icons.type(info), QString());
        }
        // A photo is still told by its extension.
        const QString photo = writePhoto(dir, QStringLiteral("foto.png"), 4, 4);
        QVERIFY(icons.type(QFileInfo(photo)).contains(QStringLiteral("PNG")));
        QVERIFY(!icons.type(QFileInfo(dir.path())).isEmpty());
    }

    void loaderGivesUpQuietlyOnWhatIsNotARegularFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString fifo = makeFifo(dir, QStringLiteral("pipe.jpg"));
        QVERIFY(!fifo.isEmpty());
        ImagePreviewLoader loader;
        QSignalSpy loaded(&loader, &ImagePreviewLoader::Loaded);
        const QStringList odd = {fifo, QStringLiteral("/dev/zero"), QStringLiteral("/proc/self/status"),
                                 QStringLiteral("/proc/kmsg"), dir.path(), dir.filePath("missing.png")};
        for (const QString &path : odd) {
            loaded.clear();
            loader.Request(path);
            QVERIFY2(loaded.wait(5000), qPrintable(path));
            QCOMPARE(loaded.constLast().at(0).toString(), path);
            QVERIFY2(loaded.constLast().at(1).value<QImage>().isNull(), qPrintable(path));
        }
    }

    void loaderShowsTheLatestPictureOnly()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString first = writePhoto(dir, QStringLiteral("a.bmp"), 30, 20);
        const QString second = writePhoto(dir, QStringLiteral("b.png"), 12, 34);
        QVERIFY(!first.isEmpty() && !second.isEmpty());
        ImagePreviewLoader loader;
        QSignalSpy loaded(&loader, &ImagePreviewLoader::Loaded);
        for (int i = 0; i < 20; ++i)
            loader.Request(i % 2 ? second : first);
        loader.Request(second);
        QVERIFY(loaded.wait(5000));
        QTest::qWait(100); // anything stale would have arrived by now
        for (const QList<QVariant> &call : loaded)
            QCOMPARE(call.at(0).toString(), second);
        const QImage image = loaded.constLast().at(1).value<QImage>();
        QCOMPARE(image.size(), QSize(12, 34));
    }

    void loaderDestroyedWhileReadingIsSafe()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString photo = writePhoto(dir, QStringLiteral("big.bmp"), 2000, 1500);
        QVERIFY(!photo.isEmpty());
        {
            ImagePreviewLoader loader;
            loader.Request(photo);
        }
        QTest::qWait(300); // the worker finishes and finds no one to tell
    }

    void typedPathsKeepTheDialogAnswering()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString photo = writePhoto(dir, QStringLiteral("foto.bmp"), 40, 30);
        QVERIFY(!photo.isEmpty());
        // /proc/kmsg blocks a reader until the kernel logs again (it is
        // readable by root only; otherwise the read fails at once).
        QVERIFY(QFile::link(QStringLiteral("/proc/kmsg"), dir.filePath("kmsg.jpg")));
        QVERIFY(QFile::link(QStringLiteral("/proc/self/status"), dir.filePath("status.png")));

        TOpenImageDialog dialog(QStringLiteral("OD"), nullptr);
        dialog.SetInitialDir(dir.path());
        bool missed = false;
        QStringList visited;
        bool previewShown = false;
        WhenShown<QFileDialog>(
            QString(),
            [&](QFileDialog *box) {
                auto *edit = box->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                auto *list = box->findChild<QListView *>(QStringLiteral("listView"));
                auto *preview = box->findChild<QLabel *>(QStringLiteral("Preview"));
                QVERIFY(edit && list && preview);
                QObject::connect(box, &QFileDialog::currentChanged, box,
                                 [&](const QString &path) { visited << path; });
                // A typed folder, then a walk through its entries with the
                // keyboard: each one the cursor lands on is previewed. Every
                // wait runs the dialog's own event loop, so it only returns
                // while nothing holds the thread.
                const auto enterFolder = [&](const QString &folder) {
                    // Typed as a user would (the completer lists the folder
                    // as the letters come), then opened.
                    edit->clear();
                    QTest::keyClicks(edit, folder);
                    QTest::qWait(300);
                    box->setDirectory(folder);
                    QVERIFY(QTest::qWaitFor([&] { return list->model()->rowCount(list->rootIndex()) > 0; },
                                            5000));
                    list->setFocus();
                };
                const auto landOn = [&](const QString &name) {
                    // A pause ends the list's type-ahead; a big folder may
                    // still be filling, so the name is typed again until the
                    // cursor is on it.
                    for (int i = 0; i < 10 && (visited.isEmpty() || !visited.constLast().endsWith(QLatin1Char('/') + name)); ++i) {
                        QTest::qWait(1100);
                        QTest::keyClicks(list, name);
                        QTest::qWait(100);
                    }
                };
                enterFolder(QStringLiteral("/proc/"));
                landOn(QStringLiteral("self"));
                enterFolder(dir.path() + QLatin1Char('/'));
                // Names a photo would have, pointing at a /proc file and a
                // device: previewing them must not hold the dialog.
                landOn(QStringLiteral("kmsg.jpg"));
                landOn(QStringLiteral("status.png"));
                QVERIFY(preview->pixmap().isNull());
                landOn(QStringLiteral("foto.bmp"));
                previewShown = QTest::qWaitFor([&] { return !preview->pixmap().isNull(); }, 5000);
                QTest::keyClick(list, Qt::Key_Escape);
            },
            &missed);
        QVERIFY(!dialog.Execute());
        QVERIFY(!missed);
        for (const QString &name : {QStringLiteral("kmsg.jpg"), QStringLiteral("status.png")})
            QVERIFY2(visited.contains(dir.filePath(name)), qPrintable(visited.join(' ')));
        QVERIFY(previewShown);
    }
};

QTEST_MAIN(TOpenImageDialogTest)
#include "TOpenImageDialogTest.moc"
