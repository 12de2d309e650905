#include "TThumbGrid.h"

#include "ImageFile.h"

#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {
bool writePicture(const QString &path, int width, int height, std::uint32_t colour)
{
    Picture24 p(width, height);
    p.fill(std::uint8_t(colour >> 16), std::uint8_t(colour >> 8), std::uint8_t(colour));
    return ImageFile::save(QFile::encodeName(path).toStdString(), p).ok;
}
} // namespace

class TThumbGridTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TThumbGrid> m_grid;

    QString file(const QString &name) const { return m_dir->path() + QLatin1Char('/') + name; }

    /** A grid set up as the browser's, with `count` items of one picture each. */
    void fill(int count, const QString &name = QStringLiteral("hair.gif"))
    {
        for (int i = 0; i < count; ++i) {
            const int index = m_grid->AppendImage();
            m_grid->SetImageBackground(index, Qt::white);
            m_grid->SetImageFileName(index, file(name));
        }
    }

    void show()
    {
        m_grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    }

    QImage shot() { return m_grid->grab().toImage(); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/thumbgrid-XXXXXX"));
        QVERIFY(m_dir->isValid());
        QVERIFY(writePicture(file(QStringLiteral("hair.gif")), 60, 80, 0x204060));
        m_grid = std::make_unique<TThumbGrid>();
        m_grid->resize(666, 366);
        m_grid->SetScrollBars(TThumbGrid::sbVertical);
        m_grid->SetGridWidth(-1);
    }

    void cleanup()
    {
        m_grid.reset();
        m_dir.reset();
    }

    void defaultsAndItemOperations()
    {
        TThumbGrid grid;
        QCOMPARE(grid.size(), QSize(180, 90));
        QCOMPARE(grid.ThumbWidth(), 100);
        QCOMPARE(grid.HorizBorder(), 4);
        QCOMPARE(grid.GridWidth(), 0);
        QCOMPARE(grid.SelectionWidth(), 3);
        QCOMPARE(grid.SelectionColor(), QColor(Qt::red));
        QCOMPARE(grid.MouseInteract(), int(TThumbGrid::mmiSelect));
        QCOMPARE(grid.SelectedImage(), -1);
        QCOMPARE(grid.AppendImage(), 0);
        QCOMPARE(grid.AppendImage(), 1);
        grid.SetImageFileName(1, QStringLiteral("x.gif"));
        grid.SetImageFileName(5, QStringLiteral("y.gif"));
        grid.SetImageBackground(7, Qt::white);
        QCOMPARE(grid.ImageFileName(1), QStringLiteral("x.gif"));
        QCOMPARE(grid.ImageFileName(0), QString());
        QCOMPARE(grid.ImageFileName(5), QString());
        QCOMPARE(grid.ImageFileName(-1), QString());
        grid.SetSelectedImage(1);
        grid.Clear();
        QCOMPARE(grid.ImageCount(), 0);
        QCOMPARE(grid.SelectedImage(), -1);
    }

    void sixColumnsAlsoWithTheScrollBar()
    {
        fill(3);
        show();
        QCOMPARE(m_grid->Columns(), 6);
        QVERIFY(!m_grid->VertScrollBar()->isVisible());
        fill(27);
        QVERIFY(m_grid->VertScrollBar()->isVisible());
        QCOMPARE(m_grid->Columns(), 6);
        // Five rows of 104 plus the top border, in a client of 364.
        QCOMPARE(m_grid->MaxOffsetY(), 4 + 5 * 104 - 364);
        QCOMPARE(m_grid->VertScrollBar()->maximum(), m_grid->MaxOffsetY());
    }

    void onlyVisibleItemsAreReadAndTheyAreReleasedOutOfView()
    {
        fill(60);
        show();
        shot();
        // Four rows touch the client area of 364 pixels.
        QCOMPARE(m_grid->LoadedCount(), 24);
        QVERIFY(m_grid->ImageLoaded(0));
        QVERIFY(!m_grid->ImageLoaded(30));
        m_grid->SetOffsets(0, m_grid->MaxOffsetY());
        shot();
        QVERIFY(!m_grid->ImageLoaded(0));
        QVERIFY(m_grid->ImageLoaded(59));
        QVERIFY(m_grid->LoadedCount() <= 24);
        // Back up: the first files are read again.
        m_grid->SetOffsets(0, 0);
        shot();
        QVERIFY(m_grid->ImageLoaded(0));
        QVERIFY(!m_grid->ImageLoaded(59));
    }

    void pictureIsDrawnFittedOnTheItemBackground()
    {
        QVERIFY(writePicture(file(QStringLiteral("wide.bmp")), 400, 200, 0x00FF00));
        fill(1, QStringLiteral("wide.bmp"));
        show();
        const QImage image = shot();
        // Cell at client (4, 4), inside a one-pixel border.
        const QPoint cell(5, 5);
        QCOMPARE(image.pixelColor(cell + QPoint(50, 10)), QColor(Qt::white));
        QCOMPARE(image.pixelColor(cell + QPoint(50, 25)), QColor(Qt::green));
        QCOMPARE(image.pixelColor(cell + QPoint(0, 74)), QColor(Qt::green));
        QCOMPARE(image.pixelColor(cell + QPoint(50, 75)), QColor(Qt::white));
        // Rest of the client area in the grid's background.
        QCOMPARE(image.pixelColor(400, 300), m_grid->Background());
    }

    void selectionFrameIsWiderWithFocus()
    {
        fill(2);
        show();
        m_grid->activateWindow();
        QTest::mouseClick(m_grid.get(), Qt::LeftButton, {}, QPoint(5 + 50, 5 + 50));
        QVERIFY(m_grid->hasFocus());
        QCOMPARE(m_grid->SelectedImage(), 0);
        QImage image = shot();
        const QPoint cell(5, 5);
        QCOMPARE(image.pixelColor(cell + QPoint(50, -1)), QColor(Qt::red));
        QCOMPARE(image.pixelColor(cell + QPoint(50, -3)), QColor(Qt::red));
        QCOMPARE(image.pixelColor(cell + QPoint(100 + 2, 50)), QColor(Qt::red));
        m_grid->clearFocus();
        image = shot();
        QCOMPARE(image.pixelColor(cell + QPoint(50, -1)), QColor(Qt::red));
        QVERIFY(image.pixelColor(cell + QPoint(50, -3)) != QColor(Qt::red));
    }

    void releaseOverAnItemSelectsItAndGapsRaiseNothing()
    {
        fill(8);
        show();
        QSignalSpy select(m_grid.get(), &TThumbGrid::OnImageSelect);
        // Between the first two cells (client 104..107).
        QTest::mouseClick(m_grid.get(), Qt::LeftButton, {}, QPoint(1 + 105, 1 + 50));
        QCOMPARE(select.count(), 0);
        QCOMPARE(m_grid->SelectedImage(), -1);
        QTest::mouseClick(m_grid.get(), Qt::LeftButton, {}, QPoint(1 + 110, 1 + 120));
        QCOMPARE(select.count(), 1);
        QCOMPARE(select.takeFirst().first().toInt(), 7);
        QCOMPARE(m_grid->SelectedImage(), 7);
        QCOMPARE(m_grid->ImageAtPos(110, 120), 7);
        QCOMPARE(m_grid->ImageAtPos(400, 200), -1);
    }

    void draggingPansWithScrollInteraction()
    {
        fill(60);
        m_grid->SetMouseInteract(TThumbGrid::mmiScroll | TThumbGrid::mmiSelect);
        show();
        QSignalSpy select(m_grid.get(), &TThumbGrid::OnImageSelect);
        QTest::mousePress(m_grid.get(), Qt::LeftButton, {}, QPoint(50, 300));
        QMouseEvent move(QEvent::MouseMove, QPointF(50, 100), m_grid->mapToGlobal(QPointF(50, 100)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(m_grid.get(), &move);
        QCOMPARE(m_grid->OffsetY(), 200);
        QTest::mouseRelease(m_grid.get(), Qt::LeftButton, {}, QPoint(50, 100));
        QCOMPARE(m_grid->OffsetY(), 200);
        // The drag ended over an item, which is selected.
        QCOMPARE(select.count(), 1);
        QCOMPARE(select.first().first().toInt(), m_grid->ImageAtPos(49, 99));
        // Without the scroll interaction a drag does not pan.
        m_grid->SetMouseInteract(TThumbGrid::mmiSelect);
        m_grid->SetOffsets(0, 0);
        QTest::mousePress(m_grid.get(), Qt::LeftButton, {}, QPoint(50, 300));
        QApplication::sendEvent(m_grid.get(), &move);
        QCOMPARE(m_grid->OffsetY(), 0);
    }

    void keysMoveTheSelectionAndLeftOnTheFirstReportsAgain()
    {
        fill(30);
        show();
        m_grid->setFocus();
        QSignalSpy select(m_grid.get(), &TThumbGrid::OnImageSelect);
        // Without a selection the arrows do nothing.
        QTest::keyClick(m_grid.get(), Qt::Key_Right);
        QCOMPARE(select.count(), 0);
        QTest::keyClick(m_grid.get(), Qt::Key_Home);
        QTest::keyClick(m_grid.get(), Qt::Key_Left);
        QCOMPARE(select.count(), 2);
        QCOMPARE(select.at(1).first().toInt(), 0);
        QCOMPARE(m_grid->SelectedImage(), 0);
        QTest::keyClick(m_grid.get(), Qt::Key_Right);
        QTest::keyClick(m_grid.get(), Qt::Key_Down);
        QCOMPARE(m_grid->SelectedImage(), 7);
        QTest::keyClick(m_grid.get(), Qt::Key_End);
        QCOMPARE(m_grid->SelectedImage(), 29);
        // The last cell is brought wholly into view at the bottom right.
        QCOMPARE(m_grid->OffsetY(), m_grid->MaxOffsetY());
        QTest::keyClick(m_grid.get(), Qt::Key_PageUp);
        QCOMPARE(m_grid->SelectedImage(), 11);
        QTest::keyClick(m_grid.get(), Qt::Key_Home);
        QCOMPARE(m_grid->OffsetY(), 0);
        QCOMPARE(select.last().first().toInt(), 0);
    }

    void unreadableFilesLeaveEmptyCells()
    {
        QFile text(file(QStringLiteral("3.gif")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a picture at all");
        text.close();
        QFile truncated(file(QStringLiteral("hair.gif")));
        QVERIFY(truncated.open(QIODevice::ReadOnly));
        const QByteArray bytes = truncated.readAll();
        truncated.close();
        QFile cut(file(QStringLiteral("cut.gif")));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(bytes.left(bytes.size() / 3));
        cut.close();
        // A header claiming 65535 x 65535.
        QByteArray huge("GIF89a\xff\xff\xff\xff\x00\x00\x00,\x00\x00\x00\x00\xff\xff\xff\xff\x00\x08", 23);
        QFile h(file(QStringLiteral("huge.gif")));
        QVERIFY(h.open(QIODevice::WriteOnly));
        h.write(huge);
        h.close();
        for (const char *name : {"3.gif", "cut.gif", "huge.gif", "missing.gif", ""}) {
            const int index = m_grid->AppendImage();
            m_grid->SetImageBackground(index, Qt::white);
            m_grid->SetImageFileName(index, name[0] ? file(QLatin1String(name)) : QString());
        }
        show();
        const QImage image = shot();
        QCOMPARE(image.pixelColor(5 + 50, 5 + 50), QColor(Qt::white));
        QCOMPARE(m_grid->ImageCount(), 5);
    }
};

QTEST_MAIN(TThumbGridTest)
#include "TThumbGridTest.moc"
