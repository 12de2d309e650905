// Capture, save and printer set-up through the main window's commands.
#include "FileFormatCheck.h"
#include "ImageFile.h"
#include "PictureImage.h"
#include "ProgramWindows.h"
#include "SaneTestBackend.h"
#include "TF_FILHO.h"
#include "TF_HAIR.h"
#include "TImage.h"
#include "TImageView.h"
#include "TMenuItem.h"
#include "TPrinterSetupDialog.h"
#include "TResizeHandle.h"
#include "TToolItem.h"
#include "TSaveImageDialog.h"
#include "TwainSource.h"
#include "TestSalon.h"

#include <QDir>
#include <QFile>
#include <QTest>

class PhotoFilesTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSalon> m_salon;
    QStringList m_messages;

    static Picture24 load(const QString &path)
    {
        Picture24 picture;
        ImageFile::load(QFile::encodeName(path).toStdString(), picture);
        return picture;
    }

    void saveAs(const QString &name)
    {
        TSaveImageDialog::SetRunner([name](TSaveImageDialog &d) {
            d.SetFileName(name);
            return true;
        });
        F_HAIR->Salvarcomo1Click();
    }

private slots:
    void initTestCase()
    {
        UseSaneTestBackend();
        TwainSource::SetProgressDialogEnabled(false);
    }

    void init()
    {
        m_salon = std::make_unique<TestSalon>(2);
        m_messages.clear();
        TF_HAIR::SetMessageSink([this](const QString &text, const QString &) { m_messages << text; });
        ProgramWindows::Create(m_salon->AppDir());
        F_HAIR->resize(1000, 800);
        F_HAIR->show();
    }

    void cleanup()
    {
        TSaveImageDialog::SetRunner({});
        TPrinterSetupDialog::SetRunner({});
        ProgramWindows::Destroy();
        TF_HAIR::SetMessageSink({});
        QDir::setCurrent(QDir::tempPath());
        m_salon.reset();
    }

    void twoCapturesGiveTwoTempFilesAndTwoWindows()
    {
        F_HAIR->CapturaTWAIN1Click();
        F_HAIR->CapturaTWAIN1Click();
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
        QCOMPARE(F_HAIR->CompositionCount(), 2);
        const QString temp1 = m_salon->AppDir() + QStringLiteral("Quenda5/Temp1.BMP");
        const QString temp2 = m_salon->AppDir() + QStringLiteral("Quenda5/Temp2.BMP");
        QVERIFY(QFile::exists(temp1));
        QVERIFY(QFile::exists(temp2));
        QCOMPARE(F_HAIR->Compositions()[0]->lblFilename, temp1);
        QCOMPARE(F_HAIR->Compositions()[1]->lblFilename, temp2);
        // The window shows what was captured, as stored.
        QCOMPARE(F_HAIR->Compositions()[1]->Image1->Bitmap(), load(temp2));
        QVERIFY(F_HAIR->Compositions()[1]->Image2->isVisible());
        QVERIFY(!F_HAIR->HandOff().FromClipboard);
    }

    void aFailedCaptureSaysSoAndOpensNothing()
    {
        F_HAIR->Twain->SetSourceName(QStringLiteral("test:99"));
        F_HAIR->CapturaTWAIN1Click();
        QCOMPARE(m_messages, QStringList({QStringLiteral("Captura Twain falhou.")}));
        QCOMPARE(F_HAIR->CompositionCount(), 0);
        QCOMPARE(F_HAIR->HandOff().CaptureCount, 0);
    }

    void saveWithJpgWritesJpegAndWithoutExtensionABitmap()
    {
        F_HAIR->OpenPhotoFile(m_salon->PhotoPath());
        QVERIFY(F_HAIR->ActiveComposition());
        const QString jpg = m_salon->AppDir() + QStringLiteral("saida.jpg");
        saveAs(jpg);
        QCOMPARE(FileFormatCheck::check(QFile::encodeName(jpg).toStdString(), true), ImageFormat::Jpeg);
        saveAs(m_salon->AppDir() + QStringLiteral("saida"));
        const QString bmp = m_salon->AppDir() + QStringLiteral("saida.bmp");
        QCOMPARE(FileFormatCheck::check(QFile::encodeName(bmp).toStdString(), true), ImageFormat::Bmp);
        QVERIFY(m_messages.isEmpty());
        // The photo and the hair files are never written by saving.
        QCOMPARE(load(m_salon->PhotoPath()), TestSalon::Photo());
    }

    void saveWritesTheCompositionAsShownAtItsZoom()
    {
        F_HAIR->OpenPhotoFile(m_salon->PhotoPath());
        TF_FILHO *c = F_HAIR->ActiveComposition();
        QVERIFY(c);
        F_HAIR->Inserir1Click();
        c->Image2->move(30, 40);
        c->Image1->SetZoom(200);
        c->Image1->SetViewX(100);
        c->Image1->SetViewY(60);
        const QString out = m_salon->AppDir() + QStringLiteral("zoom.bmp");
        saveAs(out);
        const Picture24 saved = load(out);
        QCOMPARE(saved.width(), c->width());
        QCOMPARE(saved.height(), c->height());
        QCOMPARE(saved, PictureImage::FromQImage(c->grab().toImage()));
        // A photo pixel seen through the view: client (10, 10) inside the
        // border shows picture ((10 + 100) / 2, (10 + 60) / 2).
        const QPoint client = c->Image1->ClientArea()->mapTo(c, QPoint(10, 10));
        QCOMPARE(saved.pixel(client.x(), client.y()), TestSalon::Photo().pixel(55, 35));
        // The hair sits where it was placed.
        const QPoint hair = c->Image2->mapTo(c, QPoint(10, 10));
        QCOMPARE(saved.pixel(hair.x(), hair.y()), TestSalon::HairColour(0, 1));
    }

    void aSaveThatFailsIsReported()
    {
        F_HAIR->OpenPhotoFile(m_salon->PhotoPath());
        saveAs(m_salon->AppDir() + QStringLiteral("nao/existe/x.bmp"));
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].contains(QStringLiteral("x.bmp")));
        saveAs(m_salon->AppDir() + QStringLiteral("x.xyz"));
        QCOMPARE(m_messages.size(), 2);
        QVERIFY(!QFile::exists(m_salon->AppDir() + QStringLiteral("x.xyz")));
    }

    void saveFirstFixesAResizedHair()
    {
        F_HAIR->OpenPhotoFile(m_salon->PhotoPath());
        TF_FILHO *c = F_HAIR->ActiveComposition();
        F_HAIR->Redimensionar1Click();
        QVERIFY(c->SH1->Attached());
        TSaveImageDialog::SetRunner([](TSaveImageDialog &) { return false; });
        F_HAIR->Salvar1Click();
        QVERIFY(!c->SH1->Attached());
        QVERIFY(F_HAIR->ToolItem("BT_SCROLL")->isChecked());
    }

    void printerSetUpChangesNoCommandState()
    {
        int runs = 0;
        TPrinterSetupDialog::SetRunner([&](TPrinterSetupDialog &) {
            ++runs;
            return false;
        });
        F_HAIR->MenuItem("ConfigurarImpressora1")->trigger();
        QCOMPARE(runs, 1);
        QVERIFY(!F_HAIR->MenuItem("Salvar1")->isEnabled());
        QVERIFY(F_HAIR->MenuItem("ConfigurarImpressora1")->isEnabled());
    }
};

QTEST_MAIN(PhotoFilesTest)
#include "PhotoFilesTest.moc"
