#pragma once

#include <QMainWindow>

class PrintHost;
class QScrollArea;
class TLanguage;
class TMenuItem;
class TRasterIMG;

/** The on-screen print preview: the sheet of compositions as it will print. */
class TF_PREVIEW2 : public QMainWindow
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    TF_PREVIEW2(const QString &appDir, QWidget *parent = nullptr);

    void SetHost(PrintHost *host) { m_host = host; }
    /** Cell k (1 to 8). */
    TRasterIMG *Cell(int k) const { return m_cells[k - 1]; }

    /** Snapshot of the page form into the scratch image; shows the print window. */
    void Imprimir1Click();
    /** Empties every cell and closes. */
    void Sair1Click();

    TLanguage *L1 = nullptr;
    TMenuItem *Imprimir1 = nullptr;
    TMenuItem *Sair1 = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    PrintHost *m_host = nullptr;
    QScrollArea *m_scroll = nullptr;
    TRasterIMG *m_cells[8] = {};
};

extern TF_PREVIEW2 *F_PREVIEW2;
