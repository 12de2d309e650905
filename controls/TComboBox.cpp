#include "TComboBox.h"

TComboBox::TComboBox(const QString &name, QWidget *parent) : QComboBox(parent)
{
    setObjectName(name);
}

QStringList TComboBox::Items() const
{
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items << itemText(i);
    return items;
}

void TComboBox::SetItems(const QStringList &items)
{
    const int selected = currentIndex();
    clear();
    addItems(items);
    if (selected >= 0 && selected < count())
        setCurrentIndex(selected);
}
