#include "ColourPanelState.h"

#include <algorithm>
#include <cstring>

ColourPanelState::Range ColourPanelState::RangeOf(Slider slider)
{
    switch (slider) {
    case Red:
    case Green:
    case Blue:
        return {-255, 255, 0};
    case Contrast:
    case Lightness:
        return {-150, 150, 0};
    case Saturation:
        return {0, 510, 255};
    case Sharpen:
        return {0, 10, 0};
    case SliderCount:
        break;
    }
    return {0, 0, 0};
}

ColourTargetKind ColourPanelState::ChooseTarget(bool lassoActive, bool hairVisible)
{
    if (lassoActive)
        return ColourTargetKind::Selection;
    return hairVisible ? ColourTargetKind::Hair : ColourTargetKind::Photograph;
}

ColourPanelState::ColourPanelState()
{
    ResetPositions();
    for (int s = 0; s < SliderCount; ++s)
        m_hints[s] = std::to_string(RangeOf(Slider(s)).neutral);
}

void ColourPanelState::SetPosition(Slider slider, int position)
{
    const Range r = RangeOf(slider);
    m_positions[slider] = std::clamp(position, r.minimum, r.maximum);
}

void ColourPanelState::ResetPositions()
{
    for (int s = 0; s < SliderCount; ++s)
        m_positions[s] = RangeOf(Slider(s)).neutral;
}

void ColourPanelState::Undo()
{
    ResetPositions();
    for (int s = 0; s < SliderCount; ++s)
        m_hints[s] = s == Saturation ? "255" : "0";
}

void ColourPanelState::SetPicked(int red, int green, int blue)
{
    SetPosition(Red, red);
    SetPosition(Green, green);
    SetPosition(Blue, blue);
}

ColourRecompute::Settings ColourPanelState::Settings() const
{
    ColourRecompute::Settings s;
    s.red = m_positions[Red];
    s.green = m_positions[Green];
    s.blue = m_positions[Blue];
    s.lightness = m_positions[Lightness];
    s.contrast = m_positions[Contrast];
    s.saturation = m_positions[Saturation];
    s.sharpen = m_positions[Sharpen];
    return s;
}

void ColourPanelState::Capture(const Picture24 &pixels, ColourTargetStamp stamp)
{
    m_work.LoadFromBitmapHandle(pixels);
    // Each capture replaces the previous saved copy.
    m_saved = TRasterBMP();
    m_saved.SetDimensions(m_work.Width(), m_work.Height());
    if (m_saved.ByteCount() > 0)
        std::memcpy(m_saved.Bits(), m_work.Bits(), static_cast<std::size_t>(m_work.ByteCount()));
    m_stamp = std::move(stamp);
    m_captured = true;
}

void ColourPanelState::Forget()
{
    m_work = TRasterBMP();
    m_saved = TRasterBMP();
    m_stamp = ColourTargetStamp();
    m_captured = false;
}

void ColourPanelState::Recompute()
{
    const ColourRecompute::Settings s = Settings();
    if (s.red != 0 || s.green != 0 || s.blue != 0)
        for (Slider c : {Red, Green, Blue})
            m_hints[c] = std::to_string(m_positions[c]);
    for (Slider e : {Lightness, Contrast, Saturation, Sharpen})
        if (m_positions[e] != RangeOf(e).neutral)
            m_hints[e] = std::to_string(m_positions[e]);
    ColourRecompute::Apply(m_saved, m_work, s);
}
