// The catalogue browser through the main window's commands, with real mouse
// and key events on its pages.
#include "TF_THUMBS.h"

#include "ImageFile.h"
#include "ProgramWindows.h"
#include "TF_FILHO.h"
#include "TF_HAIR.h"
#include "TGradientPanel.h"
#include "TMenuItem.h"
#include "TThumbGrid.h"
#include "TThumbNail.h"
#include "TThumbview.h"
#include "TToolItem.h"
#include "TestSalon.h"

#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace {
const char *const kButtons[] = {"BT_CC", "BT_CE", "BT_MC", "BT_ME", "BT_LC", "BT_LE", "BT_M", "BT_Thumbs"};

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

/** Client point of the middle of item `index` of a grid, in widget pixels. */
QPoint itemCentre(TThumbGrid *grid, int index)
{
    const int columns = grid->Columns();
    const int x = 4 + (index % columns) * 104 + 50 - grid->OffsetX();
    const int y = 4 + (index / columns) * 104 + 50 - grid->OffsetY();
    return grid->ClientRect().topLeft() + QPoint(x, y);
}
} // namespace

class TF_THUMBSTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSalon> m_salon;
    QStringList m_messages;

    QString category(int code) const
    {
        return m_salon->AppDir() + QStringLiteral("Quenda5/") + TestSalon::Categories()[code] +
               QLatin1Char('/');
    }

    void click(const char *tool) { F_HAIR->ToolItem(QLatin1String(tool))->trigger(); }

    TThumbGrid *grid(int code) const { return F_THUMBS->ThumbGrid[code]; }

    QStringList gridFiles(int code) const
    {
        QStringList names;
        for (int i = 0; i < grid(code)->ImageCount(); ++i)
            names << grid(code)->ImageFileName(i).section(QLatin1Char('/'), -1);
        return names;
    }

    void openPhoto()
    {
        F_HAIR->OpenPhotoFile(m_salon->PhotoPath());
        QCOMPARE(F_HAIR->CompositionCount(), 1);
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
    }

    void cleanup()
    {
        ProgramWindows::Destroy();
        TF_HAIR::SetMessageSink({});
        QDir::setCurrent(QDir::tempPath());
        m_salon.reset();
    }

    void pagesCaptionsAndCollectionEntries()
    {
        QCOMPARE(F_THUMBS->windowTitle(), QStringLiteral("Viewer Quenda 5.0"));
        QCOMPARE(F_THUMBS->PageControl1->count(), 8);
        const QStringList captions = {"Fotos",          "Curtos/Claros", "Curtos/Escuros", "Médios/Claros",
                                      "Médios/Escuros", "Longos/Claros", "Longos/Escuros", "Masculinos"};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(F_THUMBS->PageControl1->tabText(i), captions[i]);
        TMenuItem *v50 = F_HAIR->MenuItem(QStringLiteral("Visualizador50"));
        TMenuItem *v42 = F_HAIR->MenuItem(QStringLiteral("Visualizador42"));
        QCOMPARE(v50->shortcut(), QKeySequence(Qt::Key_F12));
        QCOMPARE(v42->shortcut(), QKeySequence(Qt::Key_F11));
        QVERIFY(v50->isChecked());
        QVERIFY(!v42->isChecked());
        QVERIFY(!F_THUMBS->isVisible());
    }

    void eachButtonOpensItsPageWithOrWithoutAPhoto()
    {
        for (int code = 0; code < 8; ++code) {
            F_HAIR->GradientPanel1->show();
            QVERIFY(F_HAIR->ToolItem(QLatin1String(kButtons[code]))->isEnabled());
            click(kButtons[code]);
            QVERIFY(F_THUMBS->isVisible());
            QVERIFY(!F_HAIR->GradientPanel1->isVisible());
            QCOMPARE(F_HAIR->HairType(), QString::number(code));
            QCOMPARE(F_THUMBS->PageControl1->currentIndex(), code == 7 ? 0 : code + 1);
            if (code < 7)
                QCOMPARE(grid(code)->ImageCount(), 2);
        }
        // The photos page lists the salon's photo, once it is on the screen.
        QTRY_COMPARE(F_THUMBS->Thumbview1->Count(), 1);
        QVERIFY(m_messages.isEmpty());
    }

    void categoryPageShowsOnlyPicturesInHairOrder()
    {
        const QString folder = category(0);
        QVERIFY(m_salon->WriteHair(QStringLiteral("Quenda5/Curtos e Claros/10.GIF"),
                                   TestSalon::HairPicture(0, 3)));
        QVERIFY(writeBytes(folder + QStringLiteral("notes.txt"), "notes"));
        QVERIFY(writeBytes(folder + QStringLiteral("3.GIF"), "a text file saved as a hair"));
        QVERIFY(QDir(folder).mkdir(QStringLiteral("4.GIF")));
        QVERIFY(writeBytes(folder + QStringLiteral("5.GIF"), QByteArray("GIF89a\x10\x00\x10\x00", 10)));
        // A picture that is no GIF, under a GIF name: the extension check drops it.
        Picture24 bmp(10, 10);
        QVERIFY(ImageFile::save(QFile::encodeName(folder + QStringLiteral("6.bmp")).toStdString(), bmp).ok);
        QVERIFY(QFile::rename(folder + QStringLiteral("6.bmp"), folder + QStringLiteral("6.GIF")));
        QVERIFY(writeBytes(folder + QStringLiteral("7.GIF"), QByteArray()));
        click("BT_CC");
        QCOMPARE(gridFiles(0).mid(0, 2), (QStringList{"1.GIF", "2.GIF"}));
        QVERIFY(gridFiles(0).contains(QStringLiteral("10.GIF")));
        QVERIFY(!gridFiles(0).contains(QStringLiteral("3.GIF")));
        QVERIFY(!gridFiles(0).contains(QStringLiteral("4.GIF")));
        QVERIFY(!gridFiles(0).contains(QStringLiteral("6.GIF")));
        QVERIFY(!gridFiles(0).contains(QStringLiteral("7.GIF")));
        QCOMPARE(gridFiles(0).last(), QStringLiteral("10.GIF"));
        QVERIFY(m_messages.isEmpty());
    }

    void missingAndEmptyFoldersGiveEmptyPages()
    {
        QVERIFY(QDir(category(6)).removeRecursively());
        for (const QString &name : QDir(category(5)).entryList(QDir::Files))
            QVERIFY(QFile::remove(category(5) + name));
        click("BT_M");
        QCOMPARE(grid(6)->ImageCount(), 0);
        click("BT_LE");
        QCOMPARE(grid(5)->ImageCount(), 0);
        QVERIFY(m_messages.isEmpty());
    }

    void tenOnMediumDarkAsksForHairTenOfCategoryThree()
    {
        QVERIFY(m_salon->WriteHair(QStringLiteral("Quenda5/Médios e Escuros/10.GIF"),
                                   TestSalon::HairPicture(3, 4)));
        openPhoto();
        click("BT_ME");
        QCOMPARE(gridFiles(3), (QStringList{"1.GIF", "2.GIF", "10.GIF"}));
        QTest::mouseClick(grid(3), Qt::LeftButton, {}, itemCentre(grid(3), 2));
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
        QCOMPARE(F_THUMBS->PickedHairId, QStringLiteral("10"));
        QCOMPARE(F_HAIR->HairType(), QStringLiteral("3"));
        QCOMPARE(F_HAIR->CompositionCount(), 2);
        TF_FILHO *made = F_HAIR->Compositions().last();
        QCOMPARE(made->HairNumber, 10);
        QCOMPARE(made->lblTipo, QStringLiteral("3"));
        // The browser stays open.
        QVERIFY(F_THUMBS->isVisible());
    }

    void choosingWithoutAPhotoShowsTheMessage()
    {
        click("BT_CE");
        QTest::mouseClick(grid(1), Qt::LeftButton, {}, itemCentre(grid(1), 0));
        QCOMPARE(m_messages, QStringList{QStringLiteral("Abra uma foto e depois escolha um cabelo!")});
        QCOMPARE(F_HAIR->CompositionCount(), 0);
    }

    void rightKeyChoosesTheNextHairAsAClickWould()
    {
        openPhoto();
        click("BT_MC");
        QTest::mouseClick(grid(2), Qt::LeftButton, {}, itemCentre(grid(2), 0));
        QCOMPARE(F_HAIR->CompositionCount(), 2);
        QCOMPARE(F_HAIR->Compositions().last()->HairNumber, 1);
        // The new composition is active; the grid keeps the keyboard when
        // it is given back to it, as a user clicking into the browser does.
        grid(2)->setFocus();
        QTest::keyClick(grid(2), Qt::Key_Right);
        QCOMPARE(grid(2)->SelectedImage(), 1);
        QCOMPARE(F_HAIR->CompositionCount(), 3);
        QCOMPARE(F_HAIR->Compositions().last()->HairNumber, 2);
        QCOMPARE(F_HAIR->Compositions().last()->lblTipo, QStringLiteral("2"));
    }

    void hoverShowsTheFileInTheCaption()
    {
        click("BT_CC");
        QTest::mouseMove(grid(0), itemCentre(grid(0), 1));
        QMouseEvent move(QEvent::MouseMove, QPointF(itemCentre(grid(0), 1)),
                         grid(0)->mapToGlobal(QPointF(itemCentre(grid(0), 1))), Qt::NoButton, Qt::NoButton,
                         {});
        QApplication::sendEvent(grid(0), &move);
        QCOMPARE(F_THUMBS->windowTitle(),
                 QStringLiteral("Viewer - ") + category(0) + QStringLiteral("2.GIF"));
        // Over empty space the caption stays.
        QMouseEvent away(QEvent::MouseMove, QPointF(600, 300), grid(0)->mapToGlobal(QPointF(600, 300)),
                         Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(grid(0), &away);
        QCOMPARE(F_THUMBS->windowTitle(),
                 QStringLiteral("Viewer - ") + category(0) + QStringLiteral("2.GIF"));
    }

    void filledPageIsNotReadAgainAndASwitchReReads()
    {
        const QDir root(m_salon->AppDir());
        QVERIFY(root.mkpath(QStringLiteral("Quenda42/Curtos e Claros")));
        for (int n = 1; n <= 3; ++n)
            QVERIFY(m_salon->WriteHair(QStringLiteral("Quenda42/Curtos e Claros/%1.GIF").arg(n),
                                       TestSalon::HairPicture(1, n)));
        click("BT_CC");
        QCOMPARE(grid(0)->ImageCount(), 2);
        QVERIFY(m_salon->WriteHair(QStringLiteral("Quenda5/Curtos e Claros/3.GIF"),
                                   TestSalon::HairPicture(0, 3)));
        F_THUMBS->close();
        click("BT_CC");
        QCOMPARE(grid(0)->ImageCount(), 2);

        F_HAIR->MenuItem(QStringLiteral("Visualizador42"))->trigger();
        QCOMPARE(F_HAIR->HairType(), QStringLiteral("7"));
        QCOMPARE(F_HAIR->CatalogueFolder(), QStringLiteral("Quenda42"));
        QCOMPARE(F_THUMBS->windowTitle(), QStringLiteral("Viewer Pelvane Collection I"));
        QVERIFY(F_HAIR->MenuItem(QStringLiteral("Visualizador42"))->isChecked());
        QVERIFY(!F_HAIR->MenuItem(QStringLiteral("Visualizador50"))->isChecked());
        QVERIFY(F_THUMBS->isVisible());
        click("BT_CC");
        QCOMPARE(grid(0)->ImageCount(), 3);
        QVERIFY(grid(0)->ImageFileName(0).contains(QStringLiteral("/Quenda42/Curtos e Claros/")));

        F_HAIR->MenuItem(QStringLiteral("Visualizador50"))->trigger();
        QCOMPARE(F_THUMBS->windowTitle(), QStringLiteral("Viewer Quenda 5.0"));
        click("BT_CC");
        // Read from disk again: the file added meanwhile is there now.
        QCOMPARE(grid(0)->ImageCount(), 3);
        QVERIFY(grid(0)->ImageFileName(0).contains(QStringLiteral("/Quenda5/Curtos e Claros/")));
    }

    void openingAPhotoFromFileReturnsToTheMainCollection()
    {
        F_HAIR->MenuItem(QStringLiteral("Visualizador42"))->trigger();
        const QDir root(m_salon->AppDir());
        QVERIFY(root.mkpath(QStringLiteral("Quenda42/Masculinos")));
        QVERIFY(
            m_salon->WriteHair(QStringLiteral("Quenda42/Masculinos/1.GIF"), TestSalon::HairPicture(6, 1)));
        click("BT_M");
        QCOMPARE(grid(6)->ImageCount(), 1);
        F_HAIR->OpenPhotoFile(m_salon->PhotoPath());
        QCOMPARE(F_HAIR->CatalogueFolder(), QStringLiteral("Quenda5"));
        QVERIFY(F_HAIR->MenuItem(QStringLiteral("Visualizador50"))->isChecked());
        QVERIFY(!F_HAIR->MenuItem(QStringLiteral("Visualizador42"))->isChecked());
        QCOMPARE(F_THUMBS->windowTitle(), QStringLiteral("Viewer Quenda 5.0"));
        // The shown page is listed again from the main collection.
        QCOMPARE(grid(6)->ImageCount(), 2);
        QVERIFY(grid(6)->ImageFileName(0).contains(QStringLiteral("/Quenda5/")));
        // Already on the main collection: nothing is read again.
        click("BT_CE");
        const int before = grid(1)->ImageCount();
        QVERIFY(m_salon->WriteHair(QStringLiteral("Quenda5/Curtos e Escuros/3.GIF"),
                                   TestSalon::HairPicture(1, 3)));
        F_HAIR->OpenPhotoFile(m_salon->PhotoPath());
        QCOMPARE(grid(1)->ImageCount(), before);
    }

    void escClosesTheBrowserFromAnyPage()
    {
        for (int code = 0; code < 8; ++code) {
            click(kButtons[code]);
            QVERIFY(F_THUMBS->isVisible());
            QWidget *target = code < 7 ? static_cast<QWidget *>(grid(code)) : F_THUMBS->Thumbview1;
            QTest::keyClick(target, Qt::Key_Escape);
            QVERIFY2(!F_THUMBS->isVisible(), kButtons[code]);
        }
    }

    void photosPageOpensAPhotoAndSelectsTheMoveTool()
    {
        QVERIFY(ImageFile::save(
                    QFile::encodeName(m_salon->AppDir() + QStringLiteral("Cliente.png")).toStdString(),
                    TestSalon::Photo())
                    .ok);
        click("BT_Thumbs");
        TThumbview *view = F_THUMBS->Thumbview1;
        QTRY_COMPARE(view->Count(), 2);
        QCOMPARE(view->Thumb(0)->Title(), QStringLiteral("Cliente.png"));
        // A click away from the thumbnails does nothing.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(400, 300));
        QCOMPARE(F_HAIR->CompositionCount(), 0);
        QTest::mouseClick(view->Thumb(1), Qt::LeftButton, {}, QPoint(50, 50));
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
        QCOMPARE(F_HAIR->CompositionCount(), 1);
        QCOMPARE(F_THUMBS->PickedFile, m_salon->PhotoPath());
        QCOMPARE(F_HAIR->HairType(), QStringLiteral("0"));
        QVERIFY(F_HAIR->ToolItem(QStringLiteral("BT_SCROLL"))->isChecked());
        QVERIFY(!F_HAIR->HandOff().FromFile);
    }

    void photoThatCannotBeOpenedGivesTheEnginesMessage()
    {
        QVERIFY(writeBytes(m_salon->AppDir() + QStringLiteral("Avaria.jpg"), "this is not a photograph"));
        click("BT_Thumbs");
        TThumbview *view = F_THUMBS->Thumbview1;
        QTRY_COMPARE(view->Count(), 2);
        QCOMPARE(view->Thumb(0)->Title(), QStringLiteral("Avaria.jpg"));
        QTest::mouseClick(view->Thumb(0), Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(F_HAIR->CompositionCount(), 0);
        QCOMPARE(m_messages.size(), 1);
        // The engine's message, then the file it is about.
        QCOMPARE(m_messages.first(), QString::fromUtf8(ImageMessages::kCorrupt) + QLatin1Char('\n') +
                                         QDir::toNativeSeparators(m_salon->AppDir() + QStringLiteral("Avaria.jpg")));
    }
};

QTEST_MAIN(TF_THUMBSTest)
#include "TF_THUMBSTest.moc"
