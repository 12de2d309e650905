#pragma once

#include <QWidget>

class QTabWidget;

/** A page of a page control; its Caption is the tab text. */
class TTabSheet : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

public:
    TTabSheet(const QString &name, const QString &caption, QTabWidget *pages);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);

private:
    QTabWidget *m_pages;
    QString m_caption;
};
