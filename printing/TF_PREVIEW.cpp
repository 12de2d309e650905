#include "TF_PREVIEW.h"

TF_PREVIEW *F_PREVIEW = nullptr;

TF_PREVIEW::TF_PREVIEW(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("F_PREVIEW"));
    setWindowTitle(QStringLiteral("Preview"));
}
