#pragma once

#include <QAction>
#include <QString>

class QMenu;

/**
 * A menu entry or a whole menu of the menu bar. Caption and Hint are the
 * published names the language file uses; the caption keeps its "&"
 * accelerator as designed.
 */
class TMenuItem : public QAction
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)

public:
    TMenuItem(const QString &name, const QString &caption, QObject *parent);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    QString Hint() const { return m_hint; }
    void SetHint(const QString &hint);

    /** A key shown beside the caption without being bound to this entry
     *  (when another entry, earlier in the menus, owns that key). */
    void SetShownKey(const QString &key);

private:
    void updateText();

    QString m_caption;
    QString m_shownKey;
    QString m_hint;
};
