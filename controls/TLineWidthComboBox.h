#pragma once

#include <QColor>
#include <QComboBox>

class QPainter;

/**
 * A drop-down list of line widths 1 ... MaxLineWidth, each item drawn as a
 * grey sample line of its width in a box filled with Color. LineWidth is
 * kept apart from the list and is not range-checked: a width the list does
 * not offer is stored and leaves no item selected.
 */
class TLineWidthComboBox : public QComboBox
{
    Q_OBJECT
    Q_PROPERTY(int LineWidth READ GetLineWidth WRITE SetLineWidth)
    Q_PROPERTY(int MaxLineWidth READ MaxLineWidth WRITE SetMaxLineWidth)
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)
    Q_PROPERTY(int Height READ height WRITE SetHeight)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)

public:
    static constexpr int kItemHeight = 17;
    static constexpr int kHeight = 23;
    static constexpr int kDefaultMaxLineWidth = 5;

    explicit TLineWidthComboBox(const QString &name, QWidget *parent = nullptr);

    int GetLineWidth() const { return m_lineWidth; }
    /** Stores the width and selects its item (none when out of the list). */
    void SetLineWidth(int width);
    int MaxLineWidth() const { return m_maxLineWidth; }
    /** Rebuilds the list with `count` widths; the width stays as it was. */
    void SetMaxLineWidth(int count);

    QColor Color() const { return m_color; }
    void SetColor(const QColor &color);
    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int height);
    void SetHeight(int height) { setFixedHeight(height); }
    QString Hint() const { return toolTip(); }
    void SetHint(const QString &hint) { setToolTip(hint); }

    /** Clears the list and adds "Ancho 1" ... "Ancho MaxLineWidth". */
    virtual void BuildItems();
    /** What creating the control's window does: the list is built again and
     *  the current LineWidth selects its item. */
    void CreateWnd();

    /** Draws item `index` into `rect` (Qt's rectangle), highlighted when
     *  `selected`. The item texts are not drawn. */
    void DrawItem(QPainter &painter, const QRect &rect, int index, bool selected) const;

signals:
    void OnChange();
    void OnClick();

protected:
    /** A pick by the user: the picked width, then OnClick. */
    virtual void Click();

    void paintEvent(QPaintEvent *event) override;

private:
    void userPicked(int index);

    int m_lineWidth = 1;
    int m_maxLineWidth = kDefaultMaxLineWidth;
    QColor m_color = Qt::white;
    int m_itemHeight = kItemHeight;
};
