#pragma once

#include <QWidget>

/** The hidden print page: eight picture cells laid out as one sheet. */
class TF_PREVIEW : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    explicit TF_PREVIEW(QWidget *parent = nullptr);
};

extern TF_PREVIEW *F_PREVIEW;
