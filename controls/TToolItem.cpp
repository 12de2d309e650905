#include "TToolItem.h"

TToolItem::TToolItem(const QString &name, const QString &section, const QString &caption,
                     const QString &hint, QObject *parent)
    : QAction(parent), m_section(section)
{
    setObjectName(name);
    SetCaption(caption);
    SetHint(hint);
}

void TToolItem::SetCaption(const QString &caption)
{
    m_caption = caption;
    // The glyph carries the meaning on the button; the caption names the
    // action for menus and for assistive tools.
    setIconText(caption.isEmpty() ? ShortHint(m_hint) : caption);
}

void TToolItem::SetHint(const QString &hint)
{
    m_hint = hint;
    setToolTip(ShortHint(hint));
    setStatusTip(LongHint(hint));
    if (m_caption.isEmpty())
        setIconText(ShortHint(hint));
}

QString TToolItem::ShortHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

QString TToolItem::LongHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}
