#pragma once

#include <QPaintDevice>
#include <QSize>

#include <memory>
#include <vector>

class QPainter;

/**
 * One page of the page view, recorded as drawing commands in printer pixels
 * and played back at any scale. Pictures drawn on it are kept as they are
 * (shared, not copied or re-encoded), so recording and playing a full-page
 * picture costs no more than drawing it.
 */
class PageRecording : public QPaintDevice
{
public:
    /** A page of `size` printer pixels at `dpi` pixels per inch. */
    PageRecording(QSize size = {}, int dpi = 300);
    ~PageRecording() override;
    PageRecording(const PageRecording &) = delete;
    PageRecording &operator=(const PageRecording &) = delete;

    QSize Size() const { return m_size; }
    bool IsEmpty() const;
    /** Draws the page with the painter's current transform and clip. */
    void Play(QPainter &painter) const;

    QPaintEngine *paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    class Engine;
    struct Command;
    QSize m_size;
    int m_dpi;
    std::vector<std::shared_ptr<Command>> m_commands;
    std::unique_ptr<Engine> m_engine;
};
