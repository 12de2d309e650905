#include "TMenuItem.h"

TMenuItem::TMenuItem(const QString &name, const QString &caption, QObject *parent)
    : QAction(caption, parent), m_caption(caption)
{
    setObjectName(name);
}

void TMenuItem::SetCaption(const QString &caption)
{
    m_caption = caption;
    updateText();
}

void TMenuItem::SetShownKey(const QString &key)
{
    m_shownKey = key;
    updateText();
}

void TMenuItem::updateText()
{
    // A tab separates the caption from the key column of the menu.
    setText(m_shownKey.isEmpty() ? m_caption : m_caption + QLatin1Char('\t') + m_shownKey);
}

void TMenuItem::SetHint(const QString &hint)
{
    m_hint = hint;
    setStatusTip(hint);
}
