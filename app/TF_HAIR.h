#pragma once

#include "CompositionHost.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QActionGroup;
class QMdiArea;
class QMdiSubWindow;
class QToolBar;
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
class TF_HAIR : public QMainWindow, public CompositionHost
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

    static void SetMessageSink(MessageSink sink);
    /** The message text after the language file's "Messages" section. */
    QString TranslateText(const QString &text) const;

    // Windows state.
    QString AppDir() const { return m_handOff.AppDir; }
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
    void InsertHair(const QString &hairId);
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
    void handScratchToEditor();

    CompositionHandOff m_handOff;
    bool m_lassoActive = false;
    QMdiArea *m_mdi = nullptr;
    QActionGroup *m_tools = nullptr;
    QHash<QString, TMenuItem *> m_menuItems;
    QHash<QString, TToolItem *> m_toolItems;
    QList<QPointer<QObject>> m_compositions;
    QPointer<THelpViewer> m_help;
    QString m_lastSection;
};

/** The program-long main window. */
extern TF_HAIR *F_HAIR;
