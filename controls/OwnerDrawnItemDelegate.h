#pragma once

#include <QStyledItemDelegate>

/**
 * Hands the painting of a drop-down's list items to the control itself, at
 * the control's own item height, so the list draws exactly what the closed
 * control draws. `Owner` has DrawItem(QPainter &, QRect, int row, bool
 * selected) and ItemHeight().
 */
template <typename Owner>
class OwnerDrawnItemDelegate : public QStyledItemDelegate
{
public:
    explicit OwnerDrawnItemDelegate(Owner *owner) : QStyledItemDelegate(owner), m_owner(owner) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        m_owner->DrawItem(*painter, option.rect, index.row(), option.state & QStyle::State_Selected);
    }
    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return {m_owner->width(), m_owner->ItemHeight()};
    }

private:
    Owner *m_owner;
};
