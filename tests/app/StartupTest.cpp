// Start-up, the main window's menus and toolbar, and the enabling rule,
// driven through the real windows.
#include "CommandLine.h"
#include "FormScale.h"
#include "ProgramWindows.h"
#include "TF_DRAW.h"
#include "TF_FILHO.h"
#include "TF_HAIR.h"
#include "TF_QSTART.h"
#include "TF_SOBRE.h"
#include "TF_THUMBS.h"
#include "TComboBox.h"
#include "TGradientPanel.h"
#include "TMenuItem.h"
#include "TOpenImageDialog.h"
#include "TToolItem.h"
#include "TestSalon.h"

#include <QActionGroup>
#include <QClipboard>
#include <QImage>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMimeData>
#include <QUrl>
#include <QDropEvent>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

#include <unistd.h>

class StartupTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSalon> m_salon;
    QStringList m_messages;

    void openPhoto()
    {
        F_HAIR->OpenPhotoFile(m_salon->PhotoPath());
    }

    // Every entry and item that needs a composition, as the rule lists them.
    QList<QAction *> ruledCommands() const
    {
        QList<QAction *> list;
        for (const char *name : {"Fechar1", "FecharTudo1", "Salvar1", "Salvarcomo1", "Imprimir1",
                                 "PrintPreview1", "Undo1", "Copiar1", "Inserir1", "ApagarCabelo1",
                                 "Redimensionar1", "Replay1", "Zoom1", "Zoom2", "tamanhoOriginal1",
                                 "AjustedeImagem1", "Desenho1", "VirtualColor1"})
            list << F_HAIR->MenuItem(QString::fromLatin1(name));
        for (const char *name : {"BT_Salvar", "BT_Imprimir", "BT_Replay", "BT_Original", "BT_ZOOM",
                                 "BT_PREVIEW", "BT_SCROLL", "BT_MOVE", "BT_LACO", "BT_SLIDERS"})
            list << F_HAIR->ToolItem(QString::fromLatin1(name));
        return list;
    }

    QList<QAction *> alwaysAvailable() const
    {
        QList<QAction *> list;
        for (const char *name : {"AbrirFoto1", "ConfigurarImpressora1", "Sair1", "Colar1", "CapturaTWAIN1",
                                 "SelecionarCapturaTWAIN1", "Visualizador50", "Visualizador42", "Janela1",
                                 "Ajuda1", "Arquivo1", "Editar1", "Imagem1"})
            list << F_HAIR->MenuItem(QString::fromLatin1(name));
        for (const char *name : {"BT_Abrir", "BT_Captura", "BT_Thumbs", "BT_CC", "BT_CE", "BT_MC", "BT_ME",
                                 "BT_LC", "BT_LE", "BT_M", "BT_Sair"})
            list << F_HAIR->ToolItem(QString::fromLatin1(name));
        return list;
    }

    void expectRuled(bool enabled)
    {
        for (QAction *a : ruledCommands())
            QVERIFY2(a->isEnabled() == enabled, qPrintable(a->objectName()));
        for (QAction *a : alwaysAvailable())
            QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    }

private slots:
    void init()
    {
        m_salon = std::make_unique<TestSalon>(3);
        m_messages.clear();
        TF_HAIR::SetMessageSink([this](const QString &text, const QString &) { m_messages << text; });
        TF_HAIR::SetQuestionSink([](const QString &, const QString &) { return true; });
        ProgramWindows::Create(m_salon->AppDir());
        F_HAIR->show();
    }

    void cleanup()
    {
        TOpenImageDialog::SetRunner({});
        ProgramWindows::Destroy();
        TF_HAIR::SetMessageSink({});
        TF_HAIR::SetQuestionSink({});
        // Opening a photo makes the salon folder current; it is about to go.
        QDir::setCurrent(QDir::tempPath());
        m_salon.reset();
    }

    void createsTheEightWindowsInOrder()
    {
        QCOMPARE(QApplication::applicationName(), QStringLiteral("QUENDA 5"));
        QCOMPARE(ProgramWindows::CreationOrder(),
                 QStringList({"F_HAIR", "F_THUMBS", "F_SOBRE", "F_DRAW", "F_PREVIEW", "F_IMPRESSAO",
                              "F_PREVIEW2", "F_QSTART"}));
        QCOMPARE(F_THUMBS->windowTitle(), QStringLiteral("Viewer Quenda 5.0"));
        QCOMPARE(F_SOBRE->windowTitle(), QStringLiteral("Copyright"));
        QCOMPARE(F_DRAW->windowTitle(), QStringLiteral("Retoque Quenda"));
        QCOMPARE(F_QSTART->windowTitle(), QStringLiteral("Bemvindo ao Quenda!"));
        QVERIFY(!F_THUMBS->isVisible());
        QVERIFY(!F_QSTART->isVisible());
        QCOMPARE(F_HAIR->HandOff().AppDir, m_salon->AppDir());
        QCOMPARE(F_HAIR->HandOff().CatalogueFolder, QStringLiteral("Quenda5"));
        QCOMPARE(F_HAIR->HandOff().HairType, QStringLiteral("0"));
        QCOMPARE(F_HAIR->CB_TIPO->Items(), TestSalon::Categories());
        QCOMPARE(F_HAIR->CB_TIPO->currentIndex(), 0);
    }

    void menuBarHasEveryEntryInPlace_data()
    {
        QTest::addColumn<int>("menu");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("key");
        const struct {
            int menu, entry;
            const char *name, *caption, *key;
        } rows[] = {
            {0, 0, "AbrirFoto1", "&Abrir Foto", "Ctrl+O"},
            {0, 1, "Fechar1", "&Fechar", "Ctrl+F4"},
            {0, 2, "FecharTudo1", "F&echar Tudo", ""},
            {0, 3, "N1", "", ""},
            {0, 4, "Salvar1", "&Salvar", "Ctrl+S"},
            {0, 5, "Salvarcomo1", "Salvar &Como...", "Ctrl+A"},
            {0, 6, "N2", "", ""},
            {0, 7, "ConfigurarImpressora1", "Configurar I&mpressora", "Ctrl+I"},
            {0, 8, "Imprimir1", "&Imprimir", "Ctrl+P"},
            {0, 9, "PrintPreview1", "&Visualizar Impressão", "Ctrl+W"},
            {0, 10, "N3", "", ""},
            {0, 11, "Sair1", "Sai&r", "Ctrl+X"},
            {1, 0, "Undo1", "&Undo", "Ctrl+Z"},
            {1, 1, "Copiar1", "&Copiar", "Ctrl+C"},
            {1, 2, "Colar1", "Co&lar", "Ctrl+V"},
            {1, 3, "N5", "", ""},
            {1, 4, "Inserir1", "&Inserir", "Ins"},
            {1, 5, "ApagarCabelo1", "&Apagar", "Del"},
            {1, 6, "Redimensionar1", "&Redimensionar", "F3"},
            {2, 0, "Replay1", "&Replay", "Ctrl+R"},
            {2, 1, "Zoom1", "Zoom &Out", "F8"},
            {2, 2, "Zoom2", "Zoom &In", "F9"},
            {2, 3, "tamanhoOriginal1", "Tamanho &Original", ""}, // shown only: Ctrl+O opens photos
            {2, 4, "N4", "", ""},
            {2, 5, "CapturaTWAIN1", "&Captura TWAIN", ""},
            {2, 6, "SelecionarCapturaTWAIN1", "&Selecionar Captura TWAIN", ""},
            {2, 7, "N6", "", ""},
            {2, 8, "Visualizador50", "&Visualizador Quenda 5.0", "F12"},
            {2, 9, "Visualizador42", "Pelvane Collection I", "F11"},
            {3, 0, "Foto1", "&Foto", ""},
            {3, 1, "Cabelo1", "&Cabelo", ""},
            {3, 2, "ColorPanel1", "Color &Panel", "F10"},
            {3, 3, "Flip1", "&Flip", "Ctrl+F"},
            {4, 0, "RetoqueCabelo1", "&Cabelo", ""},
            {4, 1, "RetoqueFoto1", "&Foto", ""},
            {5, 0, "Amarelo1", "&Amarelo", "F4"},
            {5, 1, "Marrom1", "&Marrom", "F5"},
            {5, 2, "Vermelho1", "&Vermelho", "F6"},
            {5, 3, "Preto1", "&Preto", "F7"},
            {5, 4, "Normal1", "&Normal", "Ctrl+N"},
            {6, 0, "ArranjarIcones1", "&Arranjar Ícones", ""},
            {7, 0, "Ajuda2", "&Tópicos de Ajuda", "F1"},
            {7, 1, "QuickStart", "&Primeiros Passos", "F2"},
            {7, 2, "SobreoPrograma1", "&Sobre o Programa", ""},
        };
        for (const auto &r : rows)
            QTest::addRow("%s", r.name) << r.menu << r.entry << QString::fromUtf8(r.name)
                                         << QString::fromUtf8(r.caption) << QString::fromLatin1(r.key);
    }

    void menuBarHasEveryEntryInPlace()
    {
        QFETCH(int, menu);
        QFETCH(int, entry);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, key);
        QAction *action = F_HAIR->MenuEntry(menu, entry);
        QVERIFY(action);
        QCOMPARE(action->objectName(), name);
        if (caption.isEmpty()) {
            QVERIFY(action->isSeparator());
            return;
        }
        auto *item = qobject_cast<TMenuItem *>(action);
        QVERIFY(item);
        QCOMPARE(item->Caption(), caption);
        QCOMPARE(action->shortcut(), QKeySequence(key));
    }

    void menusAreInOrder()
    {
        QStringList captions;
        for (QAction *a : F_HAIR->menuBar()->actions())
            captions << qobject_cast<TMenuItem *>(a)->Caption();
        QCOMPARE(captions, QStringList({"&Arquivo", "&Editar", "&Imagem", "Aj&uste", "&Retoque",
                                        "&Virtual Color", "&Janela", "A&juda"}));
        QVERIFY(F_HAIR->MenuItem("Visualizador50")->isChecked());
        QVERIFY(!F_HAIR->MenuItem("Visualizador42")->isChecked());
        QVERIFY(F_HAIR->MenuItem("tamanhoOriginal1")->text().endsWith(QStringLiteral("\tCtrl+O")));
    }

    void toolbarItemsInOrderWithSectionsAndHints()
    {
        const struct {
            const char *name, *section, *caption, *hint;
        } rows[] = {
            {"BT_Abrir", "ARQUIVO", "Abrir", "Abrir Foto"},
            {"BT_Salvar", "ARQUIVO", "Salvar", "Salvar"},
            {"BT_Imprimir", "ARQUIVO", "Imprimir", "Imprimir"},
            {"BT_PREVIEW", "EDITAR", "", "Visualizar Impressão"},
            {"BT_Original", "EDITAR", "Tamanho Original", "Foto e Cabelo Originais"},
            {"BT_Replay", "EDITAR", "Replay", "Replay"},
            {"BT_Captura", "CAPTURA", "Captura TWAIN", "Captura TWAIN|"},
            {"BT_SCROLL", "IMAGEM", "", "Mover"},
            {"BT_MOVE", "IMAGEM", "", "Redimensionar"},
            {"BT_ZOOM", "IMAGEM", "", "Zoom"},
            {"BT_LACO", "IMAGEM", "", "Selecionar"},
            {"BT_SLIDERS", "IMAGEM", "", "Cores Cabelo"},
            {"BT_Thumbs", "CABELOS", "Thumbnails", "Ver & Abrir Fotos"},
            {"BT_CC", "CABELOS", "", "Ver/Abrir Curtos e Claros"},
            {"BT_CE", "CABELOS", "", "Ver/Abrir Curtos e Escuros"},
            {"BT_MC", "CABELOS", "", "Ver/Abrir Médios e Claros"},
            {"BT_ME", "CABELOS", "", "Ver/Abrir Médios e Escuros"},
            {"BT_LC", "CABELOS", "", "Ver/Abrir Longos e Claros"},
            {"BT_LE", "CABELOS", "", "Ver/Abrir Longos e Escuros"},
            {"BT_M", "CABELOS", "", "Ver/Abrir Masculinos"},
            {"BT_Sair", "SAIDA", "Sair", "Sair|"},
        };
        QList<TToolItem *> items;
        for (QAction *a : F_HAIR->ToolBar1->actions())
            if (auto *item = qobject_cast<TToolItem *>(a))
                items << item;
        QCOMPARE(items.size(), int(std::size(rows)));
        for (int i = 0; i < items.size(); ++i) {
            QCOMPARE(items[i]->objectName(), QString::fromLatin1(rows[i].name));
            QCOMPARE(items[i]->Section(), QString::fromLatin1(rows[i].section));
            QCOMPARE(items[i]->Caption(), QString::fromUtf8(rows[i].caption));
            QCOMPARE(items[i]->Hint(), QString::fromUtf8(rows[i].hint));
        }
        QCOMPARE(F_HAIR->ToolItem("BT_Captura")->toolTip(), QStringLiteral("Captura TWAIN"));
        QCOMPARE(F_HAIR->ToolItem("BT_Sair")->statusTip(), QString());
        for (int tag = 0; tag < 7; ++tag)
            QCOMPARE(items[13 + tag]->Tag(), tag);
        QCOMPARE(F_HAIR->ToolBar1->height(), 37);
    }

    void theFourToolsAreOneExclusiveGroup()
    {
        TToolItem *scroll = F_HAIR->ToolItem("BT_SCROLL");
        QVERIFY(scroll->isChecked());
        QActionGroup *group = scroll->actionGroup();
        QVERIFY(group && group->isExclusive());
        QStringList names;
        for (QAction *a : group->actions())
            names << a->objectName();
        QCOMPARE(names, QStringList({"BT_SCROLL", "BT_MOVE", "BT_ZOOM", "BT_LACO"}));
    }

    void withNoCompositionOnlyTheAlwaysAvailableCommandsWork()
    {
        F_HAIR->FormActivate();
        expectRuled(false);
    }

    void openingAndClosingTheOnlyCompositionDisablesAgain()
    {
        openPhoto();
        QCOMPARE(F_HAIR->CompositionCount(), 1);
        expectRuled(true);
        F_HAIR->Fechar1Click();
        expectRuled(false);
        QTRY_COMPARE(F_HAIR->CompositionCount(), 0);
    }

    void closingOneOfTwoKeepsTheCommands()
    {
        openPhoto();
        openPhoto();
        QCOMPARE(F_HAIR->CompositionCount(), 2);
        F_HAIR->Fechar1Click();
        expectRuled(true);
        QTRY_COMPARE(F_HAIR->CompositionCount(), 1);
    }

    void closeAllWithThreeEndsDisabled()
    {
        openPhoto();
        openPhoto();
        openPhoto();
        // Each closing composition re-evaluates while still counted; record
        // what it saw through the rule's visible effect on one entry.
        QList<bool> seen;
        QAction *save = F_HAIR->MenuItem("Salvar1");
        connect(save, &QAction::changed, this, [&] { seen << save->isEnabled(); });
        F_HAIR->FecharTudo1Click();
        expectRuled(false);
        QVERIFY(!seen.isEmpty());
        QCOMPARE(seen.last(), false);
        QTRY_COMPARE(F_HAIR->CompositionCount(), 0);
        QVERIFY(!F_HAIR->HandOff().ClosingAll);
    }

    void closeAllWithNothingOpenOnlyDisables()
    {
        F_HAIR->FecharTudo1Click();
        expectRuled(false);
        QCOMPARE(F_HAIR->CompositionCount(), 0);
    }

    void ctrlOOpensThePhotoDialogNotOriginalSize()
    {
        openPhoto();
        int dialogRuns = 0;
        TOpenImageDialog::SetRunner([&](TOpenImageDialog &) {
            ++dialogRuns;
            return false;
        });
        QSignalSpy original(F_HAIR->MenuItem("tamanhoOriginal1"), &QAction::triggered);
        F_HAIR->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(F_HAIR));
        QTest::keyClick(F_HAIR, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(dialogRuns, 1);
        QCOMPARE(original.count(), 0);
        QCOMPARE(F_HAIR->CompositionCount(), 1);
        QVERIFY(!F_HAIR->HandOff().FromFile);
    }

    void openingAMissingFileTellsTheUser()
    {
        TOpenImageDialog::SetRunner([&](TOpenImageDialog &d) {
            d.SetFileName(m_salon->AppDir() + QStringLiteral("nao-existe.jpg"));
            return true;
        });
        F_HAIR->AbrirFoto1Click();
        QCOMPARE(m_messages, QStringList({QStringLiteral("Arquivo não encontrado.\n") + m_salon->AppDir()
                                          + QStringLiteral("nao-existe.jpg")}));
        QCOMPARE(F_HAIR->CompositionCount(), 0);
        QVERIFY(!F_HAIR->HandOff().FromFile);
    }

    void openingABrokenPhotoBuildsNoWindow()
    {
        const QString broken = m_salon->AppDir() + QStringLiteral("quebrada.jpg");
        QFile f(broken);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\xFF\xD8\xFF\xE0 not really a jpeg");
        f.close();
        F_HAIR->OpenPhotoFile(broken);
        QCOMPARE(F_HAIR->CompositionCount(), 0);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(!F_HAIR->MdiArea()->activeSubWindow());
    }

    void photosDroppedOnTheFrameOpenAsCompositions()
    {
        auto *mime = new QMimeData;
        mime->setUrls({QUrl::fromLocalFile(m_salon->PhotoPath()),
                       QUrl::fromLocalFile(m_salon->AppDir() + QStringLiteral("sumiu.jpg"))});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(F_HAIR, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(F_HAIR, &drop);
        QCOMPARE(F_HAIR->CompositionCount(), 1);
        QCOMPARE(F_HAIR->Compositions()[0]->lblFilename, m_salon->PhotoPath());
        QCOMPARE(m_messages, QStringList({QStringLiteral("Arquivo não encontrado.\n") + m_salon->AppDir()
                                          + QStringLiteral("sumiu.jpg")}));
        QVERIFY(!F_HAIR->HandOff().FromFile);
        delete mime;
    }

    void quickStartKeepsThePageLastChosen()
    {
        F_HAIR->QuickStartClick();
        QVERIFY(F_QSTART->isVisible());
        QCOMPARE(F_QSTART->PageControl1->count(), 4);
        QCOMPARE(F_QSTART->PageControl1->currentIndex(), 0);
        F_QSTART->PageControl1->setCurrentIndex(2);
        QTest::keyClick(F_QSTART, Qt::Key_Escape);
        QVERIFY(!F_QSTART->isVisible());
        F_HAIR->QuickStartClick();
        QCOMPARE(F_QSTART->PageControl1->currentIndex(), 2);
        for (int i = 1; i <= 24; ++i)
            QVERIFY2(F_QSTART->findChild<QLabel *>(QStringLiteral("Label%1").arg(i)), qPrintable(QString::number(i)));
    }

    void colourPanelKeepsItsSize()
    {
        TGradientPanel *panel = F_HAIR->GradientPanel1;
        QCOMPARE(panel->size(), QSize(257, 242));
        panel->resize(400, 100);
        QCOMPARE(panel->size(), QSize(257, 242));
        panel->setGeometry(10, 10, 20, 500);
        QCOMPARE(panel->size(), QSize(257, 242));
        QVERIFY(!panel->isVisible());
    }

    void helpShowsTheHelpFileOrSaysItIsMissing()
    {
        F_HAIR->Ajuda2Click();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].contains(QStringLiteral("QUENDA.HLP")));
        QFile help(m_salon->AppDir() + QStringLiteral("QUENDA.HLP"));
        QVERIFY(help.open(QIODevice::WriteOnly));
        help.write("<html><body><h1>Ajuda</h1><p>Como abrir uma foto.</p></body></html>");
        help.close();
        F_HAIR->Ajuda2Click();
        QCOMPARE(m_messages.size(), 1);
        QWidget *viewer = F_HAIR->findChild<QWidget *>(QStringLiteral("HelpViewer"));
        QVERIFY(viewer && viewer->isVisible());
    }

    void leavingClosesCompositionsThenTheBrowser()
    {
        openPhoto();
        openPhoto();
        F_THUMBS->show();
        F_HAIR->Sair1Click();
        QVERIFY(!F_THUMBS->isVisible());
        QVERIFY(!F_HAIR->isVisible());
        QTRY_COMPARE(F_HAIR->CompositionCount(), 0);
    }

    void formScaleFollowsTheScreen()
    {
        // Design screen: nothing changes.
        FormScaleResult same = FormScale::Compute(544, 279, 550, 300, 800, 600, 96);
        QCOMPARE(same.clientWidth, 544);
        QCOMPARE(same.clientHeight, 279);
        QVERIFY(!same.scaleContents);
        QCOMPARE(same.outerWidth, 550);
        // 1280 x 1024: whole-number division of each side.
        FormScaleResult big = FormScale::Compute(544, 279, 550, 300, 1280, 1024, 96);
        QCOMPARE(big.clientWidth, 544 * 1280 / 800);
        QCOMPARE(big.clientHeight, 279 * 1024 / 600);
        QVERIFY(big.scaleContents);
        QCOMPARE(big.outerWidth, big.clientWidth + 6);
        // 120 dpi scales the outer size once more.
        FormScaleResult dpi = FormScale::Compute(100, 100, 110, 130, 800, 600, 120);
        QCOMPARE(dpi.outerWidth, 110 * 120 / 96);
        QCOMPARE(dpi.outerHeight, 130 * 120 / 96);
    }

    void programIconInEverySizeOnTheWindows()
    {
        const QIcon icon = F_HAIR->windowIcon();
        QList<QSize> sizes;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            sizes << QSize(size, size);
        QCOMPARE(icon.availableSizes(), sizes);
        // Drawn, not an empty placeholder: the middle of the large one is opaque.
        const QImage large = icon.pixmap(QSize(256, 256)).toImage();
        QCOMPARE(large.size(), QSize(256, 256));
        QCOMPARE(qAlpha(large.pixel(128, 128)), 255);
        QCOMPARE(F_QSTART->windowIcon().availableSizes(), sizes);
    }

    void pasteIntoAnUnwritableSalonSaysWhatToDo()
    {
        if (::geteuid() == 0)
            QSKIP("root writes in any folder");
        const QString catalogue = m_salon->AppDir() + QStringLiteral("Quenda5");
        const QFile::Permissions before = QFile::permissions(catalogue);
        QVERIFY(QFile::setPermissions(catalogue, QFile::ReadOwner | QFile::ExeOwner));
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QApplication::clipboard()->setImage(picture);
        F_HAIR->MenuItem(QStringLiteral("Colar1"))->trigger();
        QFile::setPermissions(catalogue, before);
        QCOMPARE(m_messages, QStringList({QStringLiteral("A pasta do salão não permite gravação. Inicie o Quenda "
                                                         "com --home e uma pasta onde seja possível gravar.")}));
        QVERIFY(!F_HAIR->ActiveComposition());
    }

    void commandLineTakesHomeAndPhotos()
    {
        const CommandLine plain = CommandLine::Parse({"quenda"}, QStringLiteral("/opt/q"));
        QCOMPARE(plain.appDir, QStringLiteral("/opt/q/"));
        QVERIFY(plain.error.isEmpty());
        const CommandLine home = CommandLine::Parse({"quenda", "--home", m_salon->AppDir(), "a.jpg"}, "/opt/q");
        QCOMPARE(home.appDir, m_salon->AppDir());
        QCOMPARE(home.photos.size(), 1);
        QVERIFY2(home.photos[0].endsWith(QStringLiteral("/a.jpg")), qPrintable(home.photos[0]));
        QVERIFY(!CommandLine::Parse({"quenda", "--home"}, "/opt/q").error.isEmpty());
        QVERIFY(!CommandLine::Parse({"quenda", "--home", "/nao/existe"}, "/opt/q").error.isEmpty());
        QVERIFY(!CommandLine::Parse({"quenda", "--bogus"}, "/opt/q").error.isEmpty());
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
