#pragma once

#include <QDialog>

#include <utility>
#include <vector>

class QTabWidget;
class QTextBrowser;
class QTextDocument;
class TLabel;
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
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    /** One page's text: lines of sentences (labels) and pictures (toolbar
     *  item names, where the label is null). */
    struct PageText
    {
        QTextBrowser *text;
        std::vector<std::vector<std::pair<TLabel *, QString>>> lines;
    };
    void composePages();
    QString pageHtml(const PageText &page, QTextDocument *document) const;
    QString pictureHtml(QTextDocument *document, const QString &item) const;

    std::vector<PageText> m_pages;
};

extern TF_QSTART *F_QSTART;
