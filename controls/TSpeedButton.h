#pragma once

#include <QToolButton>

/**
 * A flat tool-bar button. Buttons of one window with the same non-zero
 * GroupIndex are checkable and exclude each other (see QButtonGroup).
 */
class TSpeedButton : public QToolButton
{
    Q_OBJECT
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool Down READ isChecked WRITE setChecked)

public:
    static constexpr int kSide = 25;

    TSpeedButton(const QString &name, const QString &hint, QWidget *parent = nullptr);

    QString Hint() const { return toolTip(); }
    void SetHint(const QString &hint) { setToolTip(hint); }
};
