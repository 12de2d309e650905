// What a newcomer meets first: leaving asks before compositions go, the
// Janela menu arranges and lists the compositions, "Foto Inteira" shows the
// whole photo with the hair where it was, saving to a read-only format says
// what can be written, and Escape closes the help.
#include "ProgramWindows.h"
#include "TF_FILHO.h"
#include "TF_HAIR.h"
#include "TF_QSTART.h"
#include "TF_SOBRE.h"
#include "TImage.h"
#include "TImageView.h"
#include "TMenuItem.h"
#include "TSaveImageDialog.h"
#include "TToolItem.h"
#include "TestSalon.h"
#include "WholePhotoFit.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

class NewcomerTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSalon> m_salon;
    QStringList m_messages;
    QStringList m_questions;
    bool m_answer = false;

    void openPhoto() { F_HAIR->OpenPhotoFile(m_salon->PhotoPath()); }

    void pressOnFrame(Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        F_HAIR->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(F_HAIR));
        QTest::keyClick(F_HAIR, key, modifiers);
    }

    QStringList windowList() const
    {
        QStringList texts;
        for (QAction *a : F_HAIR->MenuItem(QStringLiteral("Janela1"))->menu()->actions())
            if (a->objectName().startsWith(QLatin1String("WindowListEntry")))
                texts << (a->isChecked() ? QStringLiteral("* ") : QStringLiteral("  ")) + a->text();
        return texts;
    }

private slots:
    void init()
    {
        m_salon = std::make_unique<TestSalon>(2);
        m_messages.clear();
        m_questions.clear();
        m_answer = false;
        TF_HAIR::SetMessageSink([this](const QString &text, const QString &) { m_messages << text; });
        TF_HAIR::SetQuestionSink([this](const QString &text, const QString &caption) {
            m_questions << caption + QLatin1Char('|') + text;
            return m_answer;
        });
        ProgramWindows::Create(m_salon->AppDir());
        F_HAIR->resize(1000, 800);
        F_HAIR->show();
    }

    void cleanup()
    {
        TSaveImageDialog::SetRunner({});
        ProgramWindows::Destroy();
        TF_HAIR::SetMessageSink({});
        TF_HAIR::SetQuestionSink({});
        QDir::setCurrent(QDir::tempPath());
        m_salon.reset();
    }

    // ------------------------------------------------------------ leaving

    void ctrlXWithCompositionsAsksAndNaoKeepsEverything()
    {
        openPhoto();
        openPhoto();
        TF_FILHO *active = F_HAIR->ActiveComposition();
        pressOnFrame(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(m_questions, QStringList({QStringLiteral(
                                  "QUENDA|Deseja sair do Quenda? As composições abertas serão fechadas.")}));
        QVERIFY(F_HAIR->isVisible());
        QCOMPARE(F_HAIR->CompositionCount(), 2);
        QCOMPARE(F_HAIR->ActiveComposition(), active);
        QVERIFY(F_HAIR->MenuItem(QStringLiteral("Salvar1"))->isEnabled());
        // Asked again next time: a "Não" is not remembered as a "Sim".
        pressOnFrame(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(m_questions.size(), 2);
        QCOMPARE(F_HAIR->CompositionCount(), 2);
    }

    void ctrlXAnsweredSimClosesEverythingOnce()
    {
        openPhoto();
        m_answer = true;
        pressOnFrame(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(m_questions.size(), 1); // not asked again by the window's own close
        QVERIFY(!F_HAIR->isVisible());
        QTRY_COMPARE(F_HAIR->CompositionCount(), 0);
    }

    void closeBoxAsksToo()
    {
        openPhoto();
        QVERIFY(!F_HAIR->close());
        QCOMPARE(m_questions.size(), 1);
        QVERIFY(F_HAIR->isVisible());
        QCOMPARE(F_HAIR->CompositionCount(), 1);
        m_answer = true;
        QVERIFY(F_HAIR->close());
        QTRY_COMPARE(F_HAIR->CompositionCount(), 0);
    }

    void withNothingOpenTheProgramEndsWithoutAQuestion()
    {
        pressOnFrame(Qt::Key_X, Qt::ControlModifier);
        QVERIFY(m_questions.isEmpty());
        QVERIFY(!F_HAIR->isVisible());
    }

    void theQuestionIsTranslated()
    {
        QFile f(m_salon->AppDir() + QStringLiteral("language.lng"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Messages]\nDeseja sair do Quenda? As composições abertas serão fechadas.=Leave?\n");
        f.close();
        openPhoto();
        F_HAIR->Sair1Click();
        QCOMPARE(m_questions, QStringList({QStringLiteral("QUENDA|Leave?")}));
        QVERIFY(F_HAIR->isVisible());
    }

    // ------------------------------------------------------------ Janela menu

    void janelaEntriesComeAfterArrangeIconsAndTheRuleKeepsItsPlaces()
    {
        const QStringList names = {"ArranjarIcones1", "LadoALado1", "Cascata1", "N8"};
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(F_HAIR->MenuEntry(6, i)->objectName(), names[i]);
        QCOMPARE(F_HAIR->MenuItem("LadoALado1")->Caption(), QStringLiteral("Lado a &Lado"));
        QCOMPARE(F_HAIR->MenuItem("Cascata1")->Caption(), QStringLiteral("&Cascata"));
        QCOMPARE(F_HAIR->MenuItem("FotoInteira1")->Caption(), QStringLiteral("Foto &Inteira"));
        QCOMPARE(F_HAIR->MenuItem("FotoInteira1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+F")));
        // "Foto Inteira" is appended to Imagem: the rule's entries 0 to 3
        // are still Replay, Zoom Out, Zoom In and Tamanho Original.
        const QStringList ruled = {"Replay1", "Zoom1", "Zoom2", "tamanhoOriginal1"};
        for (int i = 0; i < ruled.size(); ++i)
            QCOMPARE(F_HAIR->MenuEntry(2, i)->objectName(), ruled[i]);
        QCOMPARE(F_HAIR->MenuEntry(2, 5)->objectName(), QStringLiteral("CapturaTWAIN1"));
        const QList<QAction *> imagem = F_HAIR->MenuAction(2)->menu()->actions();
        QVERIFY(imagem.indexOf(F_HAIR->MenuItem("FotoInteira1")) > imagem.indexOf(F_HAIR->MenuItem("Visualizador42")));

        F_HAIR->FormActivate();
        QVERIFY(!F_HAIR->MenuItem("Replay1")->isEnabled());
        QVERIFY(!F_HAIR->MenuItem("FotoInteira1")->isEnabled());
        QVERIFY(F_HAIR->MenuItem("CapturaTWAIN1")->isEnabled());
        QVERIFY(F_HAIR->MenuItem("LadoALado1")->isEnabled());
        openPhoto();
        for (const QString &name : ruled)
            QVERIFY2(F_HAIR->MenuItem(name)->isEnabled(), qPrintable(name));
        QVERIFY(F_HAIR->MenuItem("FotoInteira1")->isEnabled());
        F_HAIR->Fechar1Click();
        QVERIFY(!F_HAIR->MenuItem("tamanhoOriginal1")->isEnabled());
        QVERIFY(!F_HAIR->MenuItem("FotoInteira1")->isEnabled());
    }

    void theWindowListChecksTheActiveComposition()
    {
        QVERIFY(windowList().isEmpty());
        openPhoto();
        openPhoto();
        openPhoto();
        const QList<QMdiSubWindow *> windows = F_HAIR->MdiArea()->subWindowList(QMdiArea::CreationOrder);
        QCOMPARE(windows.size(), 3);
        const QString entry = QStringLiteral("Modelo.BMP - 1 - Curtos e Claros");
        QCOMPARE(windowList(), QStringList({"  &1 " + entry, "  &2 " + entry, "* &3 " + entry}));
        // Choosing an entry makes its composition the active one.
        QMenu *janela = F_HAIR->MenuItem("Janela1")->menu();
        janela->findChild<QAction *>(QStringLiteral("WindowListEntry1"), Qt::FindDirectChildrenOnly)
            ->trigger();
        QCOMPARE(F_HAIR->MdiArea()->activeSubWindow(), windows[0]);
        QCOMPARE(windowList(), QStringList({"* &1 " + entry, "  &2 " + entry, "  &3 " + entry}));
        // A closed composition leaves the list.
        F_HAIR->Fechar1Click();
        QTRY_COMPARE(F_HAIR->CompositionCount(), 2);
        emit janela->aboutToShow();
        QCOMPARE(windowList().size(), 2);
    }

    void tileLaysTheCompositionsSideBySideAndCascadeStacksThem()
    {
        openPhoto();
        openPhoto();
        openPhoto();
        const QList<QMdiSubWindow *> windows = F_HAIR->MdiArea()->subWindowList();
        F_HAIR->MenuItem("LadoALado1")->trigger();
        const QRect area = F_HAIR->MdiArea()->viewport()->rect();
        for (int i = 0; i < windows.size(); ++i) {
            QVERIFY(area.contains(windows[i]->geometry()));
            for (int j = i + 1; j < windows.size(); ++j)
                QVERIFY(!windows[i]->geometry().intersects(windows[j]->geometry()));
        }
        F_HAIR->MenuItem("Cascata1")->trigger();
        QList<QPoint> corners;
        for (QMdiSubWindow *w : F_HAIR->MdiArea()->subWindowList(QMdiArea::StackingOrder))
            corners << w->pos();
        QCOMPARE(corners.size(), 3);
        QVERIFY(corners[1].x() > corners[0].x() && corners[1].y() > corners[0].y());
        QVERIFY(corners[2].x() > corners[1].x() && corners[2].y() > corners[1].y());
    }

    // ------------------------------------------------------------ whole photo

    void fotoInteiraShowsTheWholePhotoWithTheHairInPlace()
    {
        openPhoto();
        TF_FILHO *c = F_HAIR->ActiveComposition();
        F_HAIR->Inserir1Click();
        c->Image2->move(30, 40);
        c->Image1->SetZoom(150);
        c->Image1->SetViewXY(20, 10);
        const QSize hairBefore = c->Image2->size();
        // The photo point under the hair's corner, before.
        const int photoX = c->Image1->ClientToPictureX(30);
        const int photoY = c->Image1->ClientToPictureY(40);
        pressOnFrame(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);

        auto *window = qobject_cast<QMdiSubWindow *>(c->parentWidget());
        const QRect area = F_HAIR->MdiArea()->viewport()->rect();
        QCOMPARE(window->pos(), QPoint(0, 0));
        QCOMPARE(window->size(), area.size()); // as large as the free area
        const int zoom = c->Image1->Zoom();
        // The largest whole percent showing all of the 400 x 300 photo.
        const QSize inner = c->Image1->ClientArea()->size();
        QVERIFY(WholePhotoFit::Zoomed(400, zoom) <= inner.width());
        QVERIFY(WholePhotoFit::Zoomed(300, zoom) <= inner.height());
        QVERIFY(WholePhotoFit::Zoomed(400, zoom + 1) > inner.width() ||
                WholePhotoFit::Zoomed(300, zoom + 1) > inner.height());
        QCOMPARE(c->Image1->ViewX(), 0);
        QCOMPARE(c->Image1->ViewY(), 0);
        // The hair still covers the same photo point, and grew with the zoom.
        QVERIFY(qAbs(c->Image1->ClientToPictureX(c->Image2->x()) - photoX) <= 1);
        QVERIFY(qAbs(c->Image1->ClientToPictureY(c->Image2->y()) - photoY) <= 1);
        QVERIFY(qAbs(c->Image2->width() - hairBefore.width() * zoom / 150) <= 1);
        QVERIFY(qAbs(c->Image2->height() - hairBefore.height() * zoom / 150) <= 1);
        QCOMPARE(c->L, QString::number(c->Image2->x()));
        QCOMPARE(c->T, QString::number(c->Image2->y()));
        // What is drawn there is the hair.
        const QImage shown = c->grab().toImage();
        const QPoint inside = c->Image2->mapTo(c, QPoint(c->Image2->width() / 2, c->Image2->height() / 2));
        QCOMPARE(shown.pixel(inside) & 0xFFFFFF, TestSalon::HairColour(0, 1) & 0xFFFFFF);
        QVERIFY(m_messages.isEmpty());
    }

    void fotoInteiraLeavesOpeningAndInsertAsTheyWere()
    {
        openPhoto();
        F_HAIR->FotoInteira1Click();
        openPhoto();
        TF_FILHO *second = F_HAIR->ActiveComposition();
        QCOMPARE(second->Image1->Zoom(), 100);
        QCOMPARE(second->size(), QSize(TF_FILHO::kClientWidth, TF_FILHO::kClientHeight));
    }

    // ------------------------------------------------------------ files

    void savingToAFormatThatIsOnlyReadSaysWhatCanBeWritten()
    {
        openPhoto();
        for (const char *ext : {"wmf", "EMF", "ico", "cur", "avi"}) {
            const QString name = m_salon->AppDir() + QStringLiteral("foto.") + QLatin1String(ext);
            TSaveImageDialog::SetRunner([name](TSaveImageDialog &d) {
                d.SetFileName(name);
                return true;
            });
            m_messages.clear();
            F_HAIR->Salvarcomo1Click();
            QCOMPARE(m_messages,
                     QStringList({QStringLiteral("Este formato só pode ser lido. Grave em JPEG, GIF, "
                                                 "TIFF, PCX, PNG ou BMP.\n") +
                                  QDir::toNativeSeparators(name)}));
            QVERIFY(!QFile::exists(name));
        }
        // An extension nobody knows still says so.
        TSaveImageDialog::SetRunner([this](TSaveImageDialog &d) {
            d.SetFileName(m_salon->AppDir() + QStringLiteral("foto.xyz"));
            return true;
        });
        m_messages.clear();
        F_HAIR->Salvarcomo1Click();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].startsWith(QStringLiteral("Extensão de arquivo desconhecida.\n")));
    }

    void aMissingHairNamesItsFile()
    {
        QVERIFY(QFile::remove(m_salon->AppDir() + QStringLiteral("Quenda5/Curtos e Claros/1.GIF")));
        QVERIFY(QFile::remove(m_salon->AppDir() + QStringLiteral("Quenda5/Curtos e Claros/2.GIF")));
        openPhoto();
        QCOMPARE(F_HAIR->CompositionCount(), 1);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].startsWith(QStringLiteral("Arquivo não encontrado.\n")),
                 qPrintable(m_messages[0]));
        QVERIFY2(m_messages[0].endsWith(QDir::toNativeSeparators(QStringLiteral("Curtos e Claros/1.GIF"))),
                 qPrintable(m_messages[0]));
    }

    void firstStepsAndAboutFitTheScreenInEnglish()
    {
        ProgramWindows::Destroy();
        QFile english(QStringLiteral(QUENDA_SOURCE_DIR "/docs/language.lng"));
        QVERIFY(english.open(QIODevice::ReadOnly));
        QFile lng(m_salon->AppDir() + QStringLiteral("language.lng"));
        QVERIFY(lng.open(QIODevice::WriteOnly));
        lng.write(english.readAll());
        lng.close();
        ProgramWindows::Create(m_salon->AppDir());
        F_HAIR->QuickStartClick();
        QVERIFY(QTest::qWaitForWindowExposed(F_QSTART));
        const QRect screen = F_QSTART->screen()->availableGeometry();
        QVERIFY2(F_QSTART->frameGeometry().width() <= screen.width(),
                 qPrintable(QString::number(F_QSTART->width())));
        QVERIFY(F_QSTART->frameGeometry().height() <= screen.height());
        // Every page's text is all on show: nothing to scroll, no picture
        // laid over a sentence (they flow inside the text).
        for (int page = 0; page < F_QSTART->PageControl1->count(); ++page) {
            F_QSTART->PageControl1->setCurrentIndex(page);
            auto *text = F_QSTART->PageControl1->currentWidget()->findChild<QTextBrowser *>();
            QVERIFY(text);
            QTRY_VERIFY(text->isVisible());
            QCOMPARE(text->verticalScrollBar()->maximum(), 0);
            QVERIFY(
                text->toPlainText().contains(page == 0 ? QStringLiteral("Modelo.JPG") : QStringLiteral(" ")));
        }
        QVERIFY(F_QSTART->findChild<QTextBrowser *>()->toPlainText().contains(
            QStringLiteral("and open the photo")));

        // The about box: each text gets the height its wrapped lines need.
        F_SOBRE->show();
        QVERIFY(QTest::qWaitForWindowExposed(F_SOBRE));
        for (QLabel *label : F_SOBRE->findChildren<QLabel *>()) {
            if (label->text().isEmpty() || !label->wordWrap())
                continue;
            QVERIFY2(label->height() >= label->heightForWidth(label->width()), qPrintable(label->text()));
            QVERIFY(F_SOBRE->rect().contains(
                label->geometry().translated(label->parentWidget()->mapTo(F_SOBRE, QPoint()))));
        }
        QVERIFY(F_SOBRE->frameGeometry().width() <= screen.width());
        F_SOBRE->hide();
    }

    void escapeClosesTheHelp()
    {
        QFile help(m_salon->AppDir() + QStringLiteral("QUENDA.HLP"));
        QVERIFY(help.open(QIODevice::WriteOnly));
        help.write("<html><body><h1>Ajuda</h1></body></html>");
        help.close();
        F_HAIR->Ajuda2Click();
        auto *viewer = F_HAIR->findChild<QWidget *>(QStringLiteral("HelpViewer"));
        QVERIFY(viewer && viewer->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(viewer));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : viewer, Qt::Key_Escape);
        QVERIFY(!viewer->isVisible());
    }
};

QTEST_MAIN(NewcomerTest)
#include "NewcomerTest.moc"
