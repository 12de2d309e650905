// The Retoque menu of the main window: the photo or the hair goes to the
// editor and, only through its return button, back into the composition.
#include "AppPrinter.h"
#include "ImageFile.h"
#include "PictureImage.h"
#include "ProgramWindows.h"
#include "TF_DRAW.h"
#include "TF_FILHO.h"
#include "TF_HAIR.h"
#include "TImage.h"
#include "TImageView.h"
#include "TMenuItem.h"
#include "TSpeedButton.h"
#include "TestSalon.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPrinter>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {
Picture24 load(const QString &path)
{
    Picture24 picture;
    ImageFile::load(QFile::encodeName(path).toStdString(), picture);
    return picture;
}

// One stroke with the left button in the editor, in its view's pixels.
void stroke(QPoint from, QPoint to)
{
    QWidget *client = F_DRAW->Image->ClientArea();
    QTest::mousePress(client, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(client->mapToGlobal(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(client, &move);
    QTest::mouseRelease(client, Qt::LeftButton, {}, to);
}
} // namespace

class RetouchCommandsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSalon> m_salon;
    QStringList m_messages;
    bool m_ranInEditor = false;

    // Runs `inEditor` while the editor is shown modally by `command`.
    void whileEditing(void (TF_HAIR::*command)(), const std::function<void()> &inEditor)
    {
        m_ranInEditor = false;
        QTimer::singleShot(0, F_DRAW, [this, inEditor] {
            m_ranInEditor = F_DRAW->isVisible();
            inEditor();
            // Whatever happened, the modal loop must end.
            if (F_DRAW->isVisible())
                F_DRAW->close();
        });
        (F_HAIR->*command)();
        QVERIFY(m_ranInEditor);
        QVERIFY(!F_DRAW->isVisible());
    }

    TF_FILHO *openPhotoWithHair()
    {
        F_HAIR->OpenPhotoFile(m_salon->PhotoPath());
        F_HAIR->Inserir1Click(); // shows the hair
        TF_FILHO *c = F_HAIR->ActiveComposition();
        return c;
    }

private slots:
    void init()
    {
        m_salon = std::make_unique<TestSalon>(2);
        m_messages.clear();
        TF_HAIR::SetMessageSink([this](const QString &text, const QString &) { m_messages << text; });
        ProgramWindows::Create(m_salon->AppDir());
        F_HAIR->resize(1000, 800);
        F_HAIR->show();
        QVERIFY(QTest::qWaitForWindowExposed(F_HAIR));
    }

    void cleanup()
    {
        ProgramWindows::Destroy();
        TF_HAIR::SetMessageSink({});
        QDir::setCurrent(QDir::tempPath());
        m_salon.reset();
    }

    void photoRetouchTakesTheNextTempFileAndReplaysReadIt()
    {
        TF_FILHO *c = openPhotoWithHair();
        QVERIFY(c);
        QVERIFY(!c->Image2->isHidden());
        F_HAIR->HandOff().CaptureCount = 3;
        bool overlayHiddenWhileEditing = false;
        whileEditing(&TF_HAIR::RetoqueFoto1Click, [&] {
            overlayHiddenWhileEditing = c->Image2->isHidden();
            QCOMPARE(F_HAIR->RetouchTarget, QStringLiteral("Foto"));
            QCOMPARE(F_DRAW->Image->Bitmap(), TestSalon::Photo());
            stroke({20, 20}, {200, 20});
            QTest::mouseClick(F_DRAW->QuendaButton1, Qt::LeftButton);
        });
        QVERIFY(overlayHiddenWhileEditing);
        QVERIFY(!c->Image2->isHidden());
        QVERIFY(m_messages.isEmpty());

        const QString temp4 = m_salon->AppDir() + QStringLiteral("Quenda5/Temp4.BMP");
        QVERIFY(QFile::exists(temp4));
        QCOMPARE(c->lblFilename, temp4);
        const Picture24 retouched = c->Image1->Bitmap();
        QVERIFY(retouched != TestSalon::Photo());
        QCOMPARE(retouched.pixel(100, 20), 0xFFFFFFu);
        QCOMPARE(load(temp4), retouched);
        QCOMPARE(F_HAIR->HandOff().CaptureCount, 4);

        // A replay of this composition reloads the retouched photo.
        F_HAIR->Replay1Click();
        QCOMPARE(F_HAIR->CompositionCount(), 2);
        QCOMPARE(F_HAIR->ActiveComposition()->Image1->Bitmap(), retouched);

        // The next paste takes a Temp file of its own.
        QGuiApplication::clipboard()->setImage(PictureImage::ToQImage(TestSalon::Photo()));
        F_HAIR->Colar1Click();
        QCOMPARE(F_HAIR->ActiveComposition()->lblFilename,
                 m_salon->AppDir() + QStringLiteral("Quenda5/Temp5.BMP"));
        QCOMPARE(load(temp4), retouched);
    }

    void hairRetouchGoesToTheOverlayOnlyAtNaturalSize()
    {
        TF_FILHO *c = openPhotoWithHair();
        QVERIFY(c);
        const Picture24 master = c->ImageAux2->Bitmap();
        const std::uint32_t key = c->Image2->TransparentColour();
        Picture24 edited;
        whileEditing(&TF_HAIR::RetoqueCabelo1Click, [&] {
            QCOMPARE(F_HAIR->RetouchTarget, QStringLiteral("Cabelo"));
            QCOMPARE(F_DRAW->Image->Bitmap(), master);
            QVERIFY(!c->Image2->isHidden());
            // Paint across the hair and its white key background.
            F_DRAW->Model().SetPenColour(0x402010);
            stroke({0, 10}, {40, 10});
            edited = F_DRAW->Image->Bitmap();
            QTest::mouseClick(F_DRAW->QuendaButton1, Qt::LeftButton);
        });
        const Picture24 &shown = c->Image2->Picture();
        QCOMPARE(shown, edited);
        QCOMPARE(c->Image2->size(), QSize(master.width(), master.height()));
        QCOMPARE(shown.pixel(20, 10), 0x402010u);
        // The key colour is untouched where the pen did not go, and only
        // exact colours were added.
        QCOMPARE(c->Image2->TransparentColour(), key);
        QCOMPARE(c->ImageAux2->Bitmap(), master);
        QCOMPARE(F_HAIR->HandOff().CaptureCount, 0);
        QVERIFY(m_messages.isEmpty());
    }

    void escapeAfterDrawingLeavesTheCompositionAsItWas()
    {
        TF_FILHO *c = openPhotoWithHair();
        QVERIFY(c);
        const Picture24 photo = c->Image1->Bitmap();
        const Picture24 hair = c->Image2->Picture();
        const QString file = c->lblFilename;
        for (auto command : {&TF_HAIR::RetoqueFoto1Click, &TF_HAIR::RetoqueCabelo1Click}) {
            whileEditing(command, [] {
                stroke({5, 5}, {60, 40});
                QTest::keyClick(F_DRAW, Qt::Key_Escape);
            });
        }
        QCOMPARE(c->Image1->Bitmap(), photo);
        QCOMPARE(c->Image2->Picture(), hair);
        QCOMPARE(c->lblFilename, file);
        QVERIFY(!c->Image2->isHidden());
        QCOMPARE(F_HAIR->HandOff().CaptureCount, 0);
        QVERIFY(!QFile::exists(m_salon->AppDir() + QStringLiteral("Quenda5/Temp1.BMP")));
    }

    void undoOnOpeningNeverBringsBackAnEarlierPicture()
    {
        TF_FILHO *c = openPhotoWithHair();
        QVERIFY(c);
        whileEditing(&TF_HAIR::RetoqueFoto1Click, [] {
            stroke({5, 5}, {60, 40});
            F_DRAW->Exit1Click();
        });
        const Picture24 master = c->ImageAux2->Bitmap();
        whileEditing(&TF_HAIR::RetoqueCabelo1Click, [&] {
            QTest::keyClick(F_DRAW, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(F_DRAW->Image->Bitmap(), master);
            QTest::mouseClick(F_DRAW->QuendaButton1, Qt::LeftButton);
        });
        QCOMPARE(c->Image2->Picture(), master);
    }

    void aTempFileThatCannotBeWrittenChangesNothing()
    {
        TF_FILHO *c = openPhotoWithHair();
        QVERIFY(c);
        const Picture24 photo = c->Image1->Bitmap();
        const QString file = c->lblFilename;
        // A folder where the file should go: it cannot be written.
        QVERIFY(QDir().mkpath(m_salon->AppDir() + QStringLiteral("Quenda5/Temp1.BMP")));
        bool stayedOpen = false;
        whileEditing(&TF_HAIR::RetoqueFoto1Click, [&] {
            stroke({5, 5}, {60, 40});
            QTest::mouseClick(F_DRAW->QuendaButton1, Qt::LeftButton);
            stayedOpen = F_DRAW->isVisible();
            QTest::keyClick(F_DRAW, Qt::Key_Escape);
        });
        QVERIFY(stayedOpen);
        QVERIFY(!F_DRAW->Image->Bitmap().isNull()); // the edits were still there
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].contains(QStringLiteral("Temp1.BMP")));
        QCOMPARE(c->Image1->Bitmap(), photo);
        QCOMPARE(c->lblFilename, file);
        QCOMPARE(F_HAIR->HandOff().CaptureCount, 0);
    }

    void aRemovedHairStaysRemovedAfterAPhotoRetouch()
    {
        TF_FILHO *c = openPhotoWithHair();
        QVERIFY(c);
        F_HAIR->ApagarCabelo1Click();
        QVERIFY(c->Image2->isHidden());
        whileEditing(&TF_HAIR::RetoqueFoto1Click,
                     [] { QTest::mouseClick(F_DRAW->QuendaButton1, Qt::LeftButton); });
        QVERIFY(c->Image2->isHidden());
    }

    void menuEntriesRunTheCommands()
    {
        QVERIFY(openPhotoWithHair());
        bool shown = false;
        QTimer::singleShot(0, F_DRAW, [&] {
            shown = F_DRAW->isVisible();
            F_DRAW->Exit1Click();
        });
        F_HAIR->MenuItem(QStringLiteral("RetoqueCabelo1"))->trigger();
        QVERIFY(shown);
    }

    // The editor's Imprimir goes through the program's printer: here, with
    // the dialogs answered, into a PDF file.
    void editorPrintsThePictureThroughTheProgramsPrinter()
    {
        QVERIFY(openPhotoWithHair());
        const QString pdf = m_salon->AppDir() + QStringLiteral("retoque.pdf");
        AppPrinter::SetSaveDialogRunner([pdf](const QString &) { return pdf; });
        AppPrinter::SetPrintDialogRunner([pdf](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        bool enabled = false;
        whileEditing(&TF_HAIR::RetoqueFoto1Click, [&] {
            QAction *print = F_DRAW->MenuItem(QStringLiteral("Print1"));
            enabled = print->isEnabled();
            print->trigger();
            F_DRAW->Exit1Click();
        });
        AppPrinter::SetSaveDialogRunner({});
        AppPrinter::SetPrintDialogRunner({});
        QVERIFY(enabled);
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('|'))));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        QVERIFY(file.size() > 2000); // a page with the photo on it, not an empty one
    }
};

QTEST_MAIN(RetouchCommandsTest)
#include "RetouchCommandsTest.moc"
