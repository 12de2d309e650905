// Compositions built through the main window's hand-off, their overlay
// transparency and caption, and the placement commands and keys, driven
// through real windows and events.
#include "PictureImage.h"
#include "ProgramWindows.h"
#include "TF_FILHO.h"
#include "TF_HAIR.h"
#include "TImage.h"
#include "TMenuItem.h"
#include "TImageProc.h"
#include "TImageView.h"
#include "TResizeHandle.h"
#include "TToolItem.h"
#include "TestSalon.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

class CompositionTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSalon> m_salon;
    QStringList m_messages;
    QList<int> m_presets;

    TF_FILHO *openPhoto()
    {
        const int before = F_HAIR->CompositionCount();
        F_HAIR->OpenPhotoFile(m_salon->PhotoPath());
        if (F_HAIR->CompositionCount() != before + 1)
            return nullptr;
        return F_HAIR->ActiveComposition();
    }

    static Picture24 pictureOf(const TImage *image) { return image->Picture(); }

    // The client area of the photo view as the user sees it, overlay included.
    static QImage shown(TF_FILHO *c) { return c->Image1->ClientArea()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    static QRgb photoAt(const TF_FILHO *c, int x, int y)
    {
        // Zoom 100, no scroll: client pixel = picture pixel.
        return 0xFF000000u | c->Image1->Bitmap().pixel(x, y);
    }

    void setCategory(const QString &code) { F_HAIR->HandOff().HairType = code; }

private slots:
    void init()
    {
        m_salon = std::make_unique<TestSalon>(3);
        m_messages.clear();
        m_presets.clear();
        TF_HAIR::SetMessageSink([this](const QString &text, const QString &) { m_messages << text; });
        ProgramWindows::Create(m_salon->AppDir());
        F_HAIR->resize(1000, 800);
        F_HAIR->show();
        F_HAIR->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(F_HAIR));
        F_HAIR->PresetHook = [this](TF_FILHO *, int n) { m_presets << n; };
    }

    void cleanup()
    {
        ProgramWindows::Destroy();
        TF_HAIR::SetMessageSink({});
        QDir::setCurrent(QDir::tempPath());
        m_salon.reset();
    }

    // ------------------------------------------------------------ creation

    void photoFromFileShowsNoHairUntilInserted()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        QCOMPARE(c->lblFilename, m_salon->PhotoPath());
        QCOMPARE(c->Hair, QStringLiteral("Quenda5"));
        QCOMPARE(c->lblTipo, QStringLiteral("0"));
        QCOMPARE(c->HairNumber, 1);
        QCOMPARE(c->Image1->Bitmap(), TestSalon::Photo());
        QVERIFY(!c->Image2->isVisible());
        QCOMPARE(c->Image2->pos(), QPoint(0, 0));
        QCOMPARE(pictureOf(c->Image2), TestSalon::HairPicture(0, 1));
        QCOMPARE(c->ImageAux2->Bitmap(), TestSalon::HairPicture(0, 1));
        QCOMPARE(c->L, QStringLiteral("0"));
        QCOMPARE(c->T, QStringLiteral("0"));
        QCOMPARE(c->size(), QSize(241, 313));
        QCOMPARE(c->windowTitle(), QStringLiteral("1 - Curtos e Claros"));
        F_HAIR->Inserir1Click();
        QVERIFY(c->Image2->isVisible());
    }

    void overlayLeavesOutExactlyItsBackgroundColour()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        F_HAIR->Inserir1Click();
        c->Image2->move(100, 50);
        const QImage image = shown(c);
        // Margin of the hair picture: white, the key colour -> photo shows.
        QCOMPARE(image.pixel(102, 52), photoAt(c, 102, 52));
        // Inside: the hair's own colour.
        QCOMPARE(image.pixel(110, 60), 0xFF000000u | TestSalon::HairColour(0, 1));
        // Beside the overlay: the photo.
        QCOMPARE(image.pixel(99, 60), photoAt(c, 99, 60));
    }

    void overlayIsDrawnStretchedWhenItsSizeDiffers()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        F_HAIR->Inserir1Click();
        const Picture24 hair = TestSalon::HairPicture(0, 1); // 50 x 35, margin 5
        c->Image2->setGeometry(0, 0, hair.width() * 2, hair.height() * 2);
        const QImage image = shown(c);
        // The margin doubles to 10 pixels: (8, 8) is margin, (12, 12) hair.
        QCOMPARE(image.pixel(8, 8), photoAt(c, 8, 8));
        QCOMPARE(image.pixel(12, 12), 0xFF000000u | TestSalon::HairColour(0, 1));
        QCOMPARE(image.pixel(hair.width() * 2 - 12, hair.height() * 2 - 12),
                 0xFF000000u | TestSalon::HairColour(0, 1));
    }

    void pastedPhotoGetsATempFileAndShowsHairOne()
    {
        setCategory(QStringLiteral("2"));
        QGuiApplication::clipboard()->setImage(PictureImage::ToQImage(TestSalon::Photo()));
        F_HAIR->Colar1Click();
        QCOMPARE(F_HAIR->CompositionCount(), 1);
        TF_FILHO *first = F_HAIR->ActiveComposition();
        const QString temp1 = m_salon->AppDir() + QStringLiteral("Quenda5/Temp1.BMP");
        QCOMPARE(first->lblFilename, temp1);
        QVERIFY(QFile::exists(temp1));
        QCOMPARE(first->Image1->Bitmap(), TestSalon::Photo());
        QCOMPARE(first->ImageProc1->UndoSnapshot(), TestSalon::Photo());
        QVERIFY(first->Image2->isVisible());
        QCOMPARE(first->Image2->pos(), QPoint(0, 0));
        QCOMPARE(pictureOf(first->Image2), TestSalon::HairPicture(2, 1));
        QVERIFY(!F_HAIR->HandOff().FromClipboard);

        // A second paste of another picture gets its own file; a replay of
        // the first still shows the first picture.
        Picture24 other = TestSalon::Photo();
        other.fill(10, 200, 30);
        QGuiApplication::clipboard()->setImage(PictureImage::ToQImage(other));
        F_HAIR->Colar1Click();
        TF_FILHO *second = F_HAIR->ActiveComposition();
        QCOMPARE(second->lblFilename, m_salon->AppDir() + QStringLiteral("Quenda5/Temp2.BMP"));
        QCOMPARE(F_HAIR->HandOff().CaptureCount, 2);
        F_HAIR->MdiArea()->setActiveSubWindow(F_HAIR->MdiArea()->subWindowList().first());
        QCOMPARE(F_HAIR->ActiveComposition(), first);
        F_HAIR->Replay1Click();
        QCOMPARE(F_HAIR->ActiveComposition()->Image1->Bitmap(), TestSalon::Photo());
    }

    void pasteWithoutABitmapSaysSo()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("só texto"));
        F_HAIR->Colar1Click();
        QCOMPARE(m_messages, QStringList({QStringLiteral("O Clipboard não contém Bitmap.")}));
        QCOMPARE(F_HAIR->CompositionCount(), 0);
        QCOMPARE(F_HAIR->HandOff().CaptureCount, 0);
    }

    void pasteIntoAnUnwritableCatalogueBuildsNoWindow()
    {
        QDir(m_salon->AppDir()).rename(QStringLiteral("Quenda5"), QStringLiteral("Outro"));
        QGuiApplication::clipboard()->setImage(PictureImage::ToQImage(TestSalon::Photo()));
        F_HAIR->Colar1Click();
        QCOMPARE(F_HAIR->CompositionCount(), 0);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].contains(QStringLiteral("Temp1.BMP")));
        QVERIFY(!F_HAIR->HandOff().FromClipboard);
    }

    void insertOpensAFurtherWindowAtTheSameView()
    {
        TF_FILHO *source = openPhoto();
        QVERIFY(source);
        F_HAIR->Inserir1Click();
        source->Image1->SetZoom(200);
        source->Image1->SetViewX(130);
        source->Image1->SetViewY(40);
        source->Image2->move(33, 44);
        setCategory(QStringLiteral("3"));
        F_HAIR->InsertHair(QStringLiteral("2"));
        QCOMPARE(F_HAIR->CompositionCount(), 2);
        TF_FILHO *c = F_HAIR->ActiveComposition();
        QVERIFY(c != source);
        QCOMPARE(c->Image1->Zoom(), 200);
        QCOMPARE(c->Image1->ViewX(), 130);
        QCOMPARE(c->Image1->ViewY(), 40);
        QCOMPARE(c->lblTipo, QStringLiteral("3"));
        QCOMPARE(c->HairNumber, 2);
        QCOMPARE(pictureOf(c->Image2), TestSalon::HairPicture(3, 2));
        QCOMPARE(c->Image2->size(), QSize(TestSalon::HairWidth(2), TestSalon::HairHeight(2)));
        QCOMPARE(c->Image2->pos(), QPoint(33, 44));
        QVERIFY(c->Image2->isVisible());
        QCOMPARE(c->windowTitle(), QStringLiteral("2 - Médios e Escuros"));
        QVERIFY(!F_HAIR->HandOff().InsertPending);
        // The source window is as it was.
        QCOMPARE(source->HairNumber, 1);
        QCOMPARE(source->Image1->Zoom(), 200);
    }

    void insertWithoutAFileOfThatNumberGivesHairOne()
    {
        QVERIFY(openPhoto());
        setCategory(QStringLiteral("4"));
        F_HAIR->InsertHair(QStringLiteral("9"));
        TF_FILHO *c = F_HAIR->ActiveComposition();
        QCOMPARE(c->HairNumber, 1);
        QCOMPARE(pictureOf(c->Image2), TestSalon::HairPicture(4, 1));
    }

    void insertAfterThePhotosPageUsesTheFirstCategory()
    {
        QVERIFY(openPhoto());
        setCategory(QStringLiteral("7"));
        F_HAIR->InsertHair(QStringLiteral("2"));
        TF_FILHO *c = F_HAIR->ActiveComposition();
        QCOMPARE(c->lblTipo, QStringLiteral("0"));
        QCOMPARE(F_HAIR->HandOff().HairType, QStringLiteral("0"));
        QCOMPARE(pictureOf(c->Image2), TestSalon::HairPicture(0, 2));
    }

    void insertWithoutACompositionAsksForAPhoto()
    {
        F_HAIR->InsertHair(QStringLiteral("1"));
        QCOMPARE(m_messages, QStringList({QStringLiteral("É preciso abrir uma foto primeiro!")}));
        QCOMPARE(F_HAIR->CompositionCount(), 0);
    }

    void replayGivesTheNextHairAndWrapsAfterTheLast()
    {
        TF_FILHO *source = openPhoto();
        QVERIFY(source);
        source->ChangeHair(2);
        source->Image2->move(20, 30);
        F_HAIR->Replay1Click();
        TF_FILHO *third = F_HAIR->ActiveComposition();
        QCOMPARE(third->HairNumber, 3);
        QCOMPARE(third->Image2->pos(), QPoint(20, 30));
        QCOMPARE(source->HairNumber, 2);
        F_HAIR->Replay1Click();
        TF_FILHO *wrapped = F_HAIR->ActiveComposition();
        QCOMPARE(wrapped->HairNumber, 1);
        QCOMPARE(pictureOf(wrapped->Image2), TestSalon::HairPicture(0, 1));
        QCOMPARE(F_HAIR->CompositionCount(), 3);
    }

    void hairFilesAreFoundWithoutRegardToCase()
    {
        const QString dir = m_salon->AppDir() + QStringLiteral("Quenda5/Curtos e Claros/");
        QVERIFY(QFile::rename(dir + QStringLiteral("2.GIF"), dir + QStringLiteral("2.gif")));
        QVERIFY(QDir(m_salon->AppDir() + QStringLiteral("Quenda5")).rename(QStringLiteral("Curtos e Claros"),
                                                                          QStringLiteral("CURTOS E CLAROS")));
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        QCOMPARE(pictureOf(c->Image2), TestSalon::HairPicture(0, 1));
        c->ChangeHair(2);
        QCOMPARE(c->HairNumber, 2);
        QCOMPARE(pictureOf(c->Image2), TestSalon::HairPicture(0, 2));
    }

    void aMissingCategoryFolderStillShowsThePhoto()
    {
        QVERIFY(QDir(m_salon->AppDir() + QStringLiteral("Quenda5/Curtos e Claros")).removeRecursively());
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        QCOMPARE(c->Image1->Bitmap(), TestSalon::Photo());
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].contains(QStringLiteral("1.GIF")));
        QVERIFY(!c->Image2->isVisible());
    }

    void clearHairBackgroundTurnsThePointOneOneColourWhite()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        Picture24 tinted = TestSalon::HairPicture(0, 1);
        for (int y = 0; y < tinted.height(); ++y)
            for (int x = 0; x < tinted.width(); ++x)
                if (tinted.pixel(x, y) == 0xFFFFFF)
                    tinted.setPixel(x, y, 0xEEDD00);
        c->Image2->SetPicture(tinted);
        c->ClearHairBackground();
        QCOMPARE(pictureOf(c->Image2), TestSalon::HairPicture(0, 1));
    }

    void doubleClickTakesTheSnapshotAndUndoBringsItBack()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        F_HAIR->Undo1Click(); // no snapshot yet: nothing happens
        QCOMPARE(c->Image1->Bitmap(), TestSalon::Photo());
        QTest::mouseDClick(c->Image1->ClientArea(), Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(c->ImageProc1->UndoSnapshot(), TestSalon::Photo());
        Picture24 changed = TestSalon::Photo();
        changed.fill(0, 0, 0);
        c->Image1->SetBitmap(changed);
        F_HAIR->Undo1Click();
        QCOMPARE(c->Image1->Bitmap(), TestSalon::Photo());
        c->Image1->SetBitmap(changed);
        F_HAIR->Undo1Click();
        QCOMPARE(c->Image1->Bitmap(), TestSalon::Photo());
    }

    void closingFreesTheWindowAndReevaluates()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        QPointer<TF_FILHO> watch(c);
        qobject_cast<QMdiSubWindow *>(c->parentWidget())->close();
        QVERIFY(!F_HAIR->MenuItem("Salvar1")->isEnabled());
        QTRY_VERIFY(watch.isNull());
    }

    // ------------------------------------------------------------ overlay by hand

    void draggingTheOverlayIsNotClampedAndRenewsLT()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        F_HAIR->Inserir1Click();
        c->Image2->move(10, 10);
        QTest::mousePress(c->Image2, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(c->Dragging);
        QCOMPARE(c->DragStartX, 5);
        QTest::mouseMove(c->Image2, QPoint(-200, -100));
        QCOMPARE(c->Image2->pos(), QPoint(10 - 205, 10 - 105));
        QCOMPARE(c->L, QStringLiteral("0")); // only the release renews it
        QTest::mouseRelease(c->Image2, Qt::LeftButton, {}, QPoint(0, 0));
        QVERIFY(!c->Dragging);
        QCOMPARE(c->L, QString::number(c->Image2->x()));
        QCOMPARE(c->T, QString::number(c->Image2->y()));
    }

    void zoomToolClicksStepTheZoom()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        F_HAIR->ToolItem("BT_ZOOM")->trigger();
        QWidget *client = c->Image1->ClientArea();
        QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(c->Image1->Zoom(), 105);
        QCOMPARE(c->Image1->CursorId(), 1779);
        QTest::mouseClick(client, Qt::LeftButton, Qt::ControlModifier, QPoint(20, 20));
        QCOMPARE(c->Image1->Zoom(), 106);
        QTest::mouseClick(client, Qt::RightButton, {}, QPoint(20, 20));
        QCOMPARE(c->Image1->Zoom(), 101);
        QCOMPARE(c->Image1->CursorId(), 1778);
        c->Image1->SetZoom(5);
        QTest::mouseClick(client, Qt::RightButton, {}, QPoint(20, 20));
        QCOMPARE(c->Image1->Zoom(), 5);
        c->Image1->SetZoom(1);
        QTest::mouseClick(client, Qt::RightButton, Qt::ControlModifier, QPoint(20, 20));
        QCOMPARE(c->Image1->Zoom(), 1);
    }

    void rightAndLeftStepThroughTheCategory()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        c->setFocus();
        c->Image2->move(7, 8);
        c->L = QStringLiteral("7");
        c->T = QStringLiteral("8");
        QList<int> seen;
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(c, Qt::Key_Right);
            seen << c->HairNumber;
        }
        QCOMPARE(seen, QList<int>({2, 3, 1}));
        QCOMPARE(pictureOf(c->Image2), TestSalon::HairPicture(0, 1));
        QCOMPARE(c->Image2->pos(), QPoint(7, 8));
        QCOMPARE(c->windowTitle(), QStringLiteral("1"));
        // Left at hair 1 stays at 1 and reloads it, undoing a resize.
        c->Image2->resize(300, 300);
        c->PresetIndex = 3;
        QTest::keyClick(c, Qt::Key_Left);
        QCOMPARE(c->HairNumber, 1);
        QCOMPARE(c->Image2->size(), QSize(TestSalon::HairWidth(1), TestSalon::HairHeight(1)));
        QCOMPARE(c->PresetIndex, 0);
    }

    void upAndDownChooseThePresets()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        c->setFocus();
        QTest::keyClick(c, Qt::Key_Up);
        QTest::keyClick(c, Qt::Key_Down);
        QCOMPARE(m_presets, QList<int>({1, 5}));
        m_presets.clear();
        c->PresetIndex = 0;
        QTest::keyClick(c, Qt::Key_Down);
        QTest::keyClick(c, Qt::Key_Up);
        QCOMPARE(m_presets, QList<int>({1, 2}));
        // The whole cycles from a fresh hair.
        m_presets.clear();
        c->PresetIndex = 0;
        for (int i = 0; i < 6; ++i)
            c->NextPreset();
        QCOMPARE(m_presets, QList<int>({1, 2, 3, 4, 5, 1}));
        m_presets.clear();
        c->PresetIndex = 0;
        for (int i = 0; i < 7; ++i)
            c->PreviousPreset();
        QCOMPARE(m_presets, QList<int>({1, 5, 4, 3, 2, 1, 5}));
    }

    void ctrlF8AndF9ZoomByOne()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        c->setFocus();
        QTest::keyClick(c, Qt::Key_F9, Qt::ControlModifier);
        QCOMPARE(c->Image1->Zoom(), 101);
        QTest::keyClick(c, Qt::Key_F8, Qt::ControlModifier);
        QTest::keyClick(c, Qt::Key_F8, Qt::ControlModifier);
        QCOMPARE(c->Image1->Zoom(), 99);
        // Without Ctrl the main window's menu keys step by 5.
        F_HAIR->Zoom2Click();
        QCOMPARE(c->Image1->Zoom(), 104);
        c->Image1->SetZoom(5);
        F_HAIR->Zoom1Click();
        QCOMPARE(c->Image1->Zoom(), 5);
    }

    // ------------------------------------------------------------ tools

    void resizeThenMoveKeepsTheNewSize()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        F_HAIR->ToolItem("BT_MOVE")->trigger();
        QVERIFY(c->SH1->Attached());
        QVERIFY(c->Image2->isVisible());
        c->Image2->setGeometry(12, 14, 100, 70);
        F_HAIR->ToolItem("BT_SCROLL")->trigger();
        QVERIFY(!c->SH1->Attached());
        QCOMPARE(c->Image2->geometry(), QRect(12, 14, 100, 70));
        const Picture24 baked = pictureOf(c->Image2);
        QCOMPARE(baked.width(), 100);
        QCOMPARE(baked.height(), 70);
        // Stretching takes colours over without mixing: two colours remain.
        QSet<std::uint32_t> colours;
        for (int y = 0; y < baked.height(); ++y)
            for (int x = 0; x < baked.width(); ++x)
                colours.insert(baked.pixel(x, y));
        QCOMPARE(colours.size(), 2);
        QCOMPARE(baked.pixel(0, baked.height() - 1), 0xFFFFFFu);
        QCOMPARE(c->L, QStringLiteral("12"));
        // Resizing again reloads the file and shows it at that size.
        F_HAIR->ToolItem("BT_MOVE")->trigger();
        QCOMPARE(pictureOf(c->Image2), TestSalon::HairPicture(0, 1));
        QCOMPARE(c->Image2->size(), QSize(100, 70));
    }

    void rightPressInsideTheHandleSelectsTheMoveTool()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        F_HAIR->ToolItem("BT_MOVE")->trigger();
        QVERIFY(c->SH1->Attached());
        QTest::mousePress(c->SH1, Qt::RightButton, {}, QPoint(15, 15));
        QVERIFY(!c->SH1->Attached());
        QVERIFY(F_HAIR->ToolItem("BT_SCROLL")->isChecked());
    }

    void selectHidesTheHairAndMoveDoesNotShowIt()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        F_HAIR->Inserir1Click();
        F_HAIR->ToolItem("BT_LACO")->trigger();
        QVERIFY(F_HAIR->LassoActive());
        QVERIFY(!c->Image2->isVisible());
        QVERIFY(!c->ImageProc1->AutoUndo());
        QCOMPARE(c->Image1->MouseInteract(), int(TImageView::miSelectPolygon));
        QWidget *client = c->Image1->ClientArea();
        QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(60, 10));
        QVERIFY(!c->Image1->SelectionPoints().empty());
        F_HAIR->ToolItem("BT_SCROLL")->trigger();
        QVERIFY(!F_HAIR->LassoActive());
        QVERIFY(c->Image1->SelectionPoints().empty());
        QVERIFY(!c->Image2->isVisible());
        QVERIFY(c->ImageProc1->AutoUndo());
        QCOMPARE(c->Image1->MouseInteract(), int(TImageView::miScroll));
        F_HAIR->Inserir1Click();
        QVERIFY(c->Image2->isVisible());
    }

    void originalSizeResetsViewWindowAndHair()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        F_HAIR->Inserir1Click();
        c->Image1->SetZoom(300);
        c->Image1->SetViewX(90);
        c->SetClientSize(500, 400);
        c->Image2->setGeometry(40, 40, 120, 90);
        F_HAIR->tamanhoOriginal1Click();
        QCOMPARE(c->Image1->Zoom(), 100);
        QCOMPARE(c->Image1->ViewX(), 0);
        QCOMPARE(c->Image1->ViewY(), 0);
        QCOMPARE(c->size(), QSize(241, 313));
        QCOMPARE(c->Image2->geometry(), QRect(0, 0, TestSalon::HairWidth(1), TestSalon::HairHeight(1)));
        QCOMPARE(c->L, QStringLiteral("0"));
    }

    void anArrowOnTheHandleNudgesThenActsOnRelease()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        F_HAIR->Redimensionar1Click();
        QVERIFY(c->SH1->Attached());
        c->SH1->setFocus();
        const QPoint before = c->Image2->pos();
        QTest::keyPress(c->SH1, Qt::Key_Down);
        QCOMPARE(c->Image2->pos(), before + QPoint(0, 1));
        QVERIFY(m_presets.isEmpty());
        QTest::keyRelease(c->SH1, Qt::Key_Down);
        // Down on a fresh hair: the first preset, and the handle let go.
        QCOMPARE(m_presets, QList<int>({1}));
        QVERIFY(!c->SH1->Attached());
    }

    void aRightClickRemovesTheLasso()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        F_HAIR->BT_LACOClick();
        QWidget *client = c->Image1->ClientArea();
        QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(80, 20));
        QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(40, 90));
        QCOMPARE(int(c->Image1->SelectionPoints().size()), 3);
        QTest::mouseClick(client, Qt::RightButton, {}, QPoint(40, 40));
        QVERIFY(c->Image1->SelectionPoints().empty());
    }

    void moveToolWithTheColourPanelOpenRestoresTheOtherWindow()
    {
        TF_FILHO *first = openPhoto();
        TF_FILHO *second = openPhoto();
        QVERIFY(first && second);
        QCOMPARE(F_HAIR->ActiveComposition(), second);
        F_HAIR->ColourPanelOpen = true;
        F_HAIR->BT_SCROLLClick();
        auto *secondWindow = qobject_cast<QMdiSubWindow *>(second->parentWidget());
        auto *firstWindow = qobject_cast<QMdiSubWindow *>(first->parentWidget());
        // The active one was minimised and restored; the other is untouched.
        QVERIFY(!secondWindow->isMinimized());
        QVERIFY(!firstWindow->isMinimized());
        QCOMPARE(F_HAIR->CompositionCount(), 2);
        QCOMPARE(F_HAIR->ActiveComposition(), second);
        F_HAIR->ColourPanelOpen = false;
    }

    void arrangeIconsLinesUpMinimizedWindowsAtTheBottom()
    {
        TF_FILHO *first = openPhoto();
        TF_FILHO *second = openPhoto();
        QVERIFY(first && second);
        auto *a = qobject_cast<QMdiSubWindow *>(first->parentWidget());
        auto *b = qobject_cast<QMdiSubWindow *>(second->parentWidget());
        a->showMinimized();
        b->showMinimized();
        a->move(300, 10);
        b->move(20, 200);
        F_HAIR->ArranjarIcones1Click();
        const int bottom = F_HAIR->MdiArea()->viewport()->height();
        QCOMPARE(a->geometry().bottom(), bottom - 1);
        QCOMPARE(b->geometry().bottom(), bottom - 1);
        QCOMPARE(a->x(), 0);
        QCOMPARE(b->x(), a->width());
    }

    void copyPutsOnlyThePhotoOnTheClipboard()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        F_HAIR->Inserir1Click();
        F_HAIR->Copiar1Click();
        QCOMPARE(PictureImage::FromQImage(QGuiApplication::clipboard()->image()), TestSalon::Photo());
        F_HAIR->Colar1Click();
        QCOMPARE(F_HAIR->CompositionCount(), 2);
        TF_FILHO *pasted = F_HAIR->ActiveComposition();
        QCOMPARE(pasted->Image1->Bitmap(), TestSalon::Photo());
        QCOMPARE(pictureOf(pasted->Image2), TestSalon::HairPicture(0, 1));
    }
};

QTEST_MAIN(CompositionTest)
#include "CompositionTest.moc"
