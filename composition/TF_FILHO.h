#pragma once

#include "ImageStatus.h"
#include "Picture24.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

class CompositionHost;
class TImage;
class TImageIO;
class TImageProc;
class TImageView;
class TResizeHandle;

/**
 * A composition: one client photograph in a zoomable view with one hair
 * overlay laid over it. It is built once, while it is created, from the
 * host's hand-off area (photo from a file, from the clipboard, a hair
 * inserted from the catalogue, or a replay of another composition), and is
 * never filled after the fact.
 *
 * The text state (photo file, category, catalogue folder, remembered
 * overlay position) is kept as decimal text, read back by the commands of
 * the main window at the moments they always read it.
 */
class TF_FILHO : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    static constexpr int kClientWidth = 241;
    static constexpr int kClientHeight = 313;

    TF_FILHO(CompositionHost *host, QWidget *parent = nullptr);
    ~TF_FILHO() override;

    /** False when creation could not finish (the photo could not be read or
     *  stored); the host then discards the window and shows BuildError(). */
    bool Built() const { return m_built; }
    const QString &BuildError() const { return m_buildError; }
    /** The file BuildError() is about, when it is about one. */
    const QString &BuildErrorFile() const { return m_buildErrorFile; }

    // Controls and components, by their designed names.
    TImageView *Image1 = nullptr;     ///< the photograph
    TImageProc *ImageProc1 = nullptr; ///< undo snapshot and clipboard of the photo
    TImageIO *ImageIO1 = nullptr;     ///< photo file input/output
    TImage *Image2 = nullptr;         ///< the hair overlay as shown
    TImageView *ImageAux2 = nullptr;  ///< hidden hair master, natural size, file colours
    TImageProc *ImageProc2 = nullptr; ///< processing of the master (preset colours)
    TImage *Image3 = nullptr;         ///< hidden scratch frame for fixing a resized overlay
    TResizeHandle *SH1 = nullptr;     ///< frames the overlay while the resize tool is on

    // Text state.
    QString lblFilename; ///< photo file, full path
    QString lblTipo;     ///< hair category "0".."6"
    QString Hair;        ///< catalogue folder name
    QString L;           ///< remembered overlay Left
    QString T;           ///< remembered overlay Top

    int HairNumber = 1;
    int PresetIndex = 0;
    int DragStartX = 0;
    int DragStartY = 0;
    bool Dragging = false;

    /** The hair file for the window's catalogue folder, category and HairNumber. */
    QString HairFilePath() const;
    QString HairFilePathFor(int number) const;
    /** Same, resolved on disk without regard to case (empty when missing). */
    QString ExistingHairFile(int number) const;

    /** Decodes a hair file into master and overlay (natural size). */
    ImageStatus LoadHair(const QString &fileName);
    /** Reloads the overlay only (file colours, natural size); the master stays. */
    ImageStatus ReloadOverlayFromFile();
    /** Sets every pixel of the colour found at (1, 1) to white, then repaints. */
    void ClearHairBackground();
    /** Fixes a resized overlay at its new size (when the handle is attached). */
    void BakeHairSize();
    /** Stretches the overlay to `bounds` (client pixels) the way a resize is
     *  fixed, and remembers its new place in L and T. */
    void SetHairBounds(const QRect &bounds);
    /** Soft-edged drawing of the overlay and smooth fixing of its resizes;
     *  the overlay's pixels stay as they are. */
    void SetSoftEdges(bool on);
    bool SoftEdges() const { return m_softEdges; }
    /** The whole photo at its own size with the hair where and as large as
     *  the screen shows it, resampled smoothly with a soft edge. Without a
     *  visible hair, the photo alone. */
    Picture24 FullResolution() const;
    /** The program folder every catalogue path starts from. */
    QString AppDirectory() const;

    /** The preset colours: the hair master recoloured (its undo copy taken
     *  and put back at once), shown at its natural size with its background
     *  white again. Normal shows the master as loaded. They never build on
     *  the overlay as it is, so they do not accumulate. */
    void PresetAmarelo();
    void PresetMarrom();
    void PresetVermelho();
    void PresetPreto();
    void PresetNormal();
    /** Preset 1 (Amarelo) .. 5 (Normal), the keyboard's order; others do nothing. */
    void ApplyPresetNumber(int number);
    /** Mirrors the visible overlay left to right in its own pixels; the
     *  master keeps its orientation. False when the overlay is hidden. */
    bool FlipHair();

    /** Renews the caption: "7 - Médios e Claros". */
    void FormActivate();
    /** Takes the undo snapshot of the photo. */
    void Image1DblClick();
    void Image1ViewChange(int kind);
    void Image1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void Image2MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void Image2MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void Image2MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void SH1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void SH1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    /** The composition's key table, seen before the focused control. */
    void FormKeyUp(int key, Qt::KeyboardModifiers modifiers);

    /** Steps to another hair of the category (Left and Right keys). */
    void ChangeHair(int newNumber);
    /** The Up and Down keys: next or previous preset colour. */
    void NextPreset();
    void PreviousPreset();

    /** Client area size (the photo view fills it). */
    void SetClientSize(int width, int height);
    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void FormCreate();
    bool restoreSourcePhoto();
    void fail(const QString &message, const QString &fileName = QString());
    QString categoryName() const;
    void applyPresetKey(int number);
    void stretchOverlay(const QRect &bounds);
    void showMasterInOverlay();
    void setOverlayPixelsKeepingGeometry(Picture24 picture);

    CompositionHost *m_host;
    bool m_built = false;
    QString m_buildError;
    QString m_buildErrorFile;
    bool m_closeReported = false;
    bool m_softEdges = false;
    QSize m_clientSize{kClientWidth, kClientHeight};
    QHash<int, QPointer<QObject>> m_keyDownAt; // key -> first receiver of its press
};
