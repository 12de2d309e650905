#pragma once

#include "ColourRecompute.h"
#include "PolygonSelection.h"
#include "TRasterBMP.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

/** What the colour panel works on, in its order of precedence. */
enum class ColourTargetKind { None, Selection, Hair, Photograph };

/**
 * Everything that identifies the pixels a capture was taken from. When the
 * target found at a slider movement no longer matches, the saved copy
 * belongs to other pixels (another composition, another hair, a new lasso)
 * and is taken again before anything is drawn.
 */
struct ColourTargetStamp
{
    const void *composition = nullptr;
    ColourTargetKind kind = ColourTargetKind::None;
    /** Changes whenever the overlay's picture is replaced (hair only). */
    std::uint64_t hairRevision = 0;
    /** The size of the picture the pixels came from. */
    int width = 0;
    int height = 0;
    /** The lasso polygon (selection only). */
    std::vector<ViewPoint> polygon;

    bool operator==(const ColourTargetStamp &) const = default;
};

/**
 * The colour panel without its widgets: the seven slider positions and
 * hints, the working and saved pictures, the recomputation and the choice
 * of target.
 */
class ColourPanelState
{
public:
    enum Slider { Red, Green, Blue, Contrast, Lightness, Saturation, Sharpen, SliderCount };
    struct Range
    {
        int minimum;
        int maximum;
        int neutral;
    };
    static constexpr int kSmallStep = 1;
    static constexpr int kLargeStep = 10;

    static Range RangeOf(Slider slider);
    /** Lasso first, then a visible hair, else the photograph. */
    static ColourTargetKind ChooseTarget(bool lassoActive, bool hairVisible);

    ColourPanelState();

    int Position(Slider slider) const { return m_positions[slider]; }
    /** Clamped to the slider's range, as a scroll bar would. */
    void SetPosition(Slider slider, int position);
    const std::string &Hint(Slider slider) const { return m_hints[slider]; }

    /** Every slider to its neutral position; the hints stay. */
    void ResetPositions();
    /** Neutral positions and hints "0", saturation's "255". */
    void Undo();
    /** The three colour offsets from a picked colour (0 ... 255 each). */
    void SetPicked(int red, int green, int blue);
    ColourRecompute::Settings Settings() const;

    /** Takes `pixels` as the working picture and keeps a saved copy. */
    void Capture(const Picture24 &pixels, ColourTargetStamp stamp);
    bool Captured() const { return m_captured; }
    const ColourTargetStamp &Stamp() const { return m_stamp; }
    /** After the panel itself replaced the overlay's picture. */
    void SetHairRevision(std::uint64_t revision) { m_stamp.hairRevision = revision; }
    /** Drops the capture and its pixels: nothing is drawn until the next one. */
    void Forget();

    /** The working picture from the saved copy with every slider away from
     *  neutral applied; sets those sliders' hints. */
    void Recompute();

    TRasterBMP &Work() { return m_work; }
    const TRasterBMP &Work() const { return m_work; }
    const TRasterBMP &Saved() const { return m_saved; }

private:
    std::array<int, SliderCount> m_positions{};
    std::array<std::string, SliderCount> m_hints;
    TRasterBMP m_work;
    TRasterBMP m_saved;
    ColourTargetStamp m_stamp;
    bool m_captured = false;
};
