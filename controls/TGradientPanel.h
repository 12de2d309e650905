#pragma once

#include <QColor>
#include <QFrame>
#include <QPoint>

/**
 * A movable panel painted with vertical strips that run from the start
 * colour at both side edges to the end colour in the middle. Its size is
 * held: any resize snaps back to the fixed width and height, so the colour
 * panel keeps the layout its sliders were placed for. It is dragged by any
 * point of its surface that no child control takes.
 */
class TGradientPanel : public QFrame
{
    Q_OBJECT

public:
    TGradientPanel(const QString &name, int width, int height, QWidget *parent);

    void SetColours(QColor from, QColor to);

signals:
    /** After every resize, also one the panel undid. */
    void Resized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_width;
    int m_height;
    QColor m_from = Qt::gray;
    QColor m_to = QColor(0xC0, 0xC0, 0xC0);
    bool m_dragging = false;
    QPoint m_dragOffset;
};
