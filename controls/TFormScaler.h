#pragma once

#include <QObject>

class QWidget;

/**
 * Scales its window on the window's first showing only, from the design
 * size 800 x 600 at 96 pixels per inch to the screen (see FormScale).
 * Windows that start maximized are left to the window manager.
 */
class TFormScaler : public QObject
{
    Q_OBJECT

public:
    TFormScaler(const QString &name, QWidget *window);

    bool Active() const { return m_active; }
    void SetActive(bool on) { m_active = on; }
    bool Done() const { return m_done; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void scale();

    QWidget *m_window;
    bool m_active = true;
    bool m_done = false;
};
