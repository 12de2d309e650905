#include "TTabSheet.h"

#include <QTabWidget>

TTabSheet::TTabSheet(const QString &name, const QString &caption, QTabWidget *pages)
    : QWidget(pages), m_pages(pages), m_caption(caption)
{
    setObjectName(name);
    m_pages->addTab(this, caption);
}

void TTabSheet::SetCaption(const QString &caption)
{
    m_caption = caption;
    const int index = m_pages->indexOf(this);
    if (index >= 0)
        m_pages->setTabText(index, caption);
}
