#pragma once

#include <QMainWindow>

class TLanguage;

/** The retouch editor: a small paint window for the hair or the photo. */
class TF_DRAW : public QMainWindow
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    TF_DRAW(const QString &appDir, QWidget *parent = nullptr);

    TLanguage *L1 = nullptr;
};

extern TF_DRAW *F_DRAW;
