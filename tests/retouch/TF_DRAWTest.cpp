// The retouch editor on its own, driven by real mouse and key events, with
// a host that records what comes back.
#include "TF_DRAW.h"

#include "ImageCursors.h"
#include "ImageFile.h"
#include "PictureImage.h"
#include "RetouchHost.h"
#include "TColorComboBoxEx.h"
#include "TImageView.h"
#include "TLineWidthComboBox.h"
#include "TMenuItem.h"
#include "TShape.h"
#include "TSpeedButton.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
constexpr std::uint32_t kKey = 0x00FF00;

Picture24 filled(int w, int h, std::uint32_t rgb)
{
    Picture24 p(w, h);
    p.fill(std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb));
    return p;
}

class RecordingHost : public RetouchHost
{
public:
    bool ReturnRetouch(Picture24 &picture) override
    {
        returned.push_back(picture);
        return accept;
    }
    void ShowMessage(const QString &text, const QString &) override { messages << text; }
    bool CanPrintPicture() const override { return canPrint; }
    void PrintPicture(const Picture24 &picture) override { printed.push_back(picture); }

    bool accept = true;
    bool canPrint = false;
    std::vector<Picture24> returned;
    std::vector<Picture24> printed;
    QStringList messages;
};

// Answers the next file dialog of this name with `path` typed into its name
// field, or cancels it when the path is empty. The count of dialogs seen is
// shared, so it stays valid however long the answer waits.
QTimer *answerFileDialogs(const QString &name, const QString &path, std::shared_ptr<int> asked)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            if (!dialog || !dialog->isVisible() || dialog->objectName() != name)
                continue;
            ++*asked;
            timer->stop();
            timer->deleteLater();
            if (path.isEmpty()) {
                dialog->reject();
            } else {
                if (auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                    edit->setText(path);
                QMetaObject::invokeMethod(dialog, "accept");
            }
            return;
        }
    });
    timer->start();
    return timer;
}

Picture24 load(const QString &path)
{
    Picture24 p;
    ImageFile::load(QFile::encodeName(path).toStdString(), p);
    return p;
}
} // namespace

class TF_DRAWTest : public QObject
{
    Q_OBJECT

private:
    TF_DRAW *m_draw = nullptr;
    RecordingHost m_host;
    QWidget *client() const { return m_draw->Image->ClientArea(); }

    void press(Qt::MouseButton button, QPoint at) { QTest::mousePress(client(), button, {}, at); }
    void dragTo(Qt::MouseButtons held, QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(client()->mapToGlobal(at)), Qt::NoButton,
                         held, Qt::NoModifier);
        QApplication::sendEvent(client(), &move);
    }
    void release(Qt::MouseButton button, QPoint at) { QTest::mouseRelease(client(), button, {}, at); }
    std::uint32_t at(int x, int y) const { return m_draw->Image->Bitmap().pixel(x, y); }
    QList<QPointer<QTimer>> m_watchers;
    void watch(QTimer *timer) { m_watchers << timer; }

private slots:
    void init()
    {
        m_host = RecordingHost();
        m_draw = new TF_DRAW(QStringLiteral("/nonexistent/"));
        m_draw->SetHost(&m_host);
        m_draw->SetPicture(filled(200, 150, kKey));
        m_draw->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_draw));
    }
    void cleanup()
    {
        for (const QPointer<QTimer> &t : std::as_const(m_watchers))
            delete t.data();
        m_watchers.clear();
        delete m_draw;
        m_draw = nullptr;
    }

    void designedParts()
    {
        TF_DRAW fresh(QStringLiteral("/nonexistent/"));
        QCOMPARE(fresh.windowTitle(), QStringLiteral("Retoque Quenda"));
        QCOMPARE(fresh.size(), QSize(593, 442));
        QCOMPARE(fresh.Panel1->height(), 40);
        const std::pair<QWidget *, int> order[] = {
            {fresh.Shape1, 11},        {fresh.UndoButton, 44},        {fresh.SpeedButton1, 82},
            {fresh.GotasButton, 109},  {fresh.ColorComboBoxEx1, 149}, {fresh.LineWidthComboBox1, 205},
            {fresh.QuendaButton1, 292}};
        for (const auto &[widget, x] : order)
            QCOMPARE(widget->x(), x);
        QCOMPARE(fresh.Shape1->size(), QSize(26, 26));
        QCOMPARE(fresh.ColorComboBoxEx1->width(), 50);
        QCOMPARE(fresh.LineWidthComboBox1->width(), 65);
        QCOMPARE(fresh.Shape1->Hint(), QStringLiteral("Cor Ativa"));
        QCOMPARE(fresh.UndoButton->Hint(), QStringLiteral("Desfazer"));
        QCOMPARE(fresh.QuendaButton1->Hint(), QStringLiteral("Retornar Retoque ao Quenda"));
        QCOMPARE(fresh.ColorComboBoxEx1->Hint(), QStringLiteral("Cores Opcionais"));
        QCOMPARE(fresh.LineWidthComboBox1->Hint(), QStringLiteral("Largura da Linha"));
        QCOMPARE(fresh.GotasButton->Hint(), QStringLiteral("Dropper"));
        QCOMPARE(fresh.SpeedButton1->Hint(), QStringLiteral("Draw"));
        QVERIFY(fresh.SpeedButton1->isChecked());
        QVERIFY(!fresh.DropperMode());
        // White from the blank snapshot, width 20 of 30.
        QCOMPARE(fresh.ColorComboBoxEx1->ColorValue(), QColor(Qt::white));
        QCOMPARE(fresh.Shape1->BrushColor(), QColor(Qt::white));
        QCOMPARE(fresh.Model().PenColour(), 0xFFFFFFu);
        QCOMPARE(fresh.LineWidthComboBox1->MaxLineWidth(), 30);
        QCOMPARE(fresh.LineWidthComboBox1->GetLineWidth(), 20);
        QCOMPARE(fresh.Model().PenWidth(), 20);
        QCOMPARE(fresh.StatusPanel1->text(), QStringLiteral("Click the right mouse button to pick a color!"));
        QCOMPARE(fresh.Image->CursorId(), int(ImageCursors::Pen));
        QVERIFY(fresh.EditFileName.isEmpty());

        const std::pair<const char *, const char *> captions[] = {
            {"File1", "&Arquivo"},          {"Open1", "&Abrir"},     {"Save1", "&Salvar"},
            {"Saveas1", "Salvar &Como..."}, {"Print1", "&Imprimir"}, {"Exit1", "Sai&r"},
            {"Edit1", "&Editar"},           {"Undo1", "&Desfazer"},  {"Cut1", "&Recortar"},
            {"Copy1", "&Copiar"},           {"Paste1", "C&olar"}};
        for (const auto &[name, caption] : captions)
            QCOMPARE(fresh.MenuItem(QString::fromLatin1(name))->Caption(), QString::fromUtf8(caption));
        QCOMPARE(fresh.MenuItem(QStringLiteral("Undo1"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(fresh.MenuItem(QStringLiteral("Cut1"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
        QCOMPARE(fresh.MenuItem(QStringLiteral("Copy1"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
        QCOMPARE(fresh.MenuItem(QStringLiteral("Paste1"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
        for (QFileDialog *d : {fresh.OpenDialog1, fresh.SaveDialog1}) {
            QCOMPARE(d->nameFilters(),
                     QStringList({QStringLiteral("Bitmap files (*.bmp)"), QStringLiteral("All files (*)")}));
            QCOMPARE(d->defaultSuffix(), QStringLiteral("bmp"));
        }
    }

    void printEntryWaitsForAPrinter()
    {
        QVERIFY(!m_draw->MenuItem(QStringLiteral("Print1"))->isEnabled());
        m_host.canPrint = true;
        m_draw->SetHost(&m_host);
        QAction *print = m_draw->MenuItem(QStringLiteral("Print1"));
        QVERIFY(print->isEnabled());
        print->trigger();
        QCOMPARE(m_host.printed.size(), std::size_t(1));
        QCOMPARE(m_host.printed[0], m_draw->Image->Bitmap());
        m_draw->SetHost(nullptr);
        QVERIFY(!print->isEnabled());
    }

    void rightPressInPenModePicksThenDrawsWhileHeld()
    {
        Picture24 p = filled(200, 150, kKey);
        p.setPixel(20, 20, 0x7A3B10);
        m_draw->SetPicture(p);
        press(Qt::RightButton, {20, 20});
        QCOMPARE(m_draw->Shape1->BrushColor(), QColor(0x7A, 0x3B, 0x10));
        QVERIFY(m_draw->Drawing());
        dragTo(Qt::RightButton, {120, 20});
        release(Qt::RightButton, {120, 20});
        QVERIFY(!m_draw->Drawing());
        // Width 20 across the line, in exactly the picked colour.
        int column = 0;
        for (int y = 0; y < 150; ++y)
            column += at(70, y) == 0x7A3B10u;
        QCOMPARE(column, 20);
        // The combo's selection is not moved by a pick.
        QCOMPARE(m_draw->ColorComboBoxEx1->ColorValue(), QColor(Qt::white));
        QCOMPARE(m_draw->StatusPanel0->text(), QStringLiteral("X: 120   Y: 20"));
    }

    void dropperPicksBesideThePointerAndDrawsNothing()
    {
        Picture24 p = filled(200, 150, kKey);
        p.setPixel(38, 48, 0x102030);
        m_draw->SetPicture(p);
        QTest::mouseClick(m_draw->GotasButton, Qt::LeftButton);
        QVERIFY(m_draw->DropperMode());
        QCOMPARE(m_draw->Image->CursorId(), int(ImageCursors::Dropper));
        press(Qt::LeftButton, {30, 40});
        dragTo(Qt::LeftButton, {100, 100});
        release(Qt::LeftButton, {100, 100});
        QCOMPARE(m_draw->Shape1->BrushColor(), QColor(0x10, 0x20, 0x30));
        QCOMPARE(m_draw->Image->Bitmap(), p);
        QTest::mouseClick(m_draw->SpeedButton1, Qt::LeftButton);
        QVERIFY(!m_draw->DropperMode());
        QCOMPARE(m_draw->Image->CursorId(), int(ImageCursors::Pen));
        // The picked colour is the pen's now.
        press(Qt::LeftButton, {10, 100});
        dragTo(Qt::LeftButton, {60, 100});
        release(Qt::LeftButton, {60, 100});
        QCOMPARE(at(30, 100), 0x102030u);
    }

    void undoBringsBackThePressAndAgainOnASecondUndo()
    {
        const Picture24 original = m_draw->Image->Bitmap();
        // Before any press: the picture handed in, never an earlier one.
        QTest::keyClick(m_draw, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_draw->Image->Bitmap(), original);
        press(Qt::LeftButton, {10, 10});
        dragTo(Qt::LeftButton, {150, 10});
        release(Qt::LeftButton, {150, 10});
        const Picture24 first = m_draw->Image->Bitmap();
        QVERIFY(first != original);
        press(Qt::LeftButton, {10, 100});
        dragTo(Qt::LeftButton, {150, 100});
        release(Qt::LeftButton, {150, 100});
        QTest::keyClick(m_draw, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_draw->Image->Bitmap(), first);
        QTest::mouseClick(m_draw->UndoButton, Qt::LeftButton);
        QCOMPARE(m_draw->Image->Bitmap(), first);
    }

    void penLandsUnderThePointerOnAScrolledPicture()
    {
        m_draw->SetPicture(filled(2000, 1500, kKey));
        m_draw->Image->SetViewXY(500, 400);
        QCOMPARE(m_draw->Image->ViewX(), 500);
        press(Qt::LeftButton, {10, 30});
        dragTo(Qt::LeftButton, {60, 30});
        release(Qt::LeftButton, {60, 30});
        QCOMPARE(at(530, 430), 0xFFFFFFu);
        QCOMPARE(at(30, 30), kKey);
        QCOMPARE(m_draw->StatusPanel0->text(), QStringLiteral("X: 560   Y: 430"));
        // What the screen shows under the pointer is the new paint.
        const QImage shown = client()->grab().toImage();
        QCOMPARE(QColor(shown.pixel(30, 30)), QColor(Qt::white));
        QCOMPARE(QColor(shown.pixel(30, 60)), QColor(0, 0xFF, 0));
    }

    void widthAndColourFollowTheLists()
    {
        auto *widths = m_draw->LineWidthComboBox1;
        widths->setFocus();
        QTest::keyClick(widths, Qt::Key_Up); // 19
        QCOMPARE(m_draw->Model().PenWidth(), 19);
        auto *colours = m_draw->ColorComboBoxEx1;
        colours->setFocus();
        QTest::keyClick(colours, Qt::Key_Up); // Aqua
        QCOMPARE(m_draw->Shape1->BrushColor(), QColor(0, 0xFF, 0xFF));
        QCOMPARE(m_draw->Model().PenColour(), 0x00FFFFu);
    }

    void cutWhitensTheViewsRectangleAndPasteDrawsAtTheCorner()
    {
        m_draw->SetPicture(filled(2000, 1500, kKey));
        QTest::keyClick(m_draw, Qt::Key_X, Qt::ControlModifier);
        const QImage clip = QApplication::clipboard()->image();
        QCOMPARE(clip.size(), QSize(2000, 1500));
        const int w = m_draw->Image->width(), h = m_draw->Image->height();
        QCOMPARE(at(w - 1, h - 1), 0xFFFFFFu);
        QCOMPARE(at(w, 0), kKey);
        QCOMPARE(at(0, h), kKey);

        QImage small(30, 20, QImage::Format_RGB32);
        small.fill(QColor(0x11, 0x22, 0x33));
        QApplication::clipboard()->setImage(small);
        QTest::keyClick(m_draw, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(at(0, 0), 0x112233u);
        QCOMPARE(at(29, 19), 0x112233u);
        QCOMPARE(at(30, 19), 0xFFFFFFu);
        QCOMPARE(m_draw->Image->Bitmap().width(), 2000);

        QApplication::clipboard()->clear();
        const Picture24 before = m_draw->Image->Bitmap();
        QTest::keyClick(m_draw, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(m_draw->Image->Bitmap(), before);
    }

    void saveAsksForANameOnlyUntilItHasOne()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("retoque.bmp"));
        auto asked = std::make_shared<int>(0);
        watch(answerFileDialogs(QStringLiteral("SaveDialog1"), name, asked));
        m_draw->MenuItem(QStringLiteral("Save1"))->trigger();
        QCOMPARE(*asked, 1);
        QCOMPARE(m_draw->EditFileName, name);
        QCOMPARE(load(name), m_draw->Image->Bitmap());

        press(Qt::LeftButton, {10, 10});
        dragTo(Qt::LeftButton, {50, 50});
        release(Qt::LeftButton, {50, 50});
        auto askedAgain = std::make_shared<int>(0);
        watch(answerFileDialogs(QStringLiteral("SaveDialog1"), QString(), askedAgain));
        m_draw->MenuItem(QStringLiteral("Save1"))->trigger();
        QCOMPARE(*askedAgain, 0);
        QCOMPARE(load(name), m_draw->Image->Bitmap());
        QVERIFY(m_host.messages.isEmpty());
    }

    void cancelledDialogsChangeNothing()
    {
        const Picture24 before = m_draw->Image->Bitmap();
        auto asked = std::make_shared<int>(0);
        watch(answerFileDialogs(QStringLiteral("OpenDialog1"), QString(), asked));
        m_draw->MenuItem(QStringLiteral("Open1"))->trigger();
        watch(answerFileDialogs(QStringLiteral("SaveDialog1"), QString(), asked));
        m_draw->MenuItem(QStringLiteral("Saveas1"))->trigger();
        QCOMPARE(*asked, 2);
        QVERIFY(m_draw->EditFileName.isEmpty());
        QCOMPARE(m_draw->Image->Bitmap(), before);
    }

    void openReadsTheFileAndFailuresAreReported()
    {
        QTemporaryDir dir;
        const QString good = dir.filePath(QStringLiteral("foto.bmp"));
        Picture24 picture = filled(64, 48, 0x336699);
        QVERIFY(ImageFile::save(QFile::encodeName(good).toStdString(), picture, {}));
        auto asked = std::make_shared<int>(0);
        watch(answerFileDialogs(QStringLiteral("OpenDialog1"), good, asked));
        m_draw->MenuItem(QStringLiteral("Open1"))->trigger();
        QCOMPARE(m_draw->Image->Bitmap(), picture);
        QCOMPARE(m_draw->EditFileName, good);

        const QString corrupt = dir.filePath(QStringLiteral("quebrada.bmp"));
        QFile f(corrupt);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("BM this is no bitmap");
        f.close();
        watch(answerFileDialogs(QStringLiteral("OpenDialog1"), corrupt, asked));
        m_draw->MenuItem(QStringLiteral("Open1"))->trigger();
        QCOMPARE(m_host.messages.size(), 1);
        QVERIFY(m_host.messages[0].contains(corrupt));
        QCOMPARE(m_draw->Image->Bitmap(), picture);
        QCOMPARE(m_draw->EditFileName, good);

        // A folder nobody can create files in, not even an administrator.
        const QString unwritable = QStringLiteral("/proc/retoque.bmp");
        watch(answerFileDialogs(QStringLiteral("SaveDialog1"), unwritable, asked));
        m_draw->MenuItem(QStringLiteral("Saveas1"))->trigger();
        QCOMPARE(*asked, 3);
        QCOMPARE(m_host.messages.size(), 2);
        QVERIFY(m_host.messages[1].contains(unwritable));
        QCOMPARE(m_draw->EditFileName, good);
        // Save keeps its name even when writing fails.
        m_draw->EditFileName = dir.filePath(QStringLiteral("falta/pasta.bmp"));
        m_draw->MenuItem(QStringLiteral("Save1"))->trigger();
        QCOMPARE(m_host.messages.size(), 3);
        QCOMPARE(m_draw->EditFileName, dir.filePath(QStringLiteral("falta/pasta.bmp")));
        QCOMPARE(m_draw->Image->Bitmap(), picture);
    }

    void escapeClosesWithoutReturning()
    {
        press(Qt::LeftButton, {10, 10});
        dragTo(Qt::LeftButton, {50, 50});
        QTest::keyClick(m_draw, Qt::Key_Escape);
        QVERIFY(!m_draw->isVisible());
        QVERIFY(!m_draw->Drawing());
        QVERIFY(m_host.returned.empty());
        QVERIFY(!m_draw->Returned());
    }

    void escapeOnAnOpenListClosesOnlyTheList()
    {
        auto *colours = m_draw->ColorComboBoxEx1;
        colours->showPopup();
        QTRY_VERIFY(colours->view()->isVisible());
        QTest::keyClick(colours->view(), Qt::Key_Escape);
        QTRY_VERIFY(!colours->view()->isVisible());
        QVERIFY(m_draw->isVisible());
        // With the focus on the closed list, Esc reaches the window.
        colours->setFocus();
        QTest::keyClick(colours, Qt::Key_Escape);
        QVERIFY(!m_draw->isVisible());
    }

    void returnButtonHandsThePictureBackAndCloses()
    {
        press(Qt::LeftButton, {10, 10});
        dragTo(Qt::LeftButton, {50, 50});
        release(Qt::LeftButton, {50, 50});
        m_host.accept = false;
        QTest::mouseClick(m_draw->QuendaButton1, Qt::LeftButton);
        // Not taken back: the edits stay in the open editor.
        QVERIFY(m_draw->isVisible());
        m_host.accept = true;
        QTest::mouseClick(m_draw->QuendaButton1, Qt::LeftButton);
        QVERIFY(!m_draw->isVisible());
        QCOMPARE(m_host.returned.size(), std::size_t(2));
        QCOMPARE(m_host.returned[1], m_draw->Image->Bitmap());
        QVERIFY(m_draw->Returned());
    }

    void stateCarriesOverToTheNextShowing()
    {
        QTest::mouseClick(m_draw->GotasButton, Qt::LeftButton);
        m_draw->close();
        m_draw->SetPicture(filled(10, 10, kKey));
        QTimer::singleShot(0, m_draw, [this] {
            QVERIFY(m_draw->DropperMode());
            QVERIFY(m_draw->GotasButton->isChecked());
            m_draw->Exit1Click();
        });
        m_draw->ShowModal();
        QVERIFY(!m_draw->isVisible());
    }
};

QTEST_MAIN(TF_DRAWTest)
#include "TF_DRAWTest.moc"
