#include "DialogDriver.h"
#include "ImageDialogFilter.h"
#include "TSaveImageDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Types a name into the file dialog as a user would and presses Return.
void typeAndConfirm(QFileDialog *dialog, const QString &name)
{
    auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit);
    edit->clear();
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
}

// Moves the file type box to `entry` with the keyboard, as a user would.
void chooseEntry(QFileDialog *dialog, int entry)
{
    auto *combo = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
    QVERIFY(combo);
    combo->setFocus();
    while (combo->currentIndex() > entry)
        QTest::keyClick(combo, Qt::Key_Up);
    while (combo->currentIndex() < entry)
        QTest::keyClick(combo, Qt::Key_Down);
}
} // namespace

class TSaveImageDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        TSaveImageDialog::SetRunner({});
        TSaveImageDialog::SetOptionsRunner({});
    }

    void startsOnTheBmpEntryWithDefaults()
    {
        TSaveImageDialog dialog(QStringLiteral("SD_SALVAR"), nullptr);
        QCOMPARE(dialog.FilterIndex(), 7);
        QCOMPARE(dialog.DefaultExt(), QStringLiteral("bmp"));
        QCOMPARE(dialog.Options().jpegQuality, 75);
        QCOMPARE(dialog.Filter(), ImageDialogFilter::Standard());
        QVERIFY(dialog.setProperty("Title", QStringLiteral("Salvar composição")));
        QCOMPARE(dialog.Title(), QStringLiteral("Salvar composição"));
    }

    void extensionRules_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bmp entry") << "/x/foto" << 7 << "/x/foto.bmp";
        QTest::newRow("typed jpg kept") << "/x/foto.jpg" << 7 << "/x/foto.jpg";
        QTest::newRow("jpeg entry") << "/x/foto" << 2 << "/x/foto.jpg";
        QTest::newRow("tiff entry") << "/x/foto" << 4 << "/x/foto.tif";
        QTest::newRow("png entry") << "/x/foto" << 6 << "/x/foto.png";
        QTest::newRow("all graphics: default") << "/x/foto" << 1 << "/x/foto.bmp";
        QTest::newRow("ico, not written: default") << "/x/foto" << 10 << "/x/foto.bmp";
        QTest::newRow("avi, not written: default") << "/x/foto" << 12 << "/x/foto.bmp";
        QTest::newRow("no such entry: default") << "/x/foto" << 40 << "/x/foto.bmp";
        QTest::newRow("dot in folder only") << "/x/a.b/foto" << 7 << "/x/a.b/foto.bmp";
        QTest::newRow("trailing dot") << "/x/foto." << 7 << "/x/foto.bmp";
        QTest::newRow("leading dot is a name") << "/x/.foto" << 7 << "/x/.foto.bmp";
        QTest::newRow("other extension kept") << "/x/foto.pcx" << 2 << "/x/foto.pcx";
    }
    void extensionRules()
    {
        QFETCH(QString, typed);
        QFETCH(int, entry);
        QFETCH(QString, expected);
        TSaveImageDialog::SetRunner([&](TSaveImageDialog &d) {
            d.SetFileName(typed);
            d.SetFilterIndex(entry);
            return true;
        });
        TSaveImageDialog dialog(QStringLiteral("SD_SALVAR"), nullptr);
        QVERIFY(dialog.Execute());
        QCOMPARE(dialog.FileName(), expected);
    }

    void cancelledRunnerChangesNothing()
    {
        TSaveImageDialog dialog(QStringLiteral("SD_SALVAR"), nullptr);
        dialog.SetFileName(QStringLiteral("/x/old.bmp"));
        TSaveImageDialog::SetRunner([](TSaveImageDialog &) { return false; });
        QVERIFY(!dialog.Execute());
        QCOMPARE(dialog.FileName(), QStringLiteral("/x/old.bmp"));
    }

    void optionsAreClampedAndKeptBetweenRuns()
    {
        TSaveImageDialog dialog(QStringLiteral("SD_SALVAR"), nullptr);
        TSaveImageDialog::SetOptionsRunner([](SaveOptions &o) {
            o.jpegQuality = 40;
            return true;
        });
        QVERIFY(dialog.EditOptions(nullptr));
        QCOMPARE(dialog.Options().jpegQuality, 40);
        TSaveImageDialog::SetRunner([](TSaveImageDialog &d) {
            d.SetFileName(QStringLiteral("/x/a.jpg"));
            return true;
        });
        QVERIFY(dialog.Execute());
        QVERIFY(dialog.Execute());
        QCOMPARE(dialog.Options().jpegQuality, 40);

        TSaveImageDialog::SetOptionsRunner([](SaveOptions &o) {
            o.jpegQuality = 10;
            return false; // cancelled
        });
        QVERIFY(!dialog.EditOptions(nullptr));
        QCOMPARE(dialog.Options().jpegQuality, 40);

        dialog.SetOptions({0});
        QCOMPARE(dialog.Options().jpegQuality, 1);
        dialog.SetOptions({500});
        QCOMPARE(dialog.Options().jpegQuality, 100);
    }

    void realDialogPreselectsBmpAppendsAndRemembersTheEntry()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QStringList entries = ImageDialogFilter::ToEntries(ImageDialogFilter::Standard());
        TSaveImageDialog dialog(QStringLiteral("SD_SALVAR"), nullptr);
        dialog.SetInitialDir(dir.path());
        bool missed = false;
        QString selected, buttonText;
        WhenShown<QFileDialog>(QStringLiteral("SaveImageDialog"), [&](QFileDialog *d) {
            selected = d->selectedNameFilter();
            if (auto *b = d->findChild<QPushButton *>(QStringLiteral("OptionsButton")))
                buttonText = b->text();
            typeAndConfirm(d, QStringLiteral("foto"));
        }, &missed);
        QVERIFY(dialog.Execute());
        QVERIFY(!missed);
        QCOMPARE(selected, entries.at(6));
        QCOMPARE(buttonText, QStringLiteral("Opções..."));
        QCOMPARE(dialog.FileName(), dir.filePath(QStringLiteral("foto.bmp")));
        QCOMPARE(dialog.FilterIndex(), 7);

        // The user picks JPEG: a bare name gets ".jpg", and the entry stays
        // chosen for the next run.
        WhenShown<QFileDialog>(QStringLiteral("SaveImageDialog"), [&](QFileDialog *d) {
            chooseEntry(d, 1);
            typeAndConfirm(d, QStringLiteral("foto2"));
        }, &missed);
        QVERIFY(dialog.Execute());
        QCOMPARE(dialog.FileName(), dir.filePath(QStringLiteral("foto2.jpg")));
        QCOMPARE(dialog.FilterIndex(), 2);
        WhenShown<QFileDialog>(QStringLiteral("SaveImageDialog"), [&](QFileDialog *d) {
            selected = d->selectedNameFilter();
            d->reject();
        }, &missed);
        QVERIFY(!dialog.Execute());
        QVERIFY(!missed);
        QCOMPARE(selected, entries.at(1));
        QCOMPARE(dialog.FilterIndex(), 2);
    }

    // "foto" typed where foto.bmp exists must ask, since the name saved is
    // foto.bmp.
    void bareNameOfAnExistingFileAsksBeforeReplacing()
    {
        QTemporaryDir dir;
        QFile existing(dir.filePath(QStringLiteral("foto.bmp")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("old");
        existing.close();

        TSaveImageDialog dialog(QStringLiteral("SD_SALVAR"), nullptr);
        dialog.SetInitialDir(dir.path());
        bool missed = false;
        bool asked = false;
        WhenShown<QFileDialog>(QStringLiteral("SaveImageDialog"), [&](QFileDialog *d) {
            WhenShown<QMessageBox>(QString(), [&](QMessageBox *box) {
                asked = box->text().contains(QLatin1String("foto.bmp"));
                // "No": back in the file dialog, which the user then leaves.
                QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
                QTimer::singleShot(0, d, &QDialog::reject);
            }, &missed);
            typeAndConfirm(d, QStringLiteral("foto"));
        }, &missed);
        QVERIFY(!dialog.Execute());
        QVERIFY(!missed);
        QVERIFY(asked);

        WhenShown<QFileDialog>(QStringLiteral("SaveImageDialog"), [&](QFileDialog *d) {
            WhenShown<QMessageBox>(QString(), [&](QMessageBox *box) {
                QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
            }, &missed);
            typeAndConfirm(d, QStringLiteral("foto"));
        }, &missed);
        QVERIFY(dialog.Execute());
        QVERIFY(!missed);
        QCOMPARE(dialog.FileName(), dir.filePath(QStringLiteral("foto.bmp")));
    }

    void optionsFromTheButtonCountOnlyWhenSaving()
    {
        QTemporaryDir dir;
        TSaveImageDialog dialog(QStringLiteral("SD_SALVAR"), nullptr);
        dialog.SetInitialDir(dir.path());
        TSaveImageDialog::SetOptionsRunner([](SaveOptions &o) {
            o.jpegQuality = 33;
            return true;
        });
        bool missed = false;
        auto clickOptions = [](QFileDialog *d) {
            QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("OptionsButton")), Qt::LeftButton);
        };
        WhenShown<QFileDialog>(QStringLiteral("SaveImageDialog"), [&](QFileDialog *d) {
            clickOptions(d);
            d->reject();
        }, &missed);
        QVERIFY(!dialog.Execute());
        QCOMPARE(dialog.Options().jpegQuality, 75);

        WhenShown<QFileDialog>(QStringLiteral("SaveImageDialog"), [&](QFileDialog *d) {
            clickOptions(d);
            typeAndConfirm(d, QStringLiteral("a.jpg"));
        }, &missed);
        QVERIFY(dialog.Execute());
        QVERIFY(!missed);
        QCOMPARE(dialog.Options().jpegQuality, 33);
    }

    void optionsDialogEditsTheQuality()
    {
        TSaveImageDialog dialog(QStringLiteral("SD_SALVAR"), nullptr);
        dialog.SetOptions({60});
        bool missed = false;
        int shown = 0;
        WhenShown<QDialog>(QStringLiteral("SaveOptionsDialog"), [&](QDialog *d) {
            auto *spin = d->findChild<QSpinBox *>(QStringLiteral("JpegQuality"));
            shown = spin->value();
            spin->setValue(55);
            QTest::mouseClick(d->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        }, &missed);
        QVERIFY(dialog.EditOptions(nullptr));
        QVERIFY(!missed);
        QCOMPARE(shown, 60);
        QCOMPARE(dialog.Options().jpegQuality, 55);

        WhenShown<QDialog>(QStringLiteral("SaveOptionsDialog"), [&](QDialog *d) {
            d->findChild<QSpinBox *>(QStringLiteral("JpegQuality"))->setValue(99);
            QTest::mouseClick(d->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        }, &missed);
        QVERIFY(!dialog.EditOptions(nullptr));
        QCOMPARE(dialog.Options().jpegQuality, 55);
    }
};

QTEST_MAIN(TSaveImageDialogTest)
#include "TSaveImageDialogTest.moc"
