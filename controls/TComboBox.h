#pragma once

#include <QComboBox>
#include <QStringList>

/** A drop-down list whose Items the language file can replace as a whole. */
class TComboBox : public QComboBox
{
    Q_OBJECT
    Q_PROPERTY(QStringList Items READ Items WRITE SetItems)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)

public:
    explicit TComboBox(const QString &name, QWidget *parent = nullptr);

    QStringList Items() const;
    void SetItems(const QStringList &items);
    QString Hint() const { return toolTip(); }
    void SetHint(const QString &hint) { setToolTip(hint); }
};
