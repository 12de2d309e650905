#include "TThumbview.h"

#include "ImageFile.h"
#include "TThumbNail.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {
bool writePicture(const QString &path, int width, int height, std::uint32_t colour = 0x336699)
{
    Picture24 p(width, height);
    p.fill(std::uint8_t(colour >> 16), std::uint8_t(colour >> 8), std::uint8_t(colour));
    return ImageFile::save(QFile::encodeName(path).toStdString(), p).ok;
}

bool writeText(const QString &path, const QByteArray &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

QStringList titles(const TThumbview &view)
{
    QStringList list;
    for (int i = 0; i < view.Count(); ++i)
        list << view.Thumb(i)->Title();
    return list;
}
} // namespace

class TThumbviewTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TThumbview> m_view;

    QString folder() const { return m_dir->path() + QLatin1Char('/'); }

    /** The photos page's settings. */
    void makeView()
    {
        m_view = std::make_unique<TThumbview>();
        m_view->SetMaxWidth(200);
        m_view->SetMaxHeight(200);
        m_view->SetSize(50);
        m_view->SetScrollMode(Tscrollmode::SMVertical);
        m_view->SetThumbGap(4);
        m_view->resize(600, 480);
    }

    void showView()
    {
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        // The first scan follows once the view is on the screen.
        QTRY_VERIFY(m_view->Shown());
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/thumbview-XXXXXX"));
        QVERIFY(m_dir->isValid());
        makeView();
    }

    void cleanup()
    {
        m_view.reset();
        m_dir.reset();
    }

    void defaultsOfANewView()
    {
        TThumbview view;
        QCOMPARE(view.size(), QSize(600, 480));
        QCOMPARE(view.MaxWidth(), 200);
        QCOMPARE(view.MaxHeight(), 200);
        QCOMPARE(view.Size(), 100);
        QCOMPARE(view.ThumbGap(), 4);
        QCOMPARE(view.ScrollMode(), Tscrollmode::SMHorizontal);
        QCOMPARE(view.AlignView(), Tviewtype::VTNormal);
        QVERIFY(view.Sorted());
        QVERIFY(view.AutoScrolling());
        QCOMPARE(view.Selected(), -1);
        QCOMPARE(view.Count(), 0);
        QCOMPARE(view.CellWidth(), 200);
    }

    void sortedAndUnsortedListsAndScanEvents()
    {
        QVERIFY(writePicture(folder() + QStringLiteral("z.BMP"), 30, 20));
        QVERIFY(writePicture(folder() + QStringLiteral("a.gif"), 30, 20));
        QVERIFY(writePicture(folder() + QStringLiteral("M.jpg"), 30, 20));
        QVERIFY(writeText(folder() + QStringLiteral("notes.txt"), "notes"));
        QVERIFY(QDir(folder()).mkdir(QStringLiteral("dir.jpg")));
        QVERIFY(writePicture(folder() + QStringLiteral(".hidden.jpg"), 30, 20));

        QSignalSpy start(m_view.get(), &TThumbview::OnStartScanning);
        QSignalSpy stop(m_view.get(), &TThumbview::OnStopScanning);
        QList<int> positions;
        connect(m_view.get(), &TThumbview::OnScanProgress, this,
                [&](int position, bool &) { positions << position; });
        // Before the first showing only the folder is kept.
        m_view->SetDirectory(m_dir->path());
        QCOMPARE(m_view->Count(), 0);
        QCOMPARE(start.count(), 0);
        showView();
        QCOMPARE(titles(*m_view), (QStringList{"a.gif", "M.jpg", "z.BMP"}));
        QCOMPARE(start.count(), 1);
        QCOMPARE(start.first().first().toInt(), 2);
        QCOMPARE(positions, (QList<int>{1, 2, 3}));
        QCOMPARE(stop.count(), 1);
        QCOMPARE(m_view->Selected(), 0);

        m_view->SetSorted(false);
        QCOMPARE(titles(*m_view), (QStringList{"z.BMP", "M.jpg", "a.gif"}));
        QCOMPARE(m_view->ScanOrderFiles().size(), 3);
        QCOMPARE(m_view->SortedFiles().first(), folder() + QStringLiteral("a.gif"));
    }

    void cancelEndsTheScanAfterThatFile()
    {
        for (const char *name : {"1.jpg", "2.jpg", "3.jpg", "4.jpg"})
            QVERIFY(writePicture(folder() + QLatin1String(name), 10, 10));
        connect(m_view.get(), &TThumbview::OnScanProgress, this,
                [](int position, bool &cancel) { cancel = position == 2; });
        showView();
        m_view->SetDirectory(m_dir->path());
        QCOMPARE(m_view->Count(), 2);
    }

    void photographsReadAheadLandOnTheirOwnThumbnails()
    {
        // Five JPEGs of different shapes; pairs of them are read at once.
        const QList<QSize> sizes = {{1600, 1200}, {300, 900}, {120, 80}, {2000, 500}, {640, 640}};
        for (int i = 0; i < sizes.size(); ++i)
            QVERIFY(writePicture(folder() + QStringLiteral("%1.jpg").arg(i), sizes[i].width(),
                                 sizes[i].height(), 0x102030u * (i + 1)));
        QVERIFY(writeText(folder() + QStringLiteral("5.jpg"), "broken"));
        showView();
        m_view->SetDirectory(m_dir->path());
        QCOMPARE(m_view->Count(), 6);
        // The box reduction of each file's own size: 12 %, 22 %, none, 10 %, 31 %.
        const QList<QSize> stored = {{192, 144}, {66, 198}, {120, 80}, {200, 50}, {198, 198}};
        for (int i = 0; i < stored.size(); ++i) {
            QCOMPARE(m_view->Thumb(i)->Title(), QStringLiteral("%1.jpg").arg(i));
            QCOMPARE(m_view->Thumb(i)->Picture().size(), stored[i]);
        }
        QVERIFY(m_view->Thumb(5)->Picture().isNull());
    }

    void missingFolderAndEmptyFolderGiveEmptyViews()
    {
        showView();
        m_view->SetDirectory(folder() + QStringLiteral("missing"));
        QCOMPARE(m_view->Count(), 0);
        QCOMPARE(m_view->Selected(), -1);
        m_view->SetDirectory(m_dir->path());
        QCOMPARE(m_view->Count(), 0);
    }

    void unreadablePictureKeepsItsTitleAndAnEmptyPicture()
    {
        QVERIFY(writeText(folder() + QStringLiteral("broken.jpg"), "this is not a JPEG"));
        // A bitmap header claiming 100000 x 100000 pixels and nothing after it.
        QByteArray huge(54, '\0');
        huge[0] = 'B';
        huge[1] = 'M';
        auto put32 = [&huge](int at, quint32 v) {
            for (int i = 0; i < 4; ++i)
                huge[at + i] = char((v >> (8 * i)) & 0xFF);
        };
        put32(2, 54);
        put32(10, 54);
        put32(14, 40);
        put32(18, 100000);
        put32(22, 100000);
        huge[26] = 1;
        huge[28] = 24;
        QVERIFY(writeText(folder() + QStringLiteral("huge.bmp"), huge));
        showView();
        m_view->SetDirectory(m_dir->path());
        QCOMPARE(m_view->Count(), 2);
        QCOMPARE(m_view->Thumb(0)->Title(), QStringLiteral("broken.jpg"));
        QCOMPARE(m_view->Thumb(1)->Title(), QStringLiteral("huge.bmp"));
        for (int i = 0; i < 2; ++i) {
            QVERIFY(m_view->Thumb(i)->Picture().isNull());
            QVERIFY(!m_view->Thumb(i)->ImageReady());
        }
    }

    void largePictureIsStoredReducedAndFitted()
    {
        QVERIFY(writePicture(folder() + QStringLiteral("big.bmp"), 400, 300));
        QVERIFY(writePicture(folder() + QStringLiteral("small.bmp"), 60, 60));
        showView();
        m_view->SetDirectory(m_dir->path());
        QCOMPARE(m_view->Count(), 2);
        TThumbNail *big = m_view->Thumb(0);
        QCOMPARE(big->size(), QSize(100, 100));
        QCOMPARE(big->Picture().size(), QSize(200, 150));
        QCOMPARE(big->PictureRect(), QRect(4, 23, 92, 69));
        TThumbNail *small = m_view->Thumb(1);
        QCOMPARE(small->Picture().size(), QSize(60, 60));
        QCOMPARE(small->PictureRect().size(), QSize(60, 60));
        // Switching the reduction off reads the whole picture again.
        big->SetMinimizeMemory(false);
        QCOMPARE(big->Picture().size(), QSize(400, 300));
        big->SetMinimizeMemory(true);
        QCOMPARE(big->Picture().size(), QSize(200, 150));
    }

    void pressesSelectAndClickFollowsWithTheSelection()
    {
        for (const char *name : {"a.bmp", "b.bmp", "c.bmp"})
            QVERIFY(writePicture(folder() + QLatin1String(name), 40, 40));
        showView();
        m_view->SetDirectory(m_dir->path());
        QList<int> clicked;
        connect(m_view.get(), &TThumbview::OnClick, this, [&] { clicked << m_view->Selected(); });

        // On the picture of the second thumbnail.
        QTest::mouseClick(m_view->Thumb(1), Qt::LeftButton, {}, QPoint(50, 60));
        QCOMPARE(m_view->Selected(), 1);
        // On its title bar.
        QTest::mouseClick(m_view->Thumb(2)->findChild<QLabel *>(), Qt::LeftButton, {}, QPoint(20, 5));
        QCOMPARE(m_view->Selected(), 2);
        // On the gap between the first two thumbnails.
        QTest::mouseClick(m_view->Content(), Qt::LeftButton, {}, QPoint(106, 50));
        QCOMPARE(m_view->Selected(), -1);
        // Below the last row.
        QTest::mouseClick(m_view->Content(), Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(m_view->Selected(), 0);
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, QPoint(50, 400));
        QCOMPARE(m_view->Selected(), -1);
        QCOMPARE(clicked, (QList<int>{1, 2, -1, 0, -1}));
        // Title colours follow the selection.
        m_view->SetSelected(1);
        QCOMPARE(m_view->Thumb(1)->TitleColor(), m_view->palette().color(QPalette::Highlight));
        QCOMPARE(m_view->Thumb(0)->TitleColor(), m_view->palette().color(QPalette::Button));
    }

    void selectingAThumbnailAboveTheViewScrollsItHalfInside()
    {
        for (int i = 0; i < 40; ++i)
            QVERIFY(
                writePicture(folder() + QStringLiteral("%1.bmp").arg(i, 2, 10, QLatin1Char('0')), 20, 20));
        showView();
        m_view->SetDirectory(m_dir->path());
        QCOMPARE(m_view->Count(), 40);
        QCOMPARE(m_view->PerLine(), 5);
        QScrollBar *bar = m_view->verticalScrollBar();
        QVERIFY(bar->maximum() > 300);
        // Row 3 (top 212) partly above the view.
        bar->setValue(262);
        m_view->SetSelected(10);
        QCOMPARE(m_view->Thumb(10)->mapTo(m_view->viewport(), QPoint(0, 0)).y(), 50);
        // The last one, below the view, ends half a thumbnail above the bottom.
        m_view->SetSelected(39);
        const int top = m_view->Thumb(39)->mapTo(m_view->viewport(), QPoint(0, 0)).y();
        QVERIFY2(top + 100 <= m_view->viewport()->height(), qPrintable(QString::number(top)));
    }

    void narrowerViewReflows()
    {
        for (const char *name : {"a.bmp", "b.bmp", "c.bmp"})
            QVERIFY(writePicture(folder() + QLatin1String(name), 40, 40));
        showView();
        m_view->SetDirectory(m_dir->path());
        QCOMPARE(m_view->Thumb(2)->pos(), QPoint(212, 4));
        m_view->resize(250, 480);
        QCOMPARE(m_view->PerLine(), 2);
        QCOMPARE(m_view->Thumb(2)->pos(), QPoint(4, 108));
        m_view->resize(60, 480);
        QCOMPARE(m_view->PerLine(), 1);
        QCOMPARE(m_view->Thumb(2)->pos(), QPoint(4, 212));
    }
};

QTEST_MAIN(TThumbviewTest)
#include "TThumbviewTest.moc"
