// Photos from phones (HEIC, WebP with a Display P3 profile) opened through
// every door the main window has: the open dialog, a drop from a file
// manager and the command line's photo list.
#include "ColourReference.h"
#include "CommandLine.h"
#include "PhoneTestPictures.h"
#include "ProgramWindows.h"
#include "TF_FILHO.h"
#include "TF_HAIR.h"
#include "TImageView.h"
#include "TMenuItem.h"
#include "TOpenImageDialog.h"
#include "TestSalon.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTest>
#include <QUrl>

class PhonePhotosTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSalon> m_salon;
    QStringList m_messages;

    // Half pure P3 red, half a P3 skin tone, as a phone stores them.
    static Picture24 p3Photo()
    {
        Picture24 p(64, 48);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x)
                p.setPixel(x, y, x < 32 ? 0xFF0000 : 0xC8785A);
        return p;
    }

    QString write(const QString &name, const std::vector<std::uint8_t> &bytes) const
    {
        const QString path = m_salon->AppDir() + name;
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size()));
        return path;
    }

    const Picture24 &photoOf(int composition) const
    {
        return F_HAIR->Compositions()[composition]->Image1->Bitmap();
    }

    // The skin half must show the sRGB colour of the P3 value, not the raw
    // value; WebP here is lossless, so exactly so within rounding.
    void expectSkinConverted(const Picture24 &picture, int tolerance)
    {
        QCOMPARE(picture.width(), 64);
        QCOMPARE(picture.height(), 48);
        const std::uint32_t expected = ColourReference::p3ToSrgb(0xC8785A);
        QVERIFY2(ColourReference::distance(picture.pixel(48, 24), expected) <= tolerance,
                 qPrintable(QString::number(picture.pixel(48, 24), 16)));
        QVERIFY(ColourReference::distance(picture.pixel(48, 24), 0xC8785A) >= 10);
    }

private slots:
    void init()
    {
        m_salon = std::make_unique<TestSalon>(1);
        m_messages.clear();
        TF_HAIR::SetMessageSink([this](const QString &text, const QString &) { m_messages << text; });
        ProgramWindows::Create(m_salon->AppDir());
        F_HAIR->show();
    }

    void cleanup()
    {
        TOpenImageDialog::SetRunner({});
        ProgramWindows::Destroy();
        TF_HAIR::SetMessageSink({});
        QDir::setCurrent(QDir::tempPath());
        m_salon.reset();
    }

    void theOpenDialogOpensAHeicWithItsColours()
    {
        const auto p3 = PhoneTestPictures::displayP3Profile();
        const QString heic =
            write(QStringLiteral("IMG_4021.HEIC"), PhoneTestPictures::heic(p3Photo(), 95, 8, 1, {}, p3));
        QString offered;
        TOpenImageDialog::SetRunner([&](TOpenImageDialog &dialog) {
            offered = dialog.Filter();
            dialog.SetFileName(heic);
            return true;
        });
        F_HAIR->MenuItem(QStringLiteral("AbrirFoto1"))->trigger();
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
        QVERIFY(offered.contains(QStringLiteral("*.heic")));
        QVERIFY(offered.contains(QStringLiteral("*.webp")));
        QCOMPARE(F_HAIR->CompositionCount(), 1);
        // HEVC is lossy: a few levels either way.
        expectSkinConverted(photoOf(0), 4);
    }

    void droppedWebpAndHeicOpenAndABrokenOneIsReported()
    {
        const auto p3 = PhoneTestPictures::displayP3Profile();
        const QString webp =
            write(QStringLiteral("zap.webp"), PhoneTestPictures::webp(p3Photo(), -1, {}, p3));
        const QString heic = write(QStringLiteral("foto.heif"), PhoneTestPictures::heic(p3Photo(), 95));
        auto cut = PhoneTestPictures::heic(p3Photo(), 95);
        cut.resize(cut.size() / 2);
        const QString broken = write(QStringLiteral("cortada.heic"), cut);
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(webp), QUrl::fromLocalFile(broken), QUrl::fromLocalFile(heic)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(F_HAIR, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(F_HAIR, &drop);
        QCOMPARE(F_HAIR->CompositionCount(), 2);
        QCOMPARE(F_HAIR->Compositions()[0]->lblFilename, webp);
        QCOMPARE(F_HAIR->Compositions()[1]->lblFilename, heic);
        expectSkinConverted(photoOf(0), 1);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].contains(QStringLiteral("inválido ou corrompido")), qPrintable(m_messages[0]));
    }

    void photosNamedOnTheCommandLineOpen()
    {
        const QString heic = write(QStringLiteral("cliente.heic"), PhoneTestPictures::heic(p3Photo(), 95));
        const QString webp = write(QStringLiteral("cliente.WEBP"), PhoneTestPictures::webp(p3Photo(), 90));
        const CommandLine line =
            CommandLine::Parse({QStringLiteral("quenda"), heic, webp}, m_salon->AppDir());
        QVERIFY(line.error.isEmpty());
        for (const QString &photo : line.photos)
            F_HAIR->OpenPhotoFile(photo);
        QCOMPARE(F_HAIR->CompositionCount(), 2);
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(photoOf(0).width(), 64);
        QCOMPARE(photoOf(1).width(), 64);
    }
};

QTEST_MAIN(PhonePhotosTest)
#include "PhonePhotosTest.moc"
