#pragma once

#include <QWidget>

class TImageAspect;

/** The hidden print page: eight picture cells laid out as one sheet. */
class TF_PREVIEW : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    explicit TF_PREVIEW(QWidget *parent = nullptr);

    /** Cell k (1 to 8). */
    TImageAspect *Cell(int k) const { return m_cells[k - 1]; }

private:
    TImageAspect *m_cells[8] = {};
};

extern TF_PREVIEW *F_PREVIEW;
