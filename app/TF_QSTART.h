#pragma once

#include <QDialog>

class QTabWidget;
class TLanguage;

/** The first-steps window: four pages of short instructions, each naming
 *  the toolbar button to press by its picture. Keeps the page last shown. */
class TF_QSTART : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    TF_QSTART(const QString &appDir, QWidget *parent = nullptr);

    QTabWidget *PageControl1 = nullptr;
    TLanguage *L1 = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

extern TF_QSTART *F_QSTART;
