#pragma once

#include <QDialog>

class TLanguage;

/** The print options window with its page preview. */
class TF_IMPRESSAO : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    TF_IMPRESSAO(const QString &appDir, QWidget *parent = nullptr);

    TLanguage *L1 = nullptr;
};

extern TF_IMPRESSAO *F_IMPRESSAO;
