#pragma once

#include <QDialog>

class PrintHost;
class QButtonGroup;
class QToolButton;
class TBitBtn;
class TLabel;
class TLanguage;
class TPageSheet;

/** The print options window with its page preview. */
class TF_IMPRESSAO : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    TF_IMPRESSAO(const QString &appDir, QWidget *parent = nullptr);

    void SetHost(PrintHost *host) { m_host = host; }
    int SizeMode() const { return m_sizeMode; }

    /** Rebuilds the page view from the scratch image. */
    void FormActivate();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    /** Prints the sheet on a landscape page. */
    void BitBtn2Click();
    void BitBtn1Click();

    TLanguage *L1 = nullptr;
    TBitBtn *BitBtn2 = nullptr;
    TLabel *Label1 = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QToolButton *SpeedButton3 = nullptr;
    TBitBtn *BitBtn1 = nullptr;
    TPageSheet *PP_IMPRESSAO = nullptr;

protected:
    bool event(QEvent *event) override;

private:
    void chooseSize(int mode);

    PrintHost *m_host = nullptr;
    int m_sizeMode = 3;
};

extern TF_IMPRESSAO *F_IMPRESSAO;
