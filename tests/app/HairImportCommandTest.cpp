// "Importar Cabelo..." in the real main window: the menu entry, the import
// into the active composition's category, the new hair reached with Right,
// Left and replay, the call a catalogue page makes, and the bad inputs.
#include "HairImport.h"
#include "ImageFile.h"
#include "ProgramWindows.h"
#include "TBitBtn.h"
#include "TF_FILHO.h"
#include "TF_THUMBS.h"
#include "TThumbGrid.h"
#include "TToolItem.h"
#include "TF_HAIR.h"
#include "THairImportDialog.h"
#include "TImage.h"
#include "TImageView.h"
#include "TMenuItem.h"
#include "TOpenImageDialog.h"
#include "TestSalon.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTest>

namespace {

// A brown lock of hair on a plain blue backdrop, 300 x 420.
Picture24 lockOnBackdrop()
{
    Picture24 p(300, 420);
    p.fill(0x30, 0x60, 0xD0);
    for (int y = 40; y < 380; ++y)
        for (int x = 60; x < 240; ++x)
            p.setPixel(x, y, 0x5A3218 + ((x + y) % 7));
    return p;
}

} // namespace

class HairImportCommandTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSalon> m_salon;
    QStringList m_messages;
    QString m_picture;
    int m_dialogCategory = -1;
    bool m_dialogHadHair = false;

    QString categoryFolder(int category, const QString &collection = QStringLiteral("Quenda5")) const
    {
        return m_salon->AppDir() + collection + QLatin1Char('/') + TestSalon::Categories().at(category);
    }

    void answerWith(const QString &file, bool moveSlider = true)
    {
        TOpenImageDialog::SetRunner([file](TOpenImageDialog &d) {
            d.SetFileName(file);
            return true;
        });
        THairImportDialog::SetRunner([this, moveSlider](THairImportDialog &d) {
            m_dialogCategory = d.Category();
            d.show();
            if (moveSlider) {
                const int before = d.Tolerance();
                QTest::keyClick(d.TB_TOLERANCIA, Qt::Key_PageUp);
                if (d.Tolerance() == before)
                    return false;
            }
            m_dialogHadHair = d.HasHair();
            // The button is disabled without hair; an accept then still
            // reaches the write, which must refuse it.
            if (d.BT_IMPORTAR->isEnabled())
                QTest::mouseClick(d.BT_IMPORTAR, Qt::LeftButton);
            else
                d.accept();
            return d.result() == QDialog::Accepted;
        });
    }

private slots:
    void init()
    {
        m_salon = std::make_unique<TestSalon>(3);
        m_picture = m_salon->AppDir() + QStringLiteral("Mecha.png");
        QVERIFY(ImageFile::save(m_picture.toStdString(), lockOnBackdrop()));
        m_messages.clear();
        TF_HAIR::SetMessageSink([this](const QString &text, const QString &) { m_messages << text; });
        ProgramWindows::Create(m_salon->AppDir());
        F_HAIR->resize(1200, 900);
        F_HAIR->show();
        F_HAIR->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(F_HAIR));
    }

    void cleanup()
    {
        ProgramWindows::Destroy();
        TF_HAIR::SetMessageSink({});
        TOpenImageDialog::SetRunner({});
        THairImportDialog::SetRunner({});
        QDir::setCurrent(QDir::tempPath());
        m_salon.reset();
    }

    void theEntryFollowsTheCollectionAndFitEntries()
    {
        TMenuItem *entry = F_HAIR->MenuItem(QStringLiteral("ImportarCabelo1"));
        QVERIFY(entry);
        QCOMPARE(entry->text(), QStringLiteral("&Importar Cabelo..."));
        const QList<QAction *> actions = F_HAIR->MenuAction(2)->menu()->actions();
        const auto at = [&](const char *name) {
            return actions.indexOf(F_HAIR->MenuItem(QString::fromLatin1(name)));
        };
        QVERIFY(at("Visualizador42") >= 0);
        QVERIFY(at("GravarAjuste1") > at("Visualizador42"));
        QVERIFY(at("ImportarCabelo1") > at("GravarAjuste1"));
        // Usable with no photo open.
        QVERIFY(entry->isEnabled());
    }

    // The button of a hair page imports into that page's category and the
    // page shows the new hair at once.
    void theBrowsersButtonImportsIntoItsPageAndRefillsIt()
    {
        F_HAIR->ToolItem(QStringLiteral("BT_ME"))->trigger(); // "Médios e Escuros", code 3
        QVERIFY(F_THUMBS->isVisible());
        const int before = F_THUMBS->ThumbGrid[3]->ImageCount();
        QCOMPARE(before, 3);
        answerWith(m_picture);
        TBitBtn *button = F_THUMBS->BT_Importar[3];
        QVERIFY(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('|'))));
        QCOMPARE(m_dialogCategory, 3);
        QVERIFY(QFile::exists(categoryFolder(3) + QStringLiteral("/4.GIF")));
        QCOMPARE(F_THUMBS->ThumbGrid[3]->ImageCount(), before + 1);
        QVERIFY(F_THUMBS->ThumbGrid[3]->ImageFileName(before).endsWith(QStringLiteral("/4.GIF")));
        F_THUMBS->close();
    }

    void anImportedHairIsReachedWithRightLeftAndReplay()
    {
        F_HAIR->OpenPhotoFile(m_salon->PhotoPath());
        TF_FILHO *c = F_HAIR->ActiveComposition();
        QVERIFY(c);
        c->lblTipo = QStringLiteral("2");
        c->Hair = QStringLiteral("Quenda5");
        answerWith(m_picture);
        F_HAIR->MenuItem(QStringLiteral("ImportarCabelo1"))->trigger();
        QCOMPARE(m_messages, QStringList());
        QCOMPARE(m_dialogCategory, 2);
        const QString written = categoryFolder(2) + QStringLiteral("/4.GIF");
        QVERIFY(QFile::exists(written));

        Picture24 hair;
        std::uint32_t key = 0;
        QVERIFY(ImageFile::loadGif(written.toStdString(), hair, key));
        QCOMPARE(hair.pixel(0, hair.height() - 1), 0xFFFFFFu);
        QCOMPARE(hair.height(), 340 + 2 * HairCutout::kMargin);

        // In category 0 of the photo, step to the new hair in category 2.
        F_HAIR->FecharTudo1Click();
        F_HAIR->OpenPhotoFile(m_salon->PhotoPath());
        c = F_HAIR->ActiveComposition();
        QVERIFY(c);
        c->lblTipo = QStringLiteral("2");
        c->setFocus();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(c, Qt::Key_Right);
        QCOMPARE(c->HairNumber, 4);
        QCOMPARE(c->ImageAux2->Bitmap().width(), hair.width());
        QCOMPARE(c->ImageAux2->Bitmap().height(), hair.height());
        QTest::keyClick(c, Qt::Key_Left);
        QCOMPARE(c->HairNumber, 3);
        // Replay shows the next hair in a new window: the imported one.
        F_HAIR->Replay1Click();
        TF_FILHO *replayed = F_HAIR->ActiveComposition();
        QVERIFY(replayed != c);
        QCOMPARE(replayed->HairNumber, 4);
        QCOMPARE(replayed->ImageAux2->Bitmap().height(), hair.height());
        QCOMPARE(m_messages, QStringList());
    }

    void aCataloguePageImportsIntoItsOwnCategoryAndCollection()
    {
        answerWith(m_picture, false);
        QList<int> refilled;
        // As a page sees the main window.
        HairImportHost *host = F_HAIR;
        QVERIFY(host->ImportHair(QStringLiteral("Quenda42"), 5, [&](int n) { refilled << n; }));
        QCOMPARE(m_dialogCategory, 5);
        QCOMPARE(refilled, QList<int>({1}));
        QVERIFY(QFile::exists(categoryFolder(5, QStringLiteral("Quenda42")) + QStringLiteral("/1.GIF")));
        QVERIFY(host->ImportHair(QStringLiteral("Quenda42"), 5, [&](int n) { refilled << n; }));
        QCOMPARE(refilled, QList<int>({1, 2}));
        QVERIFY(!QFile::exists(categoryFolder(5) + QStringLiteral("/4.GIF")));
    }

    void badInputsAreToldAndWriteNothing()
    {
        const QString folder = categoryFolder(0);
        const int before = QDir(folder).entryList(QDir::Files | QDir::Hidden).size();

        // Not a picture.
        const QString broken = m_salon->AppDir() + QStringLiteral("quebrada.png");
        QFile f(broken);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("no picture here");
        f.close();
        answerWith(broken);
        QVERIFY(!F_HAIR->ImportHair(QString(), 0));
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages.last().startsWith(QString::fromUtf8(HairImport::kUnreadable)));

        // All backdrop.
        Picture24 plain(200, 200);
        plain.fill(0x30, 0x60, 0xD0);
        const QString empty = m_salon->AppDir() + QStringLiteral("vazia.png");
        QVERIFY(ImageFile::save(empty.toStdString(), plain));
        answerWith(empty);
        QVERIFY(!F_HAIR->ImportHair(QString(), 0));
        QVERIFY(!m_dialogHadHair);
        QCOMPARE(m_messages.size(), 2);
        QCOMPARE(m_messages.last(), QString::fromUtf8(HairImport::kNoHair));

        // The category folder is a file.
        const QString blocked = m_salon->AppDir() + QStringLiteral("Bloqueada");
        QVERIFY(QDir().mkpath(blocked + QLatin1Char('/') + TestSalon::Categories().at(1)));
        QVERIFY(QDir(blocked).removeRecursively());
        QFile block(blocked);
        QVERIFY(block.open(QIODevice::WriteOnly));
        block.close();
        answerWith(m_picture);
        QVERIFY(!F_HAIR->ImportHair(QStringLiteral("Bloqueada"), 1));
        QCOMPARE(m_messages.size(), 3);
        QVERIFY(m_messages.last().startsWith(QString::fromUtf8(HairImport::kCannotWrite)));

        // Cancelled: nothing at all.
        THairImportDialog::SetRunner([](THairImportDialog &) { return false; });
        QVERIFY(!F_HAIR->ImportHair(QString(), 0));
        QCOMPARE(m_messages.size(), 3);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), before);
    }
};

QTEST_MAIN(HairImportCommandTest)
#include "HairImportCommandTest.moc"
