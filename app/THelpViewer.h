#pragma once

#include <QWidget>

class QTextBrowser;

/** The help window: shows the help file (HTML or plain text) from its
 *  contents, that is, from the top. */
class THelpViewer : public QWidget
{
    Q_OBJECT

public:
    explicit THelpViewer(QWidget *parent = nullptr);

    /** Loads the file and shows its beginning; false when it cannot be read. */
    bool OpenContents(const QString &fileName);
    QString Text() const;

private:
    QTextBrowser *m_browser;
};
