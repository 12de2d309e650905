#include "TF_PREVIEW.h"

#include "SheetLayout.h"
#include "TImageAspect.h"

TF_PREVIEW *F_PREVIEW = nullptr;

TF_PREVIEW::TF_PREVIEW(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("F_PREVIEW"));
    setWindowTitle(QStringLiteral("Preview"));
    // Never shown: its client area is the printed sheet, so it is fixed.
    setFixedSize(SheetLayout::kPageWidth, SheetLayout::kPageHeight);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setAutoFillBackground(true);
    for (int i = 0; i < SheetLayout::kCells; ++i) {
        const PrintGeometry::Rect r = SheetLayout::PageCell(i);
        m_cells[i] = new TImageAspect(QStringLiteral("ImageAspect%1").arg(i + 1), this);
        m_cells[i]->setGeometry(r.left, r.top, r.width, r.height);
    }
}
