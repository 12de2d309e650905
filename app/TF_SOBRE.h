#pragma once

#include <QDialog>

class QLabel;
class QTimer;
class TLanguage;

/** The about box. Its picture grows into place each time the box comes up. */
class TF_SOBRE : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    TF_SOBRE(const QString &appDir, QWidget *parent = nullptr);

    TLanguage *L1 = nullptr;
    QLabel *ImageEffect2 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void step();

    QTimer *m_effect;
    int m_effectStep = 0;
};

extern TF_SOBRE *F_SOBRE;
