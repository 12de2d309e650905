#pragma once

#include "Picture24.h"

#include <QImage>
#include <QWidget>

/**
 * A plain picture control: shows a 24-bit picture stretched to its bounds,
 * without smoothing. With Transparent set, every pixel of exactly the colour
 * of the picture's bottom-left pixel is left out, so what lies below shows
 * through. With AutoSize set, assigning a picture gives the control the
 * picture's natural size.
 *
 * The whole rectangle takes the mouse, transparent pixels included, so the
 * user can grab a hair by its gaps too.
 */
class TImage : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)

public:
    explicit TImage(const QString &name, QWidget *parent = nullptr);

    const Picture24 &Picture() const { return m_picture; }
    /** Replaces the picture; with AutoSize the control takes its size. */
    void SetPicture(Picture24 picture);
    /** As SetPicture, handing the previous picture back in `picture`
     *  instead of freeing it, so a caller can reuse its pixel block. */
    void ExchangePicture(Picture24 &picture);
    /** Counts picture replacements, so a holder of earlier pixels can tell
     *  that they are no longer the ones shown. */
    std::uint64_t Revision() const { return m_revision; }

    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool on);
    /** Soft edges: with Transparent set, the key's mask is feathered at the
     *  boundary and a stretched picture is drawn smoothly, weighted by the
     *  mask. The picture itself is not touched. */
    bool SoftEdges() const { return m_softEdges; }
    void SetSoftEdges(bool on);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool on) { m_autoSize = on; }
    QString Hint() const { return toolTip(); }
    void SetHint(const QString &hint) { setToolTip(hint); }

    /** Colour (0xRRGGBB) left out when transparent: the bottom-left pixel. */
    std::uint32_t TransparentColour() const;

    /** The picture as drawn at the control's size, on a background colour,
     *  for tests and snapshots. */
    QImage Rendered(QColor background) const;

signals:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void rebuildCache();

    Picture24 m_picture;
    QImage m_cache; // the picture with the key colour cut out
    bool m_transparent = false;
    bool m_autoSize = false;
    bool m_softEdges = false;
    std::uint64_t m_revision = 0;
};
