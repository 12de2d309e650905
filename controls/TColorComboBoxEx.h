#pragma once

#include <QColor>
#include <QComboBox>

#include <cstdint>

class QPainter;

/**
 * A drop-down list of the sixteen basic colours, each item drawn by the
 * control itself as a swatch, its name, or both (ShowStyle). ColorValue is
 * kept apart from the list: a value set before the list exists selects its
 * item when the list is built, and the list is built again whenever the
 * control is (re)created.
 *
 * A pick by the user raises OnChange twice when the colour changes (once from
 * SetColorValue, once as the list's change notification) and once when it
 * does not; owners react idempotently.
 */
class TColorComboBoxEx : public QComboBox
{
    Q_OBJECT
    Q_PROPERTY(QColor ColorValue READ ColorValue WRITE SetColorValue)
    Q_PROPERTY(TShowStyle ShowStyle READ ShowStyle WRITE SetShowStyle)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)
    Q_PROPERTY(int Height READ height WRITE SetHeight)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)

public:
    enum TShowStyle { ssOnlyColor = 0, ssOnlyText = 1, ssColorAndText = 2 };
    Q_ENUM(TShowStyle)

    static constexpr int kItemHeight = 17;
    static constexpr int kHeight = 23;

    explicit TColorComboBoxEx(const QString &name, QWidget *parent = nullptr);

    QColor ColorValue() const;
    /** Selects `colour` when it is one of the list's; otherwise nothing
     *  changes. Raises OnChange unless the colour was already current with
     *  an item selected. */
    void SetColorValue(const QColor &colour);
    /** The index of the last item with this colour; -1 when none has it. */
    int IndexOfColor(const QColor &colour) const;

    TShowStyle ShowStyle() const { return m_showStyle; }
    void SetShowStyle(TShowStyle style);
    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int height);
    void SetHeight(int height) { setFixedHeight(height); }
    QString Hint() const { return toolTip(); }
    void SetHint(const QString &hint) { setToolTip(hint); }

    /** Clears the list and adds the sixteen colours. */
    virtual void BuildItems();
    /** What creating the control's window does: the list is built again and
     *  the current ColorValue selects its item. */
    void CreateWnd();
    /** Height of a font's text on the screen plus 2 pixels. */
    static int FontItemHeight(const QFont &font);

    /** Draws item `index` into `rect` (right and bottom edges of the rect
     *  included, as Qt gives them), highlighted when `selected`. */
    void DrawItem(QPainter &painter, const QRect &rect, int index, bool selected) const;

signals:
    void OnChange();
    void OnClick();

protected:
    /** A pick by the user: takes the picked item's colour, then OnClick. */
    virtual void Click();
    /** The list's change notification: OnChange, nothing else. */
    virtual void Change();

    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void userPicked(int index);
    static std::uint32_t bgrOf(const QColor &colour);

    std::uint32_t m_colour = 0; // 0xBBGGRR
    TShowStyle m_showStyle = ssOnlyColor;
    int m_itemHeight = kItemHeight;
};
