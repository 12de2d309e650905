#include "TBitBtn.h"

TBitBtn::TBitBtn(const QString &name, const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    setObjectName(name);
}
