#include "TSpeedButton.h"

TSpeedButton::TSpeedButton(const QString &name, const QString &hint, QWidget *parent) : QToolButton(parent)
{
    setObjectName(name);
    setToolTip(hint);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(kSide, kSide);
    setIconSize(QSize(kSide - 6, kSide - 6));
}
