#pragma once

#include <QAction>
#include <QString>

/**
 * A toolbar item. The hint holds a short hint (the tooltip) and, after a
 * vertical bar, a long hint (the status text); "Sair|" has an empty long hint.
 */
class TToolItem : public QAction
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    TToolItem(const QString &name, const QString &section, const QString &caption,
              const QString &hint, QObject *parent);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    QString Hint() const { return m_hint; }
    void SetHint(const QString &hint);
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }
    QString Section() const { return m_section; }

    /** The short hint: the text before the first vertical bar. */
    static QString ShortHint(const QString &hint);
    /** The long hint: the text after the first vertical bar, or the whole hint. */
    static QString LongHint(const QString &hint);

private:
    QString m_section;
    QString m_caption;
    QString m_hint;
    int m_tag = 0;
};
