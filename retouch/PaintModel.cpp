#include "PaintModel.h"

#include "PenLine.h"

#include <cstring>

PaintModel::PaintModel() : m_snapshot(kBlankSnapshotSide, kBlankSnapshotSide)
{
    m_snapshot.fill(0xFF, 0xFF, 0xFF);
    m_penColour = m_snapshot.pixel(0, 0);
}

const Picture24 &PaintModel::Snapshot() const
{
    return (m_snapshotPending && m_picture) ? *m_picture : m_snapshot;
}

void PaintModel::TakeSnapshot()
{
    if (!m_picture)
        return;
    m_snapshot = *m_picture;
    m_snapshotPending = false;
    m_changedSinceSnapshot = false;
}

void PaintModel::snapshotAtPress()
{
    // On a large photo a copy per click would show, so a picture that has
    // not changed since the last snapshot is not copied again.
    if (m_snapshotPending || m_changedSinceSnapshot)
        TakeSnapshot();
}

void PaintModel::StartWithPicture()
{
    m_snapshotPending = m_picture != nullptr;
    m_changedSinceSnapshot = false;
    m_drawing = false;
}

void PaintModel::makePendingSnapshot()
{
    if (m_snapshotPending && m_picture)
        m_snapshot = *m_picture;
    m_snapshotPending = false;
}

void PaintModel::BeforeOutsideChange()
{
    makePendingSnapshot();
}

bool PaintModel::pickAt(int x, int y)
{
    // Off the picture there is no colour to take; the pen keeps its own.
    if (!m_picture || x < 0 || y < 0 || x >= m_picture->width() || y >= m_picture->height())
        return false;
    m_penColour = m_picture->pixel(x, y);
    return true;
}

bool PaintModel::Press(Button button, int x, int y)
{
    snapshotAtPress();
    bool picked = false;
    if (button == Button::Right)
        picked = pickAt(x, y);
    if (m_tool == Tool::Dropper)
        return pickAt(x + kDropperOffset, y + kDropperOffset) || picked;
    m_drawing = true;
    m_penX = x;
    m_penY = y;
    return picked;
}

PaintRect PaintModel::Move(int x, int y)
{
    if (!m_drawing || !m_picture)
        return {};
    makePendingSnapshot();
    const PaintRect changed = PenLine::Draw(*m_picture, m_penX, m_penY, x, y, m_penWidth, m_penColour);
    if (!changed.isEmpty())
        m_changedSinceSnapshot = true;
    m_penX = x;
    m_penY = y;
    return changed;
}

void PaintModel::Undo()
{
    if (!m_picture || m_snapshotPending)
        return; // the picture is its own snapshot still
    if (m_changedSinceSnapshot)
        *m_picture = m_snapshot;
    m_changedSinceSnapshot = false;
}

PaintRect PaintModel::ClearTopLeft(int width, int height)
{
    if (!m_picture)
        return {};
    const int w = std::min(width, m_picture->width());
    const int h = std::min(height, m_picture->height());
    if (w <= 0 || h <= 0)
        return {};
    makePendingSnapshot();
    m_changedSinceSnapshot = true;
    for (int y = 0; y < h; ++y)
        std::memset(m_picture->scanLine(y), 0xFF, static_cast<std::size_t>(w) * 3);
    return {0, 0, w, h};
}

PaintRect PaintModel::Paste(const Picture24 &clip)
{
    if (!m_picture)
        return {};
    const int w = std::min(clip.width(), m_picture->width());
    const int h = std::min(clip.height(), m_picture->height());
    if (w <= 0 || h <= 0)
        return {};
    makePendingSnapshot();
    m_changedSinceSnapshot = true;
    for (int y = 0; y < h; ++y)
        std::memcpy(m_picture->scanLine(y), clip.scanLine(y), static_cast<std::size_t>(w) * 3);
    return {0, 0, w, h};
}
