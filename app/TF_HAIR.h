#pragma once

#include "CatalogueHost.h"
#include "ColourPanelHost.h"
#include "CompositionHost.h"
#include "HairImportHost.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class MainPrintHost;
class QActionGroup;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;
class TColourPanel;
class TComboBox;
class TF_FILHO;
class TFormScaler;
class TGradientPanel;
class THelpViewer;
class TImageIO;
class TImageProc;
class TImageView;
class TLanguage;
class TMenuItem;
class TOpenImageDialog;
class TPrinterSetupDialog;
class TSaveImageDialog;
class TwainSource;
class TToolItem;

/**
 * The main frame: menus, toolbar, the composition windows inside it, the
 * hand-off area through which a command tells the next composition how to
 * build itself, and the hidden scratch image that hair files, saved and
 * printed pictures and captures pass through.
 */
class TF_HAIR : public QMainWindow,
               public CompositionHost,
               public ColourPanelHost,
               public CatalogueHost,
               public HairImportHost
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    /** Where message boxes go: tests replace the modal box with a recorder. */
    using MessageSink = std::function<void(const QString &text, const QString &caption)>;

    explicit TF_HAIR(const QString &appDir, QWidget *parent = nullptr);
    ~TF_HAIR() override;

    // CompositionHost
    CompositionHandOff &HandOff() override { return m_handOff; }
    QString CategoryName(int code) const override;
    QString OpenDialogFileName() const override;
    ImageStatus LoadHairThroughScratch(const QString &path, Picture24 &hair) override;
    void ClickMoveTool() override;
    bool ZoomToolDown() const override;
    bool LassoActive() const override { return m_lassoActive; }
    void CompositionClosing(TF_FILHO *composition) override;
    void ApplyPreset(TF_FILHO *composition, int number) override;
    void ShowMessage(const QString &text, const QString &caption) override;
    void HairChanged(TF_FILHO *composition) override;
    bool SoftEdgesOn() const override;

    // ColourPanelHost
    ColourPanelTarget ActiveColourTarget() const override;
    TImageView *ScratchView() const override { return ImageView1; }
    void ClickSlidersTool() override;
    void ColourPanelCloseClicked() override { BitBtn21Click(); }

    static void SetMessageSink(MessageSink sink);
    /** Where yes/no questions go: tests answer them instead of a person. */
    using QuestionSink = std::function<bool(const QString &text, const QString &caption)>;
    static void SetQuestionSink(QuestionSink sink);
    /** A message about one file: the translated text, then the file's name. */
    void ShowFileMessage(const QString &text, const QString &fileName, const QString &caption) override;
    /** The message text after the language file's "Messages" section. */
    QString TranslateText(const QString &text) const;

    // Windows state.
    QString AppDir() const override { return m_handOff.AppDir; }
    bool ColourPanelOpen = false;
    QString RetouchTarget;
    /** Called with each preset number applied (tests and the colour tools). */
    std::function<void(TF_FILHO *, int)> PresetHook;

    /** Open compositions, a closing one included until it is gone. */
    QList<TF_FILHO *> Compositions() const;
    int CompositionCount() const { return Compositions().size(); }
    TF_FILHO *ActiveComposition() const;
    QMdiArea *MdiArea() const { return m_mdi; }

    TMenuItem *MenuItem(const QString &name) const { return m_menuItems.value(name); }
    TToolItem *ToolItem(const QString &name) const { return m_toolItems.value(name); }
    /** The entry at a menu position, as the enabling rule addresses it. */
    QAction *MenuEntry(int menu, int entry) const;
    QAction *MenuAction(int menu) const;

    // Components by their designed names.
    QToolBar *ToolBar1 = nullptr;
    TComboBox *CB_TIPO = nullptr;
    TGradientPanel *GradientPanel1 = nullptr;
    TImageView *ImageView1 = nullptr;
    TImageIO *ImageIO1 = nullptr;
    TImageProc *ImageProc1 = nullptr;
    TOpenImageDialog *OD_ABRIR = nullptr;
    TPrinterSetupDialog *PSD_CONFIG = nullptr;
    TSaveImageDialog *SD_SALVAR = nullptr;
    TwainSource *Twain = nullptr; ///< the capture source behind ImageIO1's acquire
    TLanguage *L1 = nullptr;
    TFormScaler *FormScaler1 = nullptr;

    // Operations of the window.
    void FormActivate();
    void UpdateCommandState(bool countsActive);
    /** Creates a composition from the hand-off area; nullptr when it could
     *  not be built (the user has been told why). */
    TF_FILHO *OpenChild();

    // Commands.
    void AbrirFoto1Click();
    /** Opens a photo file directly, as the open dialog would with that name. */
    void OpenPhotoFile(const QString &fileName);
    void Fechar1Click();
    void FecharTudo1Click();
    void Sair1Click();
    void ArranjarIcones1Click();
    void Ajuda2Click();
    void QuickStartClick();
    void SobreoPrograma1Click();
    void ConfigurarImpressora1Click();
    void CapturaTWAIN1Click();
    void SelecionarCapturaTWAIN1Click();
    void Salvar1Click();
    void Salvarcomo1Click();
    void BT_SCROLLClick();
    void BT_MOVEClick();
    void BT_ZOOMClick();
    void BT_LACOClick();
    void Redimensionar1Click();
    void InsertHair(const QString &hairId) override;
    void Replay1Click();
    void tamanhoOriginal1Click();
    void Inserir1Click();
    void ApagarCabelo1Click();
    void Copiar1Click();
    void Colar1Click();
    void Undo1Click();
    void Zoom1Click();
    void Zoom2Click();
    void GradientPanel1Resize();
    /** Fits the active composition's hair to the face on its photo. */
    void AjustarRosto1Click();
    /** Records where the face lies in the active hair as placed now. */
    void GravarAjuste1Click();
    /** "Ajuste Automático": fit every inserted, replayed or stepped hair. */
    bool AutoFitOn() const;

    // Photographic output: soft edges, full-resolution and before/after pictures.
    void BordasSuaves1Click();
    void SalvarAltaResolucao1Click();
    void SalvarAntesDepois1Click();
    /** "Importar Cabelo...": into the active composition's category. */
    void ImportarCabelo1Click();
    /**
     * Asks for a picture and imports it as the next hair of a category of
     * `collection` ("Quenda5", "Quenda42"; empty: the current one), the
     * category preselected (-1: the active composition's). `imported` is
     * called with the new hair's number, so a catalogue page can refill
     * itself. False when cancelled or refused (the user has been told why).
     */
    bool ImportHair(const QString &collection, int category, const std::function<void(int)> &imported = {}) override;

    // The colour panel, the preset colours and the Ajuste menu.
    TColourPanel *ColourPanel = nullptr; ///< the controls and logic inside GradientPanel1
    void BT_SLIDERSClick();
    void ColorPanel1Click();
    void sRedScroll();
    void BitBtn1Click();
    void HSVBox1Click();
    void BitBtn2Click();
    void BitBtn21Click();
    void AjusteFoto1Click();
    void AjusteCabelo1Click();
    void Flip1Click();
    void Amarelo1Click();
    void Marrom1Click();
    void Vermelho1Click();
    void Preto1Click();
    void Normal1Click();
    void Imprimir1Click();
    void PrintPreview1Click();
    // Window arrangement and the whole-photo view.
    void LadoALado1Click();
    void Cascata1Click();
    void FotoInteira1Click();
    /** Asks before open compositions are thrown away; true to go on. */
    bool ConfirmLeaving();

    // The hair catalogue: the browser's commands and what it asks of this window.
    QString CatalogueFolder() const override { return m_handOff.CatalogueFolder; }
    QString HairType() const override { return m_handOff.HairType; }
    void SetHairType(const QString &code) override { m_handOff.HairType = code; }
    bool HasComposition() const override { return CompositionCount() > 0; }
    void OpenPhotoFromCatalogue(const QString &fileName) override;
    void BT_CCClick() { showCatalogue(0); }
    void BT_CEClick() { showCatalogue(1); }
    void BT_MCClick() { showCatalogue(2); }
    void BT_MEClick() { showCatalogue(3); }
    void BT_LCClick() { showCatalogue(4); }
    void BT_LEClick() { showCatalogue(5); }
    void BT_MClick() { showCatalogue(6); }
    void BT_ThumbsClick() { showCatalogue(7); }
    void Visualizador50Click();
    void Visualizador42Click();
    // Retouch: the photo or the hair through the editor, and its return.
    void RetoqueFoto1Click();
    void RetoqueCabelo1Click();
    /** Puts the scratch picture into the active composition as RetouchTarget
     *  says; false (user told, nothing changed) when it could not. */
    bool ApplyRetouch();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool event(QEvent *event) override;

private:
    void FormCreate();
    void buildMenus();
    void buildToolBar();
    TMenuItem *addEntry(QMenu *menu, const QString &name, const QString &caption,
                        const QKeySequence &key, void (TF_HAIR::*handler)());
    TToolItem *addTool(const QString &name, const QString &section, const QString &caption,
                       const QString &hint, void (TF_HAIR::*handler)());
    void selectMoveToolIfEnabled();
    void hideColourPanel();
    void compositionActivated(QMdiSubWindow *window);
    void handOffArrangement(TF_FILHO *source);
    void openFromClipboard();
    void fitIfAutomatic(TF_FILHO *composition);
    void showCatalogue(int code);
    void switchCollection(const QString &folder, bool force);
    void handScratchToEditor();
    void savePicture(const Picture24 &picture);

    CompositionHandOff m_handOff;
    bool m_lassoActive = false;
    bool m_colourPanelPlaced = false;
    QMdiArea *m_mdi = nullptr;
    QActionGroup *m_tools = nullptr;
    QHash<QString, TMenuItem *> m_menuItems;
    QHash<QString, TToolItem *> m_toolItems;
    QList<QPointer<QObject>> m_compositions;
    QPointer<THelpViewer> m_help;
    QString m_lastSection;
    // The print commands reach this window through their own interface.
    friend class MainPrintHost;
    std::unique_ptr<MainPrintHost> m_printing;
    // Window menu list and leaving.
    void rebuildWindowList();
    QList<QAction *> m_windowListEntries;
    bool m_leaveConfirmed = false;
};

/** The program-long main window. */
extern TF_HAIR *F_HAIR;
