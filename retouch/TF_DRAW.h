#pragma once

#include "PaintModel.h"

#include <QHash>
#include <QMainWindow>

class QFileDialog;
class QLabel;
class RetouchHost;
class TColorComboBoxEx;
class TFormScaler;
class TImageIO;
class TImageView;
class TLanguage;
class TLineWidthComboBox;
class TMenuItem;
class TShape;
class TSpeedButton;

/**
 * The retouch editor: a small paint window to which the main window hands
 * the hair or the photo of a composition, and from which QuendaButton1
 * returns it. One pen of one colour and width, a dropper, one undo
 * snapshot, whole-picture copy, cut and paste, and loading and saving of the
 * picture as a file.
 *
 * The window stays for the whole run and keeps its tool, colour, width, file
 * name and snapshot between showings. Its painting state lives in a
 * PaintModel; the window converts the pointer to picture pixels (scroll
 * position included) and forwards.
 */
class TF_DRAW : public QMainWindow
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    static constexpr int kDesignWidth = 593;
    static constexpr int kDesignHeight = 442;
    static constexpr int kLineWidth = 20;
    static constexpr int kMaxLineWidth = 30;

    TF_DRAW(const QString &appDir, QWidget *parent = nullptr);
    ~TF_DRAW() override;

    void SetHost(RetouchHost *host);
    RetouchHost *Host() const { return m_host; }

    /** Puts a picture into the editing view for the next showing and takes
     *  the undo snapshot of it, so Undo never brings back an earlier
     *  showing's picture. */
    void SetPicture(Picture24 picture);
    /** Shows the editor modally; returns once it has closed. */
    void ShowModal();
    /** Whether the last showing ended by returning its picture. */
    bool Returned() const { return m_returned; }

    PaintModel &Model() { return m_model; }
    bool DropperMode() const { return m_model.CurrentTool() == PaintModel::Tool::Dropper; }
    bool Drawing() const { return m_model.Drawing(); }
    TMenuItem *MenuItem(const QString &name) const { return m_menuItems.value(name); }

    // Parts, by their designed names.
    QWidget *Panel1 = nullptr;
    QLabel *StatusPanel0 = nullptr; ///< pointer position
    QLabel *StatusPanel1 = nullptr; ///< the right-button hint
    QWidget *ScrollBox1 = nullptr;
    QFileDialog *OpenDialog1 = nullptr;
    QFileDialog *SaveDialog1 = nullptr;
    TShape *Shape1 = nullptr;
    TSpeedButton *UndoButton = nullptr;
    TSpeedButton *SpeedButton1 = nullptr; ///< the pen
    TSpeedButton *GotasButton = nullptr;  ///< the dropper
    TColorComboBoxEx *ColorComboBoxEx1 = nullptr;
    TLineWidthComboBox *LineWidthComboBox1 = nullptr;
    TSpeedButton *QuendaButton1 = nullptr;
    TImageView *Image = nullptr;
    TImageIO *ImageIO1 = nullptr;
    TFormScaler *FormScaler1 = nullptr;
    TLanguage *L1 = nullptr;

    /** The file Save writes to; set by Open and Save As. */
    QString EditFileName;

    // Handlers.
    void FormActivate();
    void ColorComboBoxEx1Change();
    void LineWidthComboBox1Change();
    void DrawButtonClick();
    void GotasButtonClick();
    void ImageMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void ImageMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void ImageMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void UndoButtonClick();
    void Copy1Click();
    void Cut1Click();
    void Paste1Click();
    void Open1Click();
    void Save1Click();
    void Saveas1Click();
    void Print1Click();
    void Exit1Click();
    void QuendaButton1Click();
    void FormKeyDown(int key);

signals:
    /** The window has closed, whichever way. */
    void Closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildMenus();
    void buildToolBar();
    void FormCreate(const QString &appDir);
    bool writeTo(const QString &fileName);
    void report(const QString &text);
    void updatePrintEntry();

    RetouchHost *m_host = nullptr;
    PaintModel m_model;
    bool m_returned = false;
    QHash<QString, TMenuItem *> m_menuItems;
};

extern TF_DRAW *F_DRAW;
