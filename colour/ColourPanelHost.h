#pragma once

class QObject;
class TImage;
class TImageView;

/** The parts of the active composition the colour panel works on. */
struct ColourPanelTarget
{
    QObject *composition = nullptr; ///< null when no composition is open
    TImageView *photo = nullptr;    ///< its photo view
    TImage *overlay = nullptr;      ///< its hair overlay
    int hairNumber = 0;
};

/**
 * What the colour panel may ask of the window that holds it. The panel never
 * includes the main window; it reaches the active composition, the scratch
 * view and the toolbar through this interface only.
 */
class ColourPanelHost
{
public:
    virtual ~ColourPanelHost() = default;

    virtual ColourPanelTarget ActiveColourTarget() const = 0;
    virtual bool LassoActive() const = 0;
    /** The hidden scratch view that lasso areas pass through. */
    virtual TImageView *ScratchView() const = 0;
    /** Performs a click on the panel's toolbar button (opens it again). */
    virtual void ClickSlidersTool() = 0;
    /** The close button: hides the panel through the move tool. */
    virtual void ColourPanelCloseClicked() = 0;
};
