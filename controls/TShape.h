#pragma once

#include <QColor>
#include <QWidget>

/** A plain rectangle: a 1-pixel black frame filled with its brush colour. */
class TShape : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor BrushColor READ BrushColor WRITE SetBrushColor)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)

public:
    explicit TShape(const QString &name, QWidget *parent = nullptr);

    QColor BrushColor() const { return m_brush; }
    void SetBrushColor(const QColor &colour);
    QString Hint() const { return toolTip(); }
    void SetHint(const QString &hint) { setToolTip(hint); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_brush = Qt::white;
};
