#include "TF_HAIR.h"

#include "BusyCursor.h"
#include "CommandState.h"
#include "HairFaceFitter.h"
#include "HairFiles.h"
#include "HairSoftEdge.h"
#include "HairImport.h"
#include "THairImportDialog.h"
#include "ImageCursors.h"
#include "TColourPanel.h"
#include "MainPrintHost.h"
#include "TComboBox.h"
#include "TF_FILHO.h"
#include "TF_QSTART.h"
#include "TF_SOBRE.h"
#include "TF_THUMBS.h"
#include "TFormScaler.h"
#include "TGradientPanel.h"
#include "THelpViewer.h"
#include "TImage.h"
#include "TImageIO.h"
#include "TImageProc.h"
#include "TImageView.h"
#include "EConvertError.h"
#include "MessageBoxes.h"
#include "TLanguage.h"
#include "TMenuItem.h"
#include "TOpenImageDialog.h"
#include "PictureImage.h"
#include "RetouchBridge.h"
#include "TF_DRAW.h"
#include "TPrinterSetupDialog.h"
#include "TSaveImageDialog.h"
#include "TwainSource.h"
#include "TResizeHandle.h"
#include "TToolItem.h"
#include "ToolbarGlyphs.h"
#include "TranslationPaths.h"
#include "TViewBase.h"
#include "WholePhotoFit.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

TF_HAIR *F_HAIR = nullptr;

namespace {
const QStringList kCategories = {
    QStringLiteral("Curtos e Claros"),  QStringLiteral("Curtos e Escuros"),
    QStringLiteral("Médios e Claros"),  QStringLiteral("Médios e Escuros"),
    QStringLiteral("Longos e Claros"),  QStringLiteral("Longos e Escuros"),
    QStringLiteral("Masculinos"),
};
// Each half of a before-and-after picture, for sending to the client.
constexpr int kBeforeAfterHeight = 2048;
} // namespace

TF_HAIR::TF_HAIR(const QString &appDir, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("F_HAIR"));
    m_handOff.AppDir = appDir;
    F_HAIR = this;
    FormCreate();
}

TF_HAIR::~TF_HAIR()
{
    // The frame's children outlive this part of the object: they must not
    // call back into it while the base destructors take them down.
    disconnect(m_mdi, nullptr, this, nullptr);
    for (TF_FILHO *composition : Compositions())
        delete composition;
    if (F_HAIR == this)
        F_HAIR = nullptr;
}

void TF_HAIR::SetMessageSink(MessageSink sink)
{
    MessageBoxes::SetSink(std::move(sink));
}

QString TF_HAIR::TranslateText(const QString &text) const
{
    return L1 ? L1->TranslateText(text) : text;
}

void TF_HAIR::ShowMessage(const QString &text, const QString &caption)
{
    MessageBoxes::Information(this, TranslateText(text), caption);
}

void TF_HAIR::ShowFileMessage(const QString &text, const QString &fileName, const QString &caption)
{
    // The name stays out of the translated text, so the language file's
    // entry for the text matches whatever file it is about.
    MessageBoxes::Information(this, TranslateText(text) + QLatin1Char('\n') + QDir::toNativeSeparators(fileName),
                              caption);
}

void TF_HAIR::SetQuestionSink(QuestionSink sink)
{
    MessageBoxes::SetQuestionSink(std::move(sink));
}

void TF_HAIR::FormCreate()
{
    // AppDir was given by the program start (the program file's folder,
    // or the salon folder named with --home).
    setWindowTitle(QStringLiteral("QUENDA 5 - Simulação de Cabelos"));
    m_handOff.HairType = QStringLiteral("0");
    m_handOff.ReplayPending = false;
    m_lassoActive = false;
    m_handOff.FromClipboard = false;
    m_handOff.InsertPending = false;
    m_handOff.FromFile = false;
    m_handOff.CaptureCount = 0;
    m_handOff.CatalogueFolder = QStringLiteral("Quenda5");

    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MdiClient"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_mdi->setBackground(QColor(0x80, 0x80, 0x80));
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &TF_HAIR::compositionActivated);

    CB_TIPO = new TComboBox(QStringLiteral("CB_TIPO"), this);
    CB_TIPO->SetItems(kCategories);
    CB_TIPO->SetHint(QStringLiteral("Tipos de Cabelos"));
    CB_TIPO->hide();

    ImageView1 = new TImageView(this);
    ImageView1->setObjectName(QStringLiteral("ImageView1"));
    ImageView1->SetAutoFit(true);
    ImageView1->hide();
    ImageIO1 = new TImageIO(QStringLiteral("ImageIO1"), ImageView1, this);
    ImageProc1 = new TImageProc(QStringLiteral("ImageProc1"), ImageView1, this);
    OD_ABRIR = new TOpenImageDialog(QStringLiteral("OD_ABRIR"), this);
    PSD_CONFIG = new TPrinterSetupDialog(QStringLiteral("PSD_CONFIG"), this);
    SD_SALVAR = new TSaveImageDialog(QStringLiteral("SD_SALVAR"), this);
    m_printing = std::make_unique<MainPrintHost>(*this);
    Twain = new TwainSource(QStringLiteral("Twain"), this);

    GradientPanel1 = new TGradientPanel(QStringLiteral("GradientPanel1"), 257, 242, this);
    GradientPanel1->SetColours(Qt::gray, QColor(0xC0, 0xC0, 0xC0));
    GradientPanel1->move(264, 39);
    GradientPanel1->hide();
    ColourPanel = new TColourPanel(this, GradientPanel1);
    connect(GradientPanel1, &TGradientPanel::Resized, this, &TF_HAIR::GradientPanel1Resize);

    buildMenus();
    buildToolBar();
    statusBar();

    FormScaler1 = new TFormScaler(QStringLiteral("FormScaler1"), this);
    setAcceptDrops(true);

    // Translation last, once every named component exists.
    L1 = new TLanguage(this);
    L1->setObjectName(QStringLiteral("L1"));
    L1->setLanguageFile(m_handOff.AppDir + QStringLiteral("language.lng"));
    TranslationPaths::assignTo(*L1, QStringLiteral("F_HAIR"));
    // A bad value ends this window's translation, reported like any
    // unhandled error; the window itself stays usable.
    try {
        L1->Translate();
    } catch (const EConvertError &error) {
        MessageBoxes::ReportException(this, error);
    }

    CB_TIPO->setCurrentIndex(0);
    // The first activation evaluates the rule again; until then nothing
    // that needs a composition may look available.
    UpdateCommandState(true);
}

TMenuItem *TF_HAIR::addEntry(QMenu *menu, const QString &name, const QString &caption,
                             const QKeySequence &key, void (TF_HAIR::*handler)())
{
    auto *item = new TMenuItem(name, caption, this);
    if (!key.isEmpty())
        item->setShortcut(key);
    if (handler)
        connect(item, &QAction::triggered, this, handler);
    menu->addAction(item);
    m_menuItems.insert(name, item);
    return item;
}

void TF_HAIR::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MM_MENU"));
    auto menuFor = [this, bar](const QString &name, const QString &caption) {
        auto *item = new TMenuItem(name, caption, this);
        auto *menu = new QMenu(this);
        menu->setObjectName(name + QStringLiteral("Menu"));
        item->setMenu(menu);
        bar->addAction(item);
        m_menuItems.insert(name, item);
        return menu;
    };
    auto separator = [](QMenu *menu, const QString &name) {
        QAction *s = menu->addSeparator();
        s->setObjectName(name);
    };

    QMenu *arquivo = menuFor(QStringLiteral("Arquivo1"), QStringLiteral("&Arquivo"));
    addEntry(arquivo, QStringLiteral("AbrirFoto1"), QStringLiteral("&Abrir Foto"), QKeySequence(Qt::CTRL | Qt::Key_O), &TF_HAIR::AbrirFoto1Click);
    addEntry(arquivo, QStringLiteral("Fechar1"), QStringLiteral("&Fechar"), QKeySequence(Qt::CTRL | Qt::Key_F4), &TF_HAIR::Fechar1Click);
    addEntry(arquivo, QStringLiteral("FecharTudo1"), QStringLiteral("F&echar Tudo"), {}, &TF_HAIR::FecharTudo1Click);
    separator(arquivo, QStringLiteral("N1"));
    addEntry(arquivo, QStringLiteral("Salvar1"), QStringLiteral("&Salvar"), QKeySequence(Qt::CTRL | Qt::Key_S), &TF_HAIR::Salvar1Click);
    addEntry(arquivo, QStringLiteral("Salvarcomo1"), QStringLiteral("Salvar &Como..."), QKeySequence(Qt::CTRL | Qt::Key_A), &TF_HAIR::Salvarcomo1Click);
    separator(arquivo, QStringLiteral("N2"));
    addEntry(arquivo, QStringLiteral("ConfigurarImpressora1"), QStringLiteral("Configurar I&mpressora"), QKeySequence(Qt::CTRL | Qt::Key_I), &TF_HAIR::ConfigurarImpressora1Click);
    addEntry(arquivo, QStringLiteral("Imprimir1"), QStringLiteral("&Imprimir"), QKeySequence(Qt::CTRL | Qt::Key_P), &TF_HAIR::Imprimir1Click);
    addEntry(arquivo, QStringLiteral("PrintPreview1"), QStringLiteral("&Visualizar Impressão"), QKeySequence(Qt::CTRL | Qt::Key_W), &TF_HAIR::PrintPreview1Click);
    separator(arquivo, QStringLiteral("N3"));
    addEntry(arquivo, QStringLiteral("Sair1"), QStringLiteral("Sai&r"), QKeySequence(Qt::CTRL | Qt::Key_X), &TF_HAIR::Sair1Click);

    QMenu *editar = menuFor(QStringLiteral("Editar1"), QStringLiteral("&Editar"));
    addEntry(editar, QStringLiteral("Undo1"), QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), &TF_HAIR::Undo1Click);
    addEntry(editar, QStringLiteral("Copiar1"), QStringLiteral("&Copiar"), QKeySequence(Qt::CTRL | Qt::Key_C), &TF_HAIR::Copiar1Click);
    addEntry(editar, QStringLiteral("Colar1"), QStringLiteral("Co&lar"), QKeySequence(Qt::CTRL | Qt::Key_V), &TF_HAIR::Colar1Click);
    separator(editar, QStringLiteral("N5"));
    addEntry(editar, QStringLiteral("Inserir1"), QStringLiteral("&Inserir"), QKeySequence(Qt::Key_Insert), &TF_HAIR::Inserir1Click);
    addEntry(editar, QStringLiteral("ApagarCabelo1"), QStringLiteral("&Apagar"), QKeySequence(Qt::Key_Delete), &TF_HAIR::ApagarCabelo1Click);
    addEntry(editar, QStringLiteral("Redimensionar1"), QStringLiteral("&Redimensionar"), QKeySequence(Qt::Key_F3), &TF_HAIR::Redimensionar1Click);

    QMenu *imagem = menuFor(QStringLiteral("Imagem1"), QStringLiteral("&Imagem"));
    addEntry(imagem, QStringLiteral("Replay1"), QStringLiteral("&Replay"), QKeySequence(Qt::CTRL | Qt::Key_R), &TF_HAIR::Replay1Click);
    addEntry(imagem, QStringLiteral("Zoom1"), QStringLiteral("Zoom &Out"), QKeySequence(Qt::Key_F8), &TF_HAIR::Zoom1Click);
    addEntry(imagem, QStringLiteral("Zoom2"), QStringLiteral("Zoom &In"), QKeySequence(Qt::Key_F9), &TF_HAIR::Zoom2Click);
    // Ctrl+O belongs to "&Abrir Foto", first in menu order: two actions
    // bound to one key would swallow it, so this entry only shows the key.
    TMenuItem *original = addEntry(imagem, QStringLiteral("tamanhoOriginal1"), QStringLiteral("Tamanho &Original"), {}, &TF_HAIR::tamanhoOriginal1Click);
    original->SetShownKey(QKeySequence(Qt::CTRL | Qt::Key_O).toString(QKeySequence::NativeText));
    separator(imagem, QStringLiteral("N4"));
    addEntry(imagem, QStringLiteral("CapturaTWAIN1"), QStringLiteral("&Captura TWAIN"), {}, &TF_HAIR::CapturaTWAIN1Click);
    addEntry(imagem, QStringLiteral("SelecionarCapturaTWAIN1"), QStringLiteral("&Selecionar Captura TWAIN"), {}, &TF_HAIR::SelecionarCapturaTWAIN1Click);
    separator(imagem, QStringLiteral("N6"));
    auto *collections = new QActionGroup(this);
    collections->setExclusive(true);
    TMenuItem *v50 = addEntry(imagem, QStringLiteral("Visualizador50"), QStringLiteral("&Visualizador Quenda 5.0"), QKeySequence(Qt::Key_F12), &TF_HAIR::Visualizador50Click);
    TMenuItem *v42 = addEntry(imagem, QStringLiteral("Visualizador42"), QStringLiteral("Pelvane Collection I"), QKeySequence(Qt::Key_F11), &TF_HAIR::Visualizador42Click);
    for (TMenuItem *v : {v50, v42}) {
        v->setCheckable(true);
        collections->addAction(v);
    }
    v50->setChecked(true);
    // Fitting to the face: beside the placement commands, enabled with them.
    separator(imagem, QStringLiteral("N16"));
    addEntry(imagem, QStringLiteral("AjustarRosto1"), QStringLiteral("Ajustar ao &Rosto"), QKeySequence(Qt::CTRL | Qt::Key_J), &TF_HAIR::AjustarRosto1Click);
    TMenuItem *autoFit = addEntry(imagem, QStringLiteral("AjusteAutomatico1"), QStringLiteral("Ajuste &Automático"), {}, nullptr);
    autoFit->setCheckable(true);
    autoFit->setChecked(false);
    addEntry(imagem, QStringLiteral("GravarAjuste1"), QStringLiteral("&Gravar Ajuste"), {}, &TF_HAIR::GravarAjuste1Click);
    // Appended: the enabling rule counts this menu's first entries by position.
    separator(imagem, QStringLiteral("N7"));
    addEntry(imagem, QStringLiteral("FotoInteira1"), QStringLiteral("Foto &Inteira"),
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), &TF_HAIR::FotoInteira1Click);
    // Growing the catalogue needs no photo open, so it is never disabled.
    separator(imagem, QStringLiteral("N_IMPORTAR"));
    addEntry(imagem, QStringLiteral("ImportarCabelo1"), QStringLiteral("&Importar Cabelo..."), {}, &TF_HAIR::ImportarCabelo1Click);

    QMenu *ajuste = menuFor(QStringLiteral("AjustedeImagem1"), QStringLiteral("Aj&uste"));
    addEntry(ajuste, QStringLiteral("Foto1"), QStringLiteral("&Foto"), {}, &TF_HAIR::AjusteFoto1Click);
    addEntry(ajuste, QStringLiteral("Cabelo1"), QStringLiteral("&Cabelo"), {}, &TF_HAIR::AjusteCabelo1Click);
    addEntry(ajuste, QStringLiteral("ColorPanel1"), QStringLiteral("Color &Panel"), QKeySequence(Qt::Key_F10), &TF_HAIR::ColorPanel1Click);
    addEntry(ajuste, QStringLiteral("Flip1"), QStringLiteral("&Flip"), QKeySequence(Qt::CTRL | Qt::Key_F), &TF_HAIR::Flip1Click);

    QMenu *retoque = menuFor(QStringLiteral("Desenho1"), QStringLiteral("&Retoque"));
    addEntry(retoque, QStringLiteral("RetoqueCabelo1"), QStringLiteral("&Cabelo"), {}, &TF_HAIR::RetoqueCabelo1Click);
    addEntry(retoque, QStringLiteral("RetoqueFoto1"), QStringLiteral("&Foto"), {}, &TF_HAIR::RetoqueFoto1Click);

    QMenu *virtualColor = menuFor(QStringLiteral("VirtualColor1"), QStringLiteral("&Virtual Color"));
    const struct {
        const char *name;
        const char *caption;
        QKeySequence key;
        void (TF_HAIR::*handler)();
    } presets[] = {
        {"Amarelo1", "&Amarelo", QKeySequence(Qt::Key_F4), &TF_HAIR::Amarelo1Click},
        {"Marrom1", "&Marrom", QKeySequence(Qt::Key_F5), &TF_HAIR::Marrom1Click},
        {"Vermelho1", "&Vermelho", QKeySequence(Qt::Key_F6), &TF_HAIR::Vermelho1Click},
        {"Preto1", "&Preto", QKeySequence(Qt::Key_F7), &TF_HAIR::Preto1Click},
        {"Normal1", "&Normal", QKeySequence(Qt::CTRL | Qt::Key_N), &TF_HAIR::Normal1Click},
    };
    for (const auto &p : presets)
        addEntry(virtualColor, QString::fromLatin1(p.name), QString::fromUtf8(p.caption), p.key, p.handler);

    QMenu *janela = menuFor(QStringLiteral("Janela1"), QStringLiteral("&Janela"));
    addEntry(janela, QStringLiteral("ArranjarIcones1"), QStringLiteral("&Arranjar Ícones"), {}, &TF_HAIR::ArranjarIcones1Click);
    addEntry(janela, QStringLiteral("LadoALado1"), QStringLiteral("Lado a &Lado"), {}, &TF_HAIR::LadoALado1Click);
    addEntry(janela, QStringLiteral("Cascata1"), QStringLiteral("&Cascata"), {}, &TF_HAIR::Cascata1Click);
    // The list of open compositions follows; it is filled as windows come and go.
    separator(janela, QStringLiteral("N8"));
    connect(janela, &QMenu::aboutToShow, this, &TF_HAIR::rebuildWindowList);

    QMenu *ajuda = menuFor(QStringLiteral("Ajuda1"), QStringLiteral("A&juda"));
    addEntry(ajuda, QStringLiteral("Ajuda2"), QStringLiteral("&Tópicos de Ajuda"), QKeySequence(Qt::Key_F1), &TF_HAIR::Ajuda2Click);
    addEntry(ajuda, QStringLiteral("QuickStart"), QStringLiteral("&Primeiros Passos"), QKeySequence(Qt::Key_F2), &TF_HAIR::QuickStartClick);
    addEntry(ajuda, QStringLiteral("SobreoPrograma1"), QStringLiteral("&Sobre o Programa"), {}, &TF_HAIR::SobreoPrograma1Click);

    {
        // Photographic output. Kept out of the positions the enabling rule
        // counts (see MenuEntry), wherever they stand in their menus.
        QAction *after = MenuItem(QStringLiteral("Salvarcomo1"));
        const QList<QAction *> entries = arquivo->actions();
        QAction *before = entries.value(entries.indexOf(after) + 1);
        TMenuItem *hiRes = addEntry(arquivo, QStringLiteral("SalvarAltaResolucao1"), QStringLiteral("Salvar em Alta &Resolução..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &TF_HAIR::SalvarAltaResolucao1Click);
        TMenuItem *pair = addEntry(arquivo, QStringLiteral("SalvarAntesDepois1"), QStringLiteral("Salvar Antes e &Depois..."), {}, &TF_HAIR::SalvarAntesDepois1Click);
        arquivo->removeAction(hiRes);
        arquivo->removeAction(pair);
        arquivo->insertAction(before, hiRes);
        arquivo->insertAction(before, pair);
        TMenuItem *soft = addEntry(imagem, QStringLiteral("BordasSuaves1"), QStringLiteral("Bordas &Suaves"), {}, &TF_HAIR::BordasSuaves1Click);
        soft->setCheckable(true);
        soft->setChecked(false);
        for (QAction *a : {static_cast<QAction *>(hiRes), static_cast<QAction *>(pair), static_cast<QAction *>(soft)})
            a->setProperty("quendaAddedEntry", true);
    }
}

TToolItem *TF_HAIR::addTool(const QString &name, const QString &section, const QString &caption,
                            const QString &hint, void (TF_HAIR::*handler)())
{
    if (section != m_lastSection) {
        if (!m_lastSection.isEmpty())
            ToolBar1->addSeparator();
        auto *label = new QLabel(section, ToolBar1);
        label->setObjectName(QStringLiteral("Section") + section);
        QFont f = label->font();
        f.setPointSizeF(qMax(5.5, f.pointSizeF() * 0.7));
        f.setBold(true);
        label->setFont(f);
        label->setStyleSheet(QStringLiteral("color: #505050; padding: 0 3px;"));
        ToolBar1->addWidget(label);
        m_lastSection = section;
    }
    auto *item = new TToolItem(name, section, caption, hint, this);
    item->setIcon(ToolbarGlyphs::Glyph(name));
    if (handler)
        connect(item, &QAction::triggered, this, handler);
    ToolBar1->addAction(item);
    if (auto *button = qobject_cast<QToolButton *>(ToolBar1->widgetForAction(item)))
        button->setFixedSize(29, 29);
    m_toolItems.insert(name, item);
    return item;
}

void TF_HAIR::buildToolBar()
{
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(22, 22));
    ToolBar1->setFixedHeight(37);
    ToolBar1->setContentsMargins(4, 0, 4, 0);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);

    const QString arquivo = QStringLiteral("ARQUIVO"), editar = QStringLiteral("EDITAR"),
                  captura = QStringLiteral("CAPTURA"), imagem = QStringLiteral("IMAGEM"),
                  cabelos = QStringLiteral("CABELOS"), saida = QStringLiteral("SAIDA");
    addTool(QStringLiteral("BT_Abrir"), arquivo, QStringLiteral("Abrir"), QStringLiteral("Abrir Foto"), &TF_HAIR::AbrirFoto1Click);
    addTool(QStringLiteral("BT_Salvar"), arquivo, QStringLiteral("Salvar"), QStringLiteral("Salvar"), &TF_HAIR::Salvar1Click);
    addTool(QStringLiteral("BT_Imprimir"), arquivo, QStringLiteral("Imprimir"), QStringLiteral("Imprimir"), &TF_HAIR::Imprimir1Click);
    addTool(QStringLiteral("BT_PREVIEW"), editar, QString(), QStringLiteral("Visualizar Impressão"), &TF_HAIR::PrintPreview1Click);
    addTool(QStringLiteral("BT_Original"), editar, QStringLiteral("Tamanho Original"), QStringLiteral("Foto e Cabelo Originais"), &TF_HAIR::tamanhoOriginal1Click);
    addTool(QStringLiteral("BT_Replay"), editar, QStringLiteral("Replay"), QStringLiteral("Replay"), &TF_HAIR::Replay1Click);
    addTool(QStringLiteral("BT_Captura"), captura, QStringLiteral("Captura TWAIN"), QStringLiteral("Captura TWAIN|"), &TF_HAIR::CapturaTWAIN1Click);

    m_tools = new QActionGroup(this);
    m_tools->setExclusive(true);
    const struct {
        const char *name;
        const char *hint;
        void (TF_HAIR::*handler)();
    } tools[] = {
        {"BT_SCROLL", "Mover", &TF_HAIR::BT_SCROLLClick},
        {"BT_MOVE", "Redimensionar", &TF_HAIR::BT_MOVEClick},
        {"BT_ZOOM", "Zoom", &TF_HAIR::BT_ZOOMClick},
        {"BT_LACO", "Selecionar", &TF_HAIR::BT_LACOClick},
    };
    for (const auto &t : tools) {
        TToolItem *item = addTool(QString::fromLatin1(t.name), imagem, QString(), QString::fromUtf8(t.hint), t.handler);
        item->setCheckable(true);
        m_tools->addAction(item);
    }
    ToolItem(QStringLiteral("BT_SCROLL"))->setChecked(true);
    // Down while the panel is shown; every command that hides it lets it up.
    TToolItem *sliders = addTool(QStringLiteral("BT_SLIDERS"), imagem, QString(), QStringLiteral("Cores Cabelo"), &TF_HAIR::BT_SLIDERSClick);
    sliders->setCheckable(true);

    addTool(QStringLiteral("BT_Thumbs"), cabelos, QStringLiteral("Thumbnails"), QStringLiteral("Ver & Abrir Fotos"), &TF_HAIR::BT_ThumbsClick);
    const char *categoryButtons[] = {"BT_CC", "BT_CE", "BT_MC", "BT_ME", "BT_LC", "BT_LE", "BT_M"};
    void (TF_HAIR::*categoryHandlers[])() = {&TF_HAIR::BT_CCClick, &TF_HAIR::BT_CEClick, &TF_HAIR::BT_MCClick,
                                             &TF_HAIR::BT_MEClick, &TF_HAIR::BT_LCClick, &TF_HAIR::BT_LEClick,
                                             &TF_HAIR::BT_MClick};
    for (int tag = 0; tag < 7; ++tag) {
        TToolItem *item = addTool(QString::fromLatin1(categoryButtons[tag]), cabelos, QString(),
                                  QStringLiteral("Ver/Abrir ") + kCategories[tag], categoryHandlers[tag]);
        item->SetTag(tag);
    }
    addTool(QStringLiteral("BT_Sair"), saida, QStringLiteral("Sair"), QStringLiteral("Sair|"), &TF_HAIR::Sair1Click);
}

QString TF_HAIR::CategoryName(int code) const
{
    if (code < 0 || code >= CB_TIPO->count())
        return {};
    return CB_TIPO->itemText(code);
}

QString TF_HAIR::OpenDialogFileName() const
{
    return OD_ABRIR->FileName();
}

ImageStatus TF_HAIR::LoadHairThroughScratch(const QString &path, Picture24 &hair)
{
    const ImageStatus status = ImageIO1->LoadFromFileGIF(path);
    if (status)
        hair = ImageView1->Bitmap();
    return status;
}

bool TF_HAIR::ZoomToolDown() const
{
    return ToolItem(QStringLiteral("BT_ZOOM"))->isChecked();
}

QList<TF_FILHO *> TF_HAIR::Compositions() const
{
    QList<TF_FILHO *> list;
    // A composition on its way out is no longer a TF_FILHO to qobject_cast
    // (its destroyed signal comes from the base destructors), so it drops
    // out of the list at once.
    for (const QPointer<QObject> &c : m_compositions)
        if (auto *composition = qobject_cast<TF_FILHO *>(c.data()))
            list << composition;
    return list;
}

TF_FILHO *TF_HAIR::ActiveComposition() const
{
    QMdiSubWindow *window = m_mdi->activeSubWindow();
    if (!window)
        window = m_mdi->currentSubWindow();
    auto *composition = window ? qobject_cast<TF_FILHO *>(window->widget()) : nullptr;
    if (composition && Compositions().contains(composition) && window->isVisible())
        return composition;
    return nullptr;
}

QAction *TF_HAIR::MenuAction(int menu) const
{
    const QList<QAction *> menus = menuBar()->actions();
    return (menu >= 0 && menu < menus.size()) ? menus[menu] : nullptr;
}

QAction *TF_HAIR::MenuEntry(int menu, int entry) const
{
    QAction *top = MenuAction(menu);
    if (!top || !top->menu())
        return nullptr;
    QList<QAction *> entries = top->menu()->actions();
    entries.removeIf([](QAction *a) { return a->property("quendaAddedEntry").toBool(); });
    return (entry >= 0 && entry < entries.size()) ? entries[entry] : nullptr;
}

void TF_HAIR::UpdateCommandState(bool countsActive)
{
    const bool on = CommandState::StateValue(CompositionCount(), m_handOff.ClosingAll, countsActive);
    // Addressed by position: the menu order is part of the rule.
    for (int entry : {1, 2, 4, 5, 8, 9})
        MenuEntry(0, entry)->setEnabled(on);
    for (int entry : {0, 1, 4, 5, 6})
        MenuEntry(1, entry)->setEnabled(on);
    for (int entry : {0, 1, 2, 3})
        MenuEntry(2, entry)->setEnabled(on);
    for (int menu : {3, 4, 5})
        MenuAction(menu)->setEnabled(on);
    for (const char *name : {"AjustarRosto1", "AjusteAutomatico1", "GravarAjuste1"})
        MenuItem(QString::fromLatin1(name))->setEnabled(on);
    MenuItem(QStringLiteral("FotoInteira1"))->setEnabled(on);
    rebuildWindowList();
    // The soft-edge option is a setting, available with or without a window.
    for (const char *name : {"SalvarAltaResolucao1", "SalvarAntesDepois1"})
        MenuItem(QString::fromLatin1(name))->setEnabled(on);
    for (const char *name : {"BT_Salvar", "BT_Imprimir", "BT_Replay", "BT_Original", "BT_ZOOM",
                             "BT_PREVIEW", "BT_SCROLL", "BT_MOVE", "BT_LACO", "BT_SLIDERS"})
        ToolItem(QString::fromLatin1(name))->setEnabled(on);
}

void TF_HAIR::FormActivate()
{
    move(0, 0);
    m_handOff.ClosingAll = false;
    UpdateCommandState(true);
}

bool TF_HAIR::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(event);
}

TF_FILHO *TF_HAIR::OpenChild()
{
    auto *composition = new TF_FILHO(this);
    if (!composition->Built()) {
        const QString why = composition->BuildError();
        const QString file = composition->BuildErrorFile();
        delete composition;
        if (file.isEmpty())
            ShowMessage(why, QStringLiteral("QUENDA"));
        else
            ShowFileMessage(why, file, QStringLiteral("QUENDA"));
        return nullptr;
    }
    m_compositions << composition;
    connect(composition, &QObject::destroyed, this, [this](QObject *gone) {
        m_compositions.removeIf([gone](const QPointer<QObject> &c) { return c.isNull() || c.data() == gone; });
    });
    QMdiSubWindow *window = m_mdi->addSubWindow(composition, Qt::SubWindow | Qt::WindowTitleHint
                                                                 | Qt::WindowSystemMenuHint
                                                                 | Qt::WindowMinimizeButtonHint
                                                                 | Qt::WindowCloseButtonHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowIcon(ToolbarGlyphs::Glyph(QStringLiteral("Composition")));
    // The sub-window's own menu shortcuts would make Ctrl+F4 ambiguous with
    // "&Fechar".
    window->setSystemMenu(nullptr);
    window->show();
    composition->SetClientSize(TF_FILHO::kClientWidth, TF_FILHO::kClientHeight);
    composition->setFocus();
    if (m_mdi->activeSubWindow() == window)
        composition->FormActivate();
    UpdateCommandState(true);
    return composition;
}

void TF_HAIR::compositionActivated(QMdiSubWindow *window)
{
    rebuildWindowList();
    if (auto *composition = window ? qobject_cast<TF_FILHO *>(window->widget()) : nullptr)
        composition->FormActivate();
}

void TF_HAIR::CompositionClosing(TF_FILHO *composition)
{
    ColourPanel->CompositionClosing(composition);
    UpdateCommandState(false);
}

void TF_HAIR::selectMoveToolIfEnabled()
{
    QAction *scroll = ToolItem(QStringLiteral("BT_SCROLL"));
    if (scroll->isEnabled())
        scroll->trigger();
}

void TF_HAIR::ClickMoveTool()
{
    selectMoveToolIfEnabled();
}

void TF_HAIR::hideColourPanel()
{
    GradientPanel1->hide();
    ToolItem(QStringLiteral("BT_SLIDERS"))->setChecked(false);
}

void TF_HAIR::ApplyPreset(TF_FILHO *composition, int number)
{
    if (!composition)
        return;
    BusyCursor busy;
    composition->ApplyPresetNumber(number);
    if (PresetHook)
        PresetHook(composition, number);
}

// ---------------------------------------------------------------- photos

void TF_HAIR::AbrirFoto1Click()
{
    QDir::setCurrent(m_handOff.AppDir);
    selectMoveToolIfEnabled();
    OD_ABRIR->SetInitialDir(m_handOff.AppDir);
    if (OD_ABRIR->Execute()) {
        m_handOff.FromFile = true;
        switchCollection(QStringLiteral("Quenda5"), false);
        if (QFileInfo(OD_ABRIR->FileName()).isFile())
            OpenChild();
        else
            ShowFileMessage(QStringLiteral("Arquivo não encontrado."), OD_ABRIR->FileName(), QStringLiteral("WARNING"));
    }
    m_handOff.FromFile = false;
}

void TF_HAIR::OpenPhotoFile(const QString &fileName)
{
    selectMoveToolIfEnabled();
    OD_ABRIR->SetFileName(QFileInfo(fileName).absoluteFilePath());
    m_handOff.FromFile = true;
    switchCollection(QStringLiteral("Quenda5"), false);
    if (QFileInfo(OD_ABRIR->FileName()).isFile())
        OpenChild();
    else
        ShowFileMessage(QStringLiteral("Arquivo não encontrado."), OD_ABRIR->FileName(), QStringLiteral("WARNING"));
    m_handOff.FromFile = false;
}

void TF_HAIR::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TF_HAIR::dropEvent(QDropEvent *event)
{
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            OpenPhotoFile(url.toLocalFile());
    event->acceptProposedAction();
}

void TF_HAIR::CapturaTWAIN1Click()
{
    selectMoveToolIfEnabled();
    Picture24 picture;
    const ImageStatus status = Twain->Acquire(this, picture);
    if (!status) {
        ShowMessage(QStringLiteral("Captura Twain falhou."), QStringLiteral("QUENDA"));
        return;
    }
    ImageView1->SetBitmap(std::move(picture));
    // The capture travels through the clipboard, as a paste does.
    ImageProc1->CopyToClipboard();
    if (TImageProc::ClipboardHasBitmap())
        openFromClipboard();
}

void TF_HAIR::openFromClipboard()
{
    // Captures and pastes share the numbering of their Temp files.
    m_handOff.CaptureCount += 1;
    m_handOff.FromClipboard = true;
    OpenChild();
    m_handOff.FromClipboard = false;
}

void TF_HAIR::SelecionarCapturaTWAIN1Click()
{
    Twain->SelectSource(this);
}

void TF_HAIR::Salvar1Click()
{
    // Save fixes a resized hair first, whatever the tool's state; otherwise
    // it is Save As.
    BT_SCROLLClick();
    Salvarcomo1Click();
}

void TF_HAIR::Salvarcomo1Click()
{
    TF_FILHO *c = ActiveComposition();
    if (!c)
        return;
    SD_SALVAR->SetInitialDir(m_handOff.AppDir);
    if (!SD_SALVAR->Execute())
        return;
    // The composition as drawn: the photo at its zoom and scroll, the hair
    // at its place, cut to the client area.
    ImageView1->SetBitmap(PictureImage::FromQImage(c->grab().toImage(), c->palette().color(QPalette::Window)));
    ImageIO1->Options() = SD_SALVAR->Options();
    const ImageStatus status = ImageIO1->SaveToFile(SD_SALVAR->FileName());
    if (!status)
        ShowFileMessage(QString::fromStdString(status.message), SD_SALVAR->FileName(), QStringLiteral("QUENDA"));
}

// ------------------------------------------------------ photographic output

bool TF_HAIR::SoftEdgesOn() const
{
    const TMenuItem *item = MenuItem(QStringLiteral("BordasSuaves1"));
    return item && item->isChecked();
}

void TF_HAIR::BordasSuaves1Click()
{
    const bool on = SoftEdgesOn();
    for (TF_FILHO *c : Compositions())
        c->SetSoftEdges(on);
}

void TF_HAIR::savePicture(const Picture24 &picture)
{
    SD_SALVAR->SetInitialDir(m_handOff.AppDir);
    if (!SD_SALVAR->Execute())
        return;
    ImageStatus status;
    {
        BusyCursor busy;
        ImageView1->SetBitmap(picture);
        ImageIO1->Options() = SD_SALVAR->Options();
        status = ImageIO1->SaveToFile(SD_SALVAR->FileName());
    }
    if (!status)
        ShowMessage(QString::fromStdString(status.message) + QStringLiteral("\n") + SD_SALVAR->FileName(),
                    QStringLiteral("QUENDA"));
}

void TF_HAIR::SalvarAltaResolucao1Click()
{
    TF_FILHO *c = ActiveComposition();
    if (!c)
        return;
    // A resize in progress is part of what the user sees: take it as drawn.
    Picture24 picture;
    {
        BusyCursor busy;
        picture = c->FullResolution();
    }
    savePicture(picture);
}

void TF_HAIR::SalvarAntesDepois1Click()
{
    TF_FILHO *c = ActiveComposition();
    if (!c)
        return;
    Picture24 picture;
    {
        BusyCursor busy;
        picture = HairSoftEdge::SideBySide(c->Image1->Bitmap(), c->FullResolution(), kBeforeAfterHeight);
    }
    savePicture(picture);
}

void TF_HAIR::Fechar1Click()
{
    if (QMdiSubWindow *window = m_mdi->activeSubWindow())
        window->close();
    UpdateCommandState(false);
}

void TF_HAIR::FecharTudo1Click()
{
    // Closed windows go away only after this loop, but walk a copy anyway.
    const QList<QMdiSubWindow *> windows = m_mdi->subWindowList();
    for (QMdiSubWindow *window : windows)
        window->close();
    m_handOff.ClosingAll = true;
    UpdateCommandState(false);
    m_handOff.ClosingAll = false;
}

void TF_HAIR::Sair1Click()
{
    // Ctrl+X is also what people press to cut: never drop work unasked.
    if (!ConfirmLeaving())
        return;
    FecharTudo1Click();
    close();
}

bool TF_HAIR::ConfirmLeaving()
{
    if (m_leaveConfirmed || Compositions().isEmpty())
        return true;
    m_leaveConfirmed = MessageBoxes::Question(
        this, TranslateText(QStringLiteral("Deseja sair do Quenda? As composições abertas serão fechadas.")),
        QStringLiteral("QUENDA"), TranslateText(QStringLiteral("Sim")), TranslateText(QStringLiteral("Não")));
    return m_leaveConfirmed;
}

void TF_HAIR::closeEvent(QCloseEvent *event)
{
    if (!ConfirmLeaving()) {
        event->ignore();
        return;
    }
    // Leaving closes every composition, then the browser, then this window.
    if (!Compositions().isEmpty())
        FecharTudo1Click();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != this && w->objectName() == QLatin1String("F_THUMBS"))
            w->close();
    if (m_help)
        m_help->close();
    QMainWindow::closeEvent(event);
    // The answer holds for this leaving only.
    m_leaveConfirmed = false;
    if (event->isAccepted())
        QApplication::quit();
}

void TF_HAIR::ArranjarIcones1Click()
{
    // Minimized compositions are lined up along the bottom of the frame,
    // left to right, wrapping upwards when a row is full.
    const QRect area = m_mdi->viewport()->rect();
    int x = 0;
    int y = area.bottom();
    for (QMdiSubWindow *window : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= size.height();
        }
        window->move(x, y - size.height() + 1);
        x += size.width();
    }
}

void TF_HAIR::Ajuda2Click()
{
    const QString file = m_handOff.AppDir + QStringLiteral("QUENDA.HLP");
    if (!m_help) {
        m_help = new THelpViewer(this);
        m_help->move(geometry().center() - m_help->rect().center());
    }
    if (!m_help->OpenContents(file)) {
        ShowFileMessage(QStringLiteral("O arquivo de ajuda não foi encontrado."), file, QStringLiteral("QUENDA"));
        return;
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void TF_HAIR::QuickStartClick()
{
    if (F_QSTART) {
        F_QSTART->show();
        F_QSTART->raise();
        F_QSTART->activateWindow();
    }
}

void TF_HAIR::SobreoPrograma1Click()
{
    if (F_SOBRE)
        F_SOBRE->exec();
}

void TF_HAIR::ConfigurarImpressora1Click()
{
    // The result is not examined: a cancelled set-up keeps the printer.
    PSD_CONFIG->Execute();
}

void TF_HAIR::GradientPanel1Resize()
{
    GradientPanel1->resize(257, 242);
}

// ---------------------------------------------------------------- tools

void TF_HAIR::BT_SCROLLClick()
{
    BusyCursor busy;
    hideColourPanel();
    TF_FILHO *c = ActiveComposition();
    if (c && ColourPanelOpen) {
        QMdiSubWindow *window = qobject_cast<QMdiSubWindow *>(c->parentWidget());
        if (window) {
            // Minimise and restore: the photo is drawn again without the
            // panel's traces, and the composition stays the active one.
            window->showMinimized();
            window->showNormal();
            m_mdi->setActiveSubWindow(window);
        }
    }
    if (c) {
        if (m_lassoActive)
            c->Image1->RemoveSelection();
    }
    m_lassoActive = false;
    if (c) {
        c->ImageProc1->SetAutoUndo(true);
        c->Image1->SetMouseInteract(TImageView::miScroll);
        c->Image1->SetCursorId(ImageCursors::Hand);
        c->L = QString::number(c->Image2->x());
        c->T = QString::number(c->Image2->y());
        c->BakeHairSize();
        c->Image1->update();
    }
    ToolItem(QStringLiteral("BT_SCROLL"))->setChecked(true);
}

void TF_HAIR::BT_MOVEClick()
{
    hideColourPanel();
    TF_FILHO *c = ActiveComposition();
    if (!c)
        return;
    c->Image1->SetCursorId(ImageCursors::Hand);
    if (!c->Image2->isVisible())
        c->Image2->show();
    const QSize size = c->Image2->size();
    const ImageStatus status = c->ReloadOverlayFromFile();
    if (!status)
        ShowFileMessage(QString::fromStdString(status.message), c->HairFilePath(), QStringLiteral("QUENDA"));
    c->Image2->resize(size);
    c->SH1->Attach(c->Image2);
}

void TF_HAIR::Redimensionar1Click()
{
    ToolItem(QStringLiteral("BT_MOVE"))->trigger();
}

void TF_HAIR::BT_ZOOMClick()
{
    hideColourPanel();
    TF_FILHO *c = ActiveComposition();
    if (c)
        c->BakeHairSize();
    if (c && m_lassoActive)
        c->Image1->RemoveSelection();
    m_lassoActive = false;
    if (c) {
        c->Image1->SetCursorId(ImageCursors::ZoomIn);
        c->Image1->SetMouseInteract(0);
    }
}

void TF_HAIR::BT_LACOClick()
{
    hideColourPanel();
    TF_FILHO *c = ActiveComposition();
    if (c) {
        c->BakeHairSize();
        c->Image2->hide();
        c->Image1->SetMouseInteract(TImageView::miSelectPolygon);
        c->Image1->SetCursorId(ImageCursors::Cross);
    }
    m_lassoActive = true;
    if (c)
        c->ImageProc1->SetAutoUndo(false);
}

// ---------------------------------------------------------------- hair commands

void TF_HAIR::handOffArrangement(TF_FILHO *source)
{
    // What a further window copies of its source: the photo file as stored,
    // zoom and scroll, and where the hair sits (not its size).
    m_handOff.SourcePhotoFile = source->lblFilename;
    m_handOff.SourceViewY = source->Image1->ViewY();
    m_handOff.SourceViewX = source->Image1->ViewX();
    m_handOff.SourceZoom = source->Image1->Zoom();
    m_handOff.SourceHairLeft = source->Image2->x();
    m_handOff.SourceHairTop = source->Image2->y();
}

void TF_HAIR::InsertHair(const QString &hairId)
{
    TF_FILHO *c = ActiveComposition();
    if (c)
        c->update();
    if (!c) {
        ShowMessage(QStringLiteral("É preciso abrir uma foto primeiro!"), QStringLiteral("QUENDA"));
        return;
    }
    m_handOff.InsertPending = true;
    handOffArrangement(c);
    m_handOff.PendingHairId = hairId;
    c->Hair = m_handOff.CatalogueFolder;
    TF_FILHO *inserted = OpenChild();
    m_handOff.InsertPending = false;
    fitIfAutomatic(inserted);
}

void TF_HAIR::Replay1Click()
{
    BusyCursor busy;
    ToolItem(QStringLiteral("BT_SCROLL"))->trigger();
    TF_FILHO *c = ActiveComposition();
    if (!c)
        return;
    m_handOff.ReplayPending = true;
    handOffArrangement(c);
    m_handOff.HairType = c->lblTipo;
    m_handOff.CopyNumber = c->HairNumber;
    m_handOff.CatalogueFolder = c->Hair;
    TF_FILHO *replayed = OpenChild();
    m_handOff.ReplayPending = false;
    fitIfAutomatic(replayed);
}

// ---------------------------------------------------------------- face fitting

bool TF_HAIR::AutoFitOn() const
{
    return MenuItem(QStringLiteral("AjusteAutomatico1"))->isChecked();
}

void TF_HAIR::AjustarRosto1Click()
{
    ToolItem(QStringLiteral("BT_SCROLL"))->trigger();
    TF_FILHO *c = ActiveComposition();
    if (!c)
        return;
    const QString problem = HairFaceFitter::FitToFace(c);
    if (!problem.isEmpty())
        ShowMessage(problem, QStringLiteral("QUENDA"));
}

void TF_HAIR::GravarAjuste1Click()
{
    ToolItem(QStringLiteral("BT_SCROLL"))->trigger();
    TF_FILHO *c = ActiveComposition();
    if (!c)
        return;
    QString file;
    const QString problem = HairFaceFitter::RecordPlacement(c, &file);
    if (problem.isEmpty())
        return;
    if (file.isEmpty())
        ShowMessage(problem, QStringLiteral("QUENDA"));
    else
        ShowFileMessage(problem, file, QStringLiteral("QUENDA"));
}

void TF_HAIR::HairChanged(TF_FILHO *composition)
{
    fitIfAutomatic(composition);
}

void TF_HAIR::fitIfAutomatic(TF_FILHO *composition)
{
    // Quietly: with no face found the hair stays where the operator had it,
    // which is what happens with the option off.
    if (composition && AutoFitOn())
        HairFaceFitter::FitToFace(composition);
}

void TF_HAIR::tamanhoOriginal1Click()
{
    BusyCursor busy;
    ToolItem(QStringLiteral("BT_SCROLL"))->trigger();
    TF_FILHO *c = ActiveComposition();
    if (!c)
        return;
    c->Image1->SetZoom(100);
    c->Image1->SetViewX(0);
    c->Image1->SetViewY(0);
    c->SetClientSize(TF_FILHO::kClientWidth, TF_FILHO::kClientHeight);
    const ImageStatus status = c->ReloadOverlayFromFile();
    if (!status)
        ShowFileMessage(QString::fromStdString(status.message), c->HairFilePath(), QStringLiteral("QUENDA"));
    c->Image2->move(0, 0);
    c->L = QString::number(c->Image2->x());
    c->T = QString::number(c->Image2->y());
}

void TF_HAIR::Inserir1Click()
{
    QAction *scroll = ToolItem(QStringLiteral("BT_SCROLL"));
    scroll->trigger();
    scroll->setChecked(true);
    if (TF_FILHO *c = ActiveComposition()) {
        c->Image2->show();
        c->Image2->update();
    }
}

void TF_HAIR::ApagarCabelo1Click()
{
    QAction *scroll = ToolItem(QStringLiteral("BT_SCROLL"));
    scroll->trigger();
    scroll->setChecked(true);
    if (TF_FILHO *c = ActiveComposition())
        c->Image2->hide();
}

void TF_HAIR::Copiar1Click()
{
    if (TF_FILHO *c = ActiveComposition())
        c->ImageProc1->CopyToClipboard();
}

void TF_HAIR::Colar1Click()
{
    if (!TImageProc::ClipboardHasBitmap()) {
        ShowMessage(QStringLiteral("O Clipboard não contém Bitmap."), QStringLiteral("QUENDA"));
        return;
    }
    selectMoveToolIfEnabled();
    openFromClipboard();
}

void TF_HAIR::Undo1Click()
{
    if (TF_FILHO *c = ActiveComposition())
        c->ImageProc1->Undo();
}

void TF_HAIR::Zoom1Click()
{
    if (TF_FILHO *c = ActiveComposition())
        c->Image1->SetZoom(c->Image1->Zoom() - 5);
}

void TF_HAIR::Zoom2Click()
{
    if (TF_FILHO *c = ActiveComposition())
        c->Image1->SetZoom(c->Image1->Zoom() + 5);
}

// ---------------------------------------------------------------- colour

ColourPanelTarget TF_HAIR::ActiveColourTarget() const
{
    ColourPanelTarget target;
    if (TF_FILHO *c = ActiveComposition()) {
        target.composition = c;
        target.photo = c->Image1;
        target.overlay = c->Image2;
        target.hairNumber = c->HairNumber;
    }
    return target;
}

void TF_HAIR::ClickSlidersTool()
{
    QAction *sliders = ToolItem(QStringLiteral("BT_SLIDERS"));
    if (sliders->isEnabled())
        sliders->trigger();
}

void TF_HAIR::BT_SLIDERSClick()
{
    if (!ActiveComposition()) {
        ToolItem(QStringLiteral("BT_SLIDERS"))->setChecked(false);
        return;
    }
    if (!m_colourPanelPlaced) {
        // Just below the toolbar, once the frame is laid out.
        GradientPanel1->move(264, m_mdi->geometry().top() + 2);
        m_colourPanelPlaced = true;
    }
    ColourPanelOpen = true;
    ColourPanel->Open();
    ToolItem(QStringLiteral("BT_SLIDERS"))->setChecked(true);
}

void TF_HAIR::ColorPanel1Click()
{
    ClickSlidersTool();
    ToolItem(QStringLiteral("BT_SLIDERS"))->setChecked(true);
}

void TF_HAIR::sRedScroll()
{
    ColourPanel->sRedScroll();
}

void TF_HAIR::BitBtn1Click()
{
    ColourPanel->BitBtn1Click();
}

void TF_HAIR::HSVBox1Click()
{
    ColourPanel->HSVBox1Click();
}

void TF_HAIR::BitBtn2Click()
{
    ColourPanel->BitBtn2Click();
}

void TF_HAIR::BitBtn21Click()
{
    hideColourPanel();
    // The move tool sees the flag still set and draws the composition
    // again without the panel's traces.
    QAction *scroll = ToolItem(QStringLiteral("BT_SCROLL"));
    scroll->trigger();
    scroll->setChecked(true);
    ColourPanelOpen = false;
}

void TF_HAIR::AjusteFoto1Click()
{
    if (TF_FILHO *c = ActiveComposition())
        c->Image2->hide();
    ClickSlidersTool();
}

void TF_HAIR::AjusteCabelo1Click()
{
    ClickSlidersTool();
}

void TF_HAIR::Flip1Click()
{
    ToolItem(QStringLiteral("BT_SCROLL"))->trigger();
    if (TF_FILHO *c = ActiveComposition())
        c->FlipHair();
}

void TF_HAIR::Amarelo1Click()
{
    ApplyPreset(ActiveComposition(), 1);
}

void TF_HAIR::Marrom1Click()
{
    ApplyPreset(ActiveComposition(), 2);
}

void TF_HAIR::Vermelho1Click()
{
    ApplyPreset(ActiveComposition(), 3);
}

void TF_HAIR::Preto1Click()
{
    ApplyPreset(ActiveComposition(), 4);
}

void TF_HAIR::Normal1Click()
{
    ApplyPreset(ActiveComposition(), 5);
}

// ---------------------------------------------------------------- printing

void TF_HAIR::Imprimir1Click()
{
    m_printing->Commands().PrintActiveComposition();
}

void TF_HAIR::PrintPreview1Click()
{
    m_printing->Commands().BuildPreview();
}

// ---------------------------------------------------------------- window menu

void TF_HAIR::rebuildWindowList()
{
    QMenu *janela = MenuItem(QStringLiteral("Janela1"))->menu();
    for (QAction *entry : std::as_const(m_windowListEntries)) {
        janela->removeAction(entry);
        entry->deleteLater();
    }
    m_windowListEntries.clear();
    if (!m_mdi)
        return;
    QMdiSubWindow *active = m_mdi->activeSubWindow();
    int number = 1;
    for (QMdiSubWindow *window : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        auto *composition = qobject_cast<TF_FILHO *>(window->widget());
        if (!composition || !Compositions().contains(composition) || window->isHidden())
            continue;
        // Several windows often show the same photo: the file and the hair
        // tell them apart.
        QString text = composition->windowTitle();
        if (!composition->lblFilename.isEmpty())
            text = QFileInfo(composition->lblFilename).fileName() + QStringLiteral(" - ") + text;
        if (number < 10)
            text = QStringLiteral("&%1 ").arg(number) + text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        else
            text = QStringLiteral("%1 ").arg(number) + text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto *entry = new QAction(text, janela);
        entry->setObjectName(QStringLiteral("WindowListEntry%1").arg(number));
        entry->setCheckable(true);
        entry->setChecked(window == active);
        QPointer<QMdiSubWindow> target(window);
        connect(entry, &QAction::triggered, this, [this, target] {
            if (!target)
                return;
            if (target->isMinimized())
                target->showNormal();
            m_mdi->setActiveSubWindow(target);
            rebuildWindowList();
        });
        janela->addAction(entry);
        m_windowListEntries << entry;
        ++number;
    }
}

void TF_HAIR::LadoALado1Click()
{
    m_mdi->tileSubWindows();
}

void TF_HAIR::Cascata1Click()
{
    m_mdi->cascadeSubWindows();
}

void TF_HAIR::FotoInteira1Click()
{
    TF_FILHO *c = ActiveComposition();
    if (!c)
        return;
    // A resized hair is fixed first, as every command that moves the view does.
    selectMoveToolIfEnabled();
    auto *window = qobject_cast<QMdiSubWindow *>(c->parentWidget());
    if (!window)
        return;
    if (window->isMinimized() || window->isMaximized())
        window->showNormal();
    const QSize frame = window->size() - c->size();
    const QSize free = m_mdi->viewport()->size() - frame;

    WholePhotoFit::Input in;
    in.photoWidth = c->Image1->Bitmap().width();
    in.photoHeight = c->Image1->Bitmap().height();
    in.areaWidth = free.width();
    in.areaHeight = free.height();
    in.border = TViewBase::kBorderWidth;
    in.zoom = c->Image1->Zoom();
    in.viewX = c->Image1->ViewX();
    in.viewY = c->Image1->ViewY();
    const QRect hair = c->Image2->geometry();
    in.hair = {hair.x(), hair.y(), hair.width(), hair.height()};
    const WholePhotoFit::Result fit = WholePhotoFit::Compute(in);
    if (!fit.ok)
        return;

    window->move(0, 0);
    c->SetClientSize(fit.clientWidth, fit.clientHeight);
    c->Image1->SetZoom(fit.zoom);
    c->Image1->SetViewXY(0, 0);
    const QRect fitted(fit.hair.left, fit.hair.top, fit.hair.width, fit.hair.height);
    if (fitted.size() != hair.size() && !c->Image2->Picture().isNull() && !fitted.isEmpty()) {
        // Fixed the way a resize is, so the hair keeps one see-through colour.
        c->SetHairBounds(fitted);
    } else {
        c->Image2->setGeometry(fitted);
        c->L = QString::number(c->Image2->x());
        c->T = QString::number(c->Image2->y());
    }
    c->Image1->update();
    c->Image2->update();
}

// ---------------------------------------------------------------- hair catalogue

void TF_HAIR::showCatalogue(int code)
{
    m_handOff.HairType = QString::number(code);
    hideColourPanel();
    if (!F_THUMBS)
        return;
    F_THUMBS->ShowPage(code);
    F_THUMBS->show();
    F_THUMBS->raise();
    F_THUMBS->activateWindow();
}

void TF_HAIR::switchCollection(const QString &folder, bool force)
{
    const bool changed = m_handOff.CatalogueFolder != folder;
    m_handOff.CatalogueFolder = folder;
    const bool main = folder == QLatin1String("Quenda5");
    MenuItem(QStringLiteral("Visualizador50"))->setChecked(main);
    MenuItem(QStringLiteral("Visualizador42"))->setChecked(!main);
    // The browser never shows one collection while choosing from it inserts
    // hairs of the other.
    if (F_THUMBS && (changed || force)) {
        F_THUMBS->setWindowTitle(main ? QStringLiteral("Viewer Quenda 5.0") : QStringLiteral("Viewer Pelvane Collection I"));
        F_THUMBS->ClearCategoryGrids();
        if (F_THUMBS->isVisible())
            F_THUMBS->PageControl1Change();
    }
}

void TF_HAIR::Visualizador50Click()
{
    m_handOff.HairType = QStringLiteral("7");
    hideColourPanel();
    switchCollection(QStringLiteral("Quenda5"), true);
    if (F_THUMBS) {
        F_THUMBS->show();
        F_THUMBS->raise();
        F_THUMBS->activateWindow();
    }
}

void TF_HAIR::Visualizador42Click()
{
    m_handOff.HairType = QStringLiteral("7");
    hideColourPanel();
    switchCollection(QStringLiteral("Quenda42"), true);
    if (F_THUMBS) {
        F_THUMBS->show();
        F_THUMBS->raise();
        F_THUMBS->activateWindow();
    }
}

void TF_HAIR::OpenPhotoFromCatalogue(const QString &fileName)
{
    m_handOff.FromFile = true;
    OD_ABRIR->SetFileName(fileName);
    m_handOff.CopyNumber = 0;
    OpenChild();
    m_handOff.FromFile = false;
}

// ---------------------------------------------------------------- retouch

void TF_HAIR::RetoqueFoto1Click()
{
    QPointer<TF_FILHO> c = ActiveComposition();
    if (!c || !F_DRAW)
        return;
    QAction *scroll = ToolItem(QStringLiteral("BT_SCROLL"));
    scroll->trigger();
    scroll->setChecked(true);
    // The photo is edited without the hair over it. A hair the user had
    // taken away stays away afterwards.
    const bool overlayShown = !c->Image2->isHidden();
    c->Image2->hide();
    ImageView1->SetBitmap(c->Image1->Bitmap());
    RetouchTarget = QStringLiteral("Foto");
    RetouchBridge bridge(this);
    F_DRAW->SetHost(&bridge);
    handScratchToEditor();
    F_DRAW->ShowModal();
    F_DRAW->SetHost(nullptr);
    if (c)
        c->Image2->setVisible(overlayShown);
}

void TF_HAIR::RetoqueCabelo1Click()
{
    TF_FILHO *c = ActiveComposition();
    if (!c || !F_DRAW)
        return;
    ToolItem(QStringLiteral("BT_SCROLL"))->trigger();
    // The master: natural size and the file's colours, whatever the overlay
    // shows now.
    ImageView1->SetBitmap(c->ImageAux2->Bitmap());
    RetouchTarget = QStringLiteral("Cabelo");
    RetouchBridge bridge(this);
    F_DRAW->SetHost(&bridge);
    handScratchToEditor();
    F_DRAW->ShowModal();
    F_DRAW->SetHost(nullptr);
}

void TF_HAIR::handScratchToEditor()
{
    // Moved, not copied: nothing reads the scratch image until the editor
    // returns into it, and a 24-megapixel copy would delay the opening.
    F_DRAW->SetPicture(std::exchange(ImageView1->Bitmap(), Picture24()));
    ImageView1->Refresh();
}

bool TF_HAIR::ApplyRetouch()
{
    TF_FILHO *c = ActiveComposition();
    if (!c)
        return false;
    if (RetouchTarget == QLatin1String("Cabelo")) {
        // The master stays as loaded, so preset colours start from it again.
        c->Image2->SetPicture(std::exchange(ImageView1->Bitmap(), Picture24()));
        ImageView1->Refresh();
        return true;
    }
    if (RetouchTarget != QLatin1String("Foto"))
        return false;
    // The retouched photo takes the next Temp number for itself: a later
    // capture or paste must not overwrite the file this composition (and
    // its inserts and replays) now reads.
    const int number = m_handOff.CaptureCount + 1;
    const QString temp = HairFiles::TempPhotoPath(m_handOff.AppDir, m_handOff.CatalogueFolder, number);
    const ImageStatus saved = ImageIO1->SaveToFile(temp);
    if (!saved) {
        ShowFileMessage(QString::fromStdString(saved.message), temp, QStringLiteral("QUENDA"));
        return false;
    }
    m_handOff.CaptureCount = number;
    c->Image1->SetBitmap(std::exchange(ImageView1->Bitmap(), Picture24()));
    ImageView1->Refresh();
    c->lblFilename = temp;
    return true;
}

// ---------------------------------------------------------------- importing hair

void TF_HAIR::ImportarCabelo1Click()
{
    ImportHair(QString(), -1);
}

bool TF_HAIR::ImportHair(const QString &collection, int category, const std::function<void(int)> &imported)
{
    TF_FILHO *c = ActiveComposition();
    QString folder = collection;
    if (folder.isEmpty())
        folder = c && !c->Hair.isEmpty() ? c->Hair : m_handOff.CatalogueFolder;
    if (category < 0) {
        bool ok = false;
        const int code = (c ? c->lblTipo : m_handOff.HairType).toInt(&ok);
        category = ok && code >= 0 && code < CB_TIPO->count() ? code : 0;
    }

    QDir::setCurrent(m_handOff.AppDir);
    OD_ABRIR->SetInitialDir(m_handOff.AppDir);
    if (!OD_ABRIR->Execute())
        return false;
    const QString file = OD_ABRIR->FileName();
    Picture24 onBlack, onWhite;
    {
        BusyCursor busy;
        const ImageStatus status = HairImport::LoadSource(file.toStdString(), onBlack, onWhite);
        if (!status) {
            ShowMessage(TranslateText(QString::fromUtf8(HairImport::kUnreadable)) + QLatin1Char('\n') + file,
                        QStringLiteral("QUENDA"));
            return false;
        }
    }
    QStringList categories;
    for (int i = 0; i < CB_TIPO->count(); ++i)
        categories << CB_TIPO->itemText(i);
    THairImportDialog dialog(categories, category, [this](const QString &t) { return TranslateText(t); }, this);
    dialog.SetPicture(onBlack, onWhite.isNull() ? nullptr : &onWhite);
    if (!dialog.Execute())
        return false;

    BusyCursor busy;
    const CutHair cut = dialog.Result();
    const std::vector<std::uint8_t> gif = HairImport::EncodeHair(cut);
    if (gif.empty()) {
        ShowMessage(QString::fromUtf8(HairImport::kNoHair), QStringLiteral("QUENDA"));
        return false;
    }
    const QString wanted = m_handOff.AppDir + folder + QLatin1Char('/') + categories.value(dialog.Category());
    const QString existing = HairFiles::Resolve(m_handOff.AppDir, wanted);
    const QString target = existing.isEmpty() ? wanted : existing;
    if (existing.isEmpty())
        QDir().mkpath(target);
    const std::string where = target.toStdString();
    const int number = HairImport::NextFreeNumber(where);
    const std::string problem = HairImport::Write(where, number, gif, HairImport::FacePlace(onBlack, cut));
    if (!problem.empty()) {
        ShowMessage(TranslateText(QString::fromStdString(problem)) + QLatin1Char('\n') + target,
                    QStringLiteral("QUENDA"));
        return false;
    }
    if (imported)
        imported(number);
    return true;
}
