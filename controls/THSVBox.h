#pragma once

#include "HsvBoxModel.h"

#include <QColor>
#include <QImage>
#include <QWidget>

/**
 * A small colour picker: a saturation/value square for the current hue, a
 * narrow gap in the background colour and a vertical hue bar. The user
 * presses the left button in the square or the bar and may drag; a drag
 * stays in the zone where it started.
 *
 * OnChange is emitted after every pick by the mouse, never when a property is
 * set in code. OnClick is emitted after a left-button release over the
 * control, also when the press was in the gap and picked nothing.
 *
 * The state and the picture live in a window-system-free HsvBoxModel; the
 * widget only forwards input and copies the picture to the screen.
 */
class THSVBox : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Hue READ Hue WRITE setHue)
    Q_PROPERTY(int Sat READ Sat WRITE setSat)
    Q_PROPERTY(int Val READ Val WRITE setVal)
    Q_PROPERTY(int Red READ Red)
    Q_PROPERTY(int Green READ Green)
    Q_PROPERTY(int Blue READ Blue)
    Q_PROPERTY(QColor Color READ Color)
    Q_PROPERTY(QColor Background READ Background WRITE setBackground)

public:
    /** 105 x 105, black, with the palette's button colour in the gap. */
    explicit THSVBox(QWidget *parent = nullptr);

    int Hue() const { return m_model.Hue(); }
    int Sat() const { return m_model.Sat(); }
    int Val() const { return m_model.Val(); }
    int Red() const { return m_model.Red(); }
    int Green() const { return m_model.Green(); }
    int Blue() const { return m_model.Blue(); }
    QColor Color() const { return QColor(Red(), Green(), Blue()); }
    QColor Background() const;

    /** Values outside 0 ... 359 are clamped. */
    void setHue(int value);
    /** Values outside 0 ... 99 are clamped. */
    void setSat(int value);
    /** Values outside 0 ... 99 are clamped. */
    void setVal(int value);
    void setBackground(const QColor &colour);

    /** Inverts the two markers on the control's picture; a second call
     *  restores it exactly. */
    void ToggleMarkers();

    /** The state and picture behind the control. */
    const HsvBoxModel &model() const { return m_model; }

    QSize sizeHint() const override;

signals:
    /** A colour was picked with the mouse. */
    void OnChange();
    /** Left-button release over the control. */
    void OnClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void syncSize();
    void pictureChanged();

    HsvBoxModel m_model;
    QImage m_image;
};
