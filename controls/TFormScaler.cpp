#include "TFormScaler.h"

#include "FormScale.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

TFormScaler::TFormScaler(const QString &name, QWidget *window) : QObject(window), m_window(window)
{
    setObjectName(name);
    window->installEventFilter(this);
}

bool TFormScaler::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Show && !m_done) {
        m_done = true;
        if (m_active && !m_window->isMaximized() && !m_window->isFullScreen())
            scale();
    }
    return QObject::eventFilter(watched, event);
}

void TFormScaler::scale()
{
    QScreen *screen = m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize screenSize = screen->size();
    const QSize client = m_window->size();
    const QSize outer = m_window->frameGeometry().size();
    const int dpi = qRound(screen->logicalDotsPerInch());
    const FormScaleResult r = FormScale::Compute(client.width(), client.height(), outer.width(),
                                                 outer.height(), screenSize.width(),
                                                 screenSize.height(), dpi);
    if (r.scaleContents) {
        QFont font = m_window->font();
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * r.contentsNumerator / r.contentsDenominator);
        m_window->setFont(font);
    }
    const int frameW = outer.width() - client.width();
    const int frameH = outer.height() - client.height();
    m_window->resize(r.outerWidth - frameW, r.outerHeight - frameH);
}
