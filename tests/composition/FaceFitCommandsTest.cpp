// "Ajustar ao Rosto", "Ajuste Automático" and "Gravar Ajuste" in real
// windows with real keys, and the fit of every shipped hair on the sample
// portraits against hand-labelled faces.
#include "FaceFit.h"
#include "FacePlaces.h"
#include "HairFaceFitter.h"
#include "ImageFile.h"
#include "PictureImage.h"
#include "ProgramWindows.h"
#include "TF_FILHO.h"
#include "TF_HAIR.h"
#include "TImage.h"
#include "TImageView.h"
#include "TMenuItem.h"
#include "TestSalon.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QTest>

#include <cmath>
#include <cstdio>

namespace {

// Hand measurements on the sample photographs (cheek to cheek at eye height,
// brows to chin): centre and width in picture pixels.
struct Label
{
    const char *file;
    double cx, cy, width;
};
constexpr Label kPortraits[] = {{"grace_hopper.jpg", 261, 250, 192},
                                {"astronaut_eileen_collins.png", 227, 128, 86}};

QSet<QRgb> coloursOf(const Picture24 &p)
{
    QSet<QRgb> colours;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            colours.insert(p.pixel(x, y));
    return colours;
}

} // namespace

class FaceFitCommandsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSalon> m_salon;
    QStringList m_messages;
    QString m_portrait;

    void start(const QString &appDir)
    {
        m_messages.clear();
        TF_HAIR::SetMessageSink([this](const QString &text, const QString &) { m_messages << text; });
        ProgramWindows::Create(appDir);
        F_HAIR->resize(1200, 900);
        F_HAIR->show();
        F_HAIR->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(F_HAIR));
    }

    TF_FILHO *open(const QString &photo, QSize client = QSize(512, 600))
    {
        const int before = F_HAIR->CompositionCount();
        F_HAIR->OpenPhotoFile(photo);
        if (F_HAIR->CompositionCount() != before + 1)
            return nullptr;
        TF_FILHO *c = F_HAIR->ActiveComposition();
        c->SetClientSize(client.width(), client.height());
        return c;
    }

    // What the composition's fit must give, from the same face search.
    static OverlayBounds expected(TF_FILHO *c)
    {
        const auto face = HairFaceFitter::PhotoFace(c);
        const ViewMapping view{double(c->Image1->Zoom()), double(c->Image1->PictureToClientX(0)),
                               double(c->Image1->PictureToClientY(0))};
        const Picture24 &master = c->ImageAux2->Bitmap();
        return FaceFit::Fit(HairFaceFitter::HairFace(c), master.width(), master.height(), face->face, view);
    }

    static OverlayBounds boundsOf(TF_FILHO *c)
    {
        const QRect g = c->Image2->geometry();
        return {g.x(), g.y(), g.width(), g.height()};
    }

    void writeFaces(int category, const std::string &text)
    {
        QFile f(m_salon->AppDir() + QStringLiteral("Quenda5/") + TestSalon::Categories().at(category) +
                QStringLiteral("/Rostos.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text.data(), qint64(text.size()));
    }

private slots:
    void init()
    {
        m_salon = std::make_unique<TestSalon>(3);
        m_portrait = m_salon->AppDir() + QStringLiteral("Retrato.jpg");
        QVERIFY(QFile::copy(QStringLiteral(QUENDA_TEST_PHOTOS "/grace_hopper.jpg"), m_portrait));
    }

    void cleanup()
    {
        ProgramWindows::Destroy();
        TF_HAIR::SetMessageSink({});
        QDir::setCurrent(QDir::tempPath());
        m_salon.reset();
    }

    void ctrlJFitsTheHairWithItsFileEntry()
    {
        start(m_salon->AppDir());
        writeFaces(0, FacePlaces::Format({{1, {10, 12, 30, 30}}}));
        TF_FILHO *c = open(m_portrait);
        QVERIFY(c);
        QVERIFY(!c->Image2->isVisible());
        QTest::keyClick(F_HAIR, Qt::Key_J, Qt::ControlModifier);
        QVERIFY(m_messages.isEmpty());
        QVERIFY(c->Image2->isVisible());
        QCOMPARE(boundsOf(c), expected(c));
        // Far bigger than the 50 x 35 hair: fixed like a resize, a plain
        // stretch that keeps exactly the hair's two colours.
        QVERIFY(c->Image2->width() > 250);
        QCOMPARE(c->Image2->Picture().width(), c->Image2->width());
        QCOMPARE(coloursOf(c->Image2->Picture()), coloursOf(TestSalon::HairPicture(0, 1)));
        QCOMPARE(c->L, QString::number(c->Image2->x()));
        QCOMPARE(c->T, QString::number(c->Image2->y()));
        // The hair's face sits on the face found.
        const auto face = HairFaceFitter::PhotoFace(c);
        const double s = c->Image2->width() / 50.0;
        QVERIFY(std::abs(c->Image2->x() + 25 * s - face->face.centerX()) <= 1.0);
    }

    void theFitFollowsZoomAndScroll()
    {
        start(m_salon->AppDir());
        TF_FILHO *c = open(m_portrait, QSize(241, 313));
        QVERIFY(c);
        c->Image1->SetZoom(60);
        c->Image1->SetViewX(40);
        c->Image1->SetViewY(25);
        QTest::keyClick(F_HAIR, Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(boundsOf(c), expected(c));
        // No entry in the file: the estimate from the hair's own shape.
        bool fromFile = true;
        HairFaceFitter::HairFace(c, &fromFile);
        QVERIFY(!fromFile);
    }

    void noFaceLeavesEverythingAndSaysSo()
    {
        start(m_salon->AppDir());
        TF_FILHO *c = open(m_salon->PhotoPath()); // a colour gradient
        QVERIFY(c);
        const OverlayBounds before = boundsOf(c);
        const Picture24 picture = c->Image2->Picture();
        QTest::keyClick(F_HAIR, Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(m_messages, QStringList{QStringLiteral("Nenhum rosto encontrado na foto.")});
        QCOMPARE(boundsOf(c), before);
        QCOMPARE(c->Image2->Picture(), picture);
    }

    void commandsFollowTheEnablingRule()
    {
        start(m_salon->AppDir());
        for (const char *name : {"AjustarRosto1", "AjusteAutomatico1", "GravarAjuste1"})
            QVERIFY(!F_HAIR->MenuItem(QString::fromLatin1(name))->isEnabled());
        QVERIFY(!F_HAIR->MenuItem(QStringLiteral("AjusteAutomatico1"))->isChecked());
        QVERIFY(open(m_portrait));
        for (const char *name : {"AjustarRosto1", "AjusteAutomatico1", "GravarAjuste1"})
            QVERIFY(F_HAIR->MenuItem(QString::fromLatin1(name))->isEnabled());
    }

    void automaticFitOnInsertReplayAndArrowKeys()
    {
        start(m_salon->AppDir());
        TF_FILHO *first = open(m_portrait);
        QVERIFY(first);
        const QSize natural = first->Image2->size();
        // Off: nothing is fitted.
        F_HAIR->InsertHair(QStringLiteral("2"));
        TF_FILHO *plain = F_HAIR->ActiveComposition();
        QCOMPARE(plain->Image2->size(), QSize(TestSalon::HairWidth(2), TestSalon::HairHeight(2)));
        Q_UNUSED(natural);

        F_HAIR->MenuItem(QStringLiteral("AjusteAutomatico1"))->trigger();
        QVERIFY(F_HAIR->AutoFitOn());
        F_HAIR->InsertHair(QStringLiteral("2"));
        TF_FILHO *inserted = F_HAIR->ActiveComposition();
        QVERIFY(inserted != plain);
        QCOMPARE(boundsOf(inserted), expected(inserted));
        QVERIFY(inserted->Image2->width() > 100);

        QTest::keyClick(F_HAIR, Qt::Key_R, Qt::ControlModifier); // Replay: hair 3
        TF_FILHO *replayed = F_HAIR->ActiveComposition();
        QVERIFY(replayed != inserted);
        QCOMPARE(replayed->HairNumber, 3);
        QCOMPARE(boundsOf(replayed), expected(replayed));

        QTest::keyClick(replayed, Qt::Key_Left);
        QCOMPARE(replayed->HairNumber, 2);
        QCOMPARE(boundsOf(replayed), expected(replayed));
        QVERIFY(m_messages.isEmpty());
    }

    void recordedPlacementIsReproduced()
    {
        start(m_salon->AppDir());
        TF_FILHO *c = open(m_portrait);
        QVERIFY(c);
        QTest::keyClick(F_HAIR, Qt::Key_J, Qt::ControlModifier);
        // The operator moves the fitted hair a little and records it.
        const QRect placed = c->Image2->geometry().translated(14, -9);
        c->Image2->move(placed.topLeft());
        F_HAIR->MenuItem(QStringLiteral("GravarAjuste1"))->trigger();
        QVERIFY(m_messages.isEmpty());
        QFile file(HairFaceFitter::FacesFilePath(c));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(FacePlaces::Find(text.toStdString(), 1).has_value());
        // Another composition of the same photo and hair, fitted.
        TF_FILHO *other = open(m_portrait);
        QVERIFY(other);
        QTest::keyClick(F_HAIR, Qt::Key_J, Qt::ControlModifier);
        const QRect again = other->Image2->geometry();
        QVERIFY2(std::abs(again.x() - placed.x()) <= 1 && std::abs(again.y() - placed.y()) <= 1,
                 qPrintable(QStringLiteral("%1,%2 vs %3,%4").arg(again.x()).arg(again.y()).arg(placed.x()).arg(placed.y())));
        QVERIFY(std::abs(again.width() - placed.width()) <= 1);
    }

    void recordingIntoAnUnwritablePlaceSaysSo()
    {
        start(m_salon->AppDir());
        // A folder where the face file should be: no file can be written
        // there, even as root.
        QVERIFY(QDir().mkpath(m_salon->AppDir() + QStringLiteral("Quenda5/") + TestSalon::Categories().at(0) +
                              QStringLiteral("/Rostos.ini")));
        TF_FILHO *c = open(m_portrait);
        QVERIFY(c);
        c->Image2->show();
        F_HAIR->MenuItem(QStringLiteral("GravarAjuste1"))->trigger();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].startsWith(QStringLiteral("Não foi possível gravar o ajuste do rosto.\n")));
        QVERIFY(m_messages[0].endsWith(QStringLiteral("/Rostos.ini")));
    }

    // Every shipped hair of both collections, fitted on both portraits: the
    // fitted face lands on the labelled face.
    void everyShippedHairLandsOnTheLabelledFace()
    {
        const QString salon = QStringLiteral(QUENDA_SALON_DIR "/");
        QVERIFY(QFile::exists(salon + QStringLiteral("Quenda5")));
        start(salon);
        int checked = 0;
        double worstCentre = 0, worstWidth = 0;
        for (const Label &label : kPortraits) {
            TF_FILHO *c = open(QStringLiteral(QUENDA_TEST_PHOTOS "/") + QString::fromLatin1(label.file));
            QVERIFY(c);
            for (const QString &collection : {QStringLiteral("Quenda5"), QStringLiteral("Quenda42")})
                for (int category = 0; category < 7; ++category) {
                    c->Hair = collection;
                    c->lblTipo = QString::number(category);
                    for (int number = 1;; ++number) {
                        if (c->ExistingHairFile(number).isEmpty())
                            break;
                        c->HairNumber = number;
                        QVERIFY(c->LoadHair(c->HairFilePath()));
                        bool fromFile = false;
                        const FaceRect hairFace = HairFaceFitter::HairFace(c, &fromFile);
                        QVERIFY2(fromFile, qPrintable(c->HairFilePath()));
                        QCOMPARE(HairFaceFitter::FitToFace(c), QString());
                        // The hair's face rectangle, where it ended up, in photo pixels.
                        const double s = c->Image2->width() / double(c->ImageAux2->Bitmap().width());
                        const double cx = c->Image2->x() + hairFace.centerX() * s;
                        const double cy = c->Image2->y() + hairFace.centerY() * s;
                        const double centreOff = std::hypot(cx - label.cx, cy - label.cy) / label.width;
                        const double widthOff = std::abs(hairFace.width * s - label.width) / label.width;
                        worstCentre = std::max(worstCentre, centreOff);
                        worstWidth = std::max(worstWidth, widthOff);
                        QVERIFY2(centreOff <= 0.08 && widthOff <= 0.15, qPrintable(c->HairFilePath()));
                        ++checked;
                        // QUENDA_FIT_SHOTS=DIR keeps what each fit looks like.
                        const QString shots = qEnvironmentVariable("QUENDA_FIT_SHOTS");
                        if (!shots.isEmpty())
                            c->Image1->ClientArea()->grab().save(
                                QStringLiteral("%1/%2-%3-%4-%5.png")
                                    .arg(shots, QString::fromLatin1(label.file).section('.', 0, 0), collection)
                                    .arg(category)
                                    .arg(number));
                    }
                }
            std::printf("[ figures ] %s: %d hairs, worst centre %.1f %% of face width, worst width %.1f %%\n",
                        label.file, checked, 100 * worstCentre, 100 * worstWidth);
            worstCentre = worstWidth = 0;
            checked = 0;
        }
    }
};

QTEST_MAIN(FaceFitCommandsTest)
#include "FaceFitCommandsTest.moc"
