#pragma once

#include <QMainWindow>

class TLanguage;

/** The on-screen print preview: the sheet of compositions as it will print. */
class TF_PREVIEW2 : public QMainWindow
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    TF_PREVIEW2(const QString &appDir, QWidget *parent = nullptr);

    TLanguage *L1 = nullptr;
};

extern TF_PREVIEW2 *F_PREVIEW2;
