#pragma once

#include <QColor>
#include <QWidget>

/**
 * Base of the image engine's windowed views: a widget with a background
 * colour and a one-pixel single-line border. The area inside the border is
 * left to the derived view (contentsRect()).
 */
class TViewBase : public QWidget
{
    Q_OBJECT
public:
    explicit TViewBase(QWidget *parent = nullptr);

    /** Colour of the uncovered parts of the view; the palette's button
     *  colour until set. */
    QColor Background() const { return m_background; }
    void SetBackground(const QColor &colour);

    /** Width of the border on each side, in pixels. */
    static constexpr int kBorderWidth = 1;

protected:
    void paintEvent(QPaintEvent *event) override;
    /** Called after the background colour changed; the default repaints. */
    virtual void backgroundChanged();

private:
    QColor m_background;
};
