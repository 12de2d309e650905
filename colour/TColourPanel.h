#pragma once

#include "ColourPanelState.h"

#include <QObject>
#include <QPointer>

#include <array>

class ColourPanelHost;
class QFrame;
class QScrollBar;
class QTimer;
class TBitBtn;
class TGradientPanel;
class THSVBox;
class TImage;
class TLabel;
struct ColourPanelTarget;

/**
 * The colour panel's controls and behaviour: seven sliders and a colour
 * picker that recolour the active composition's lasso area, hair or photo
 * live, always from the copy taken when the panel opened.
 *
 * The controls are children of the gradient panel given at construction,
 * under their designed names, so the window's translation reaches them.
 * Slider movements while the user drags are coalesced: at most one
 * recomputation waits at a time, and it reads the sliders when it runs.
 */
class TColourPanel : public QObject
{
    Q_OBJECT

public:
    TColourPanel(ColourPanelHost *host, TGradientPanel *panel);

    // Controls, by their designed names.
    TGradientPanel *GradientPanel1;
    TLabel *PanelLabel1 = nullptr;
    TImage *Image1 = nullptr;
    TBitBtn *BitBtn1 = nullptr;             ///< Undo
    TBitBtn *BitBtn2 = nullptr;             ///< selection outline
    TBitBtn *BitBtn21 = nullptr;            ///< close
    std::array<TLabel *, 7> SliderLabels{}; ///< PanelLabel2 .. PanelLabel8
    QScrollBar *sRed = nullptr;
    QScrollBar *sGreen = nullptr;
    QScrollBar *sBlue = nullptr;
    QScrollBar *sContrast = nullptr;
    QScrollBar *sLightness = nullptr;
    QScrollBar *sSaturation = nullptr;
    QScrollBar *sSharpen = nullptr;
    QFrame *Panel1 = nullptr;
    THSVBox *HSVBox1 = nullptr;
    TLabel *Label1 = nullptr; ///< hair number of the composition opened on

    QScrollBar *Slider(ColourPanelState::Slider slider) const { return m_sliders[slider]; }

    /** Captures the active composition's target and shows the panel with
     *  every slider neutral. Nothing happens with no composition open. */
    void Open();
    /** One scroll notification: recomputes from the saved copy and draws
     *  the result on the target chosen now. */
    void sRedScroll();
    void BitBtn1Click();
    void HSVBox1Click();
    void BitBtn2Click();
    /** A composition is going away: nothing of it may be kept or drawn. */
    void CompositionClosing(QObject *composition);

    const ColourPanelState &State() const { return m_state; }
    /** Recomputations run so far (for the coalescing checks). */
    int RecomputeCount() const { return m_recomputeCount; }
    /** True while a coalesced recomputation waits to run. */
    bool RecomputePending() const;

private:
    void build();
    QScrollBar *addSlider(ColourPanelState::Slider slider, const QString &name, int top);
    void sliderChanged();
    void sliderReleased();
    void setPositionsFromState();
    void readPositions();
    void showHints();
    ColourTargetStamp stampOf(const ColourPanelTarget &target, ColourTargetKind kind) const;
    bool capture(const ColourPanelTarget &target, ColourTargetKind kind);
    void draw(const ColourPanelTarget &target, ColourTargetKind kind);

    ColourPanelHost *m_host;
    ColourPanelState m_state;
    std::array<QScrollBar *, ColourPanelState::SliderCount> m_sliders{};
    QTimer *m_coalesce = nullptr;
    QPointer<QObject> m_capturedFrom;
    int m_recomputeCount = 0;
};
