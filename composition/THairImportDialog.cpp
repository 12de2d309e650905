#include "THairImportDialog.h"

#include "PictureImage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

namespace {
THairImportDialog::Runner &runner()
{
    static THairImportDialog::Runner r;
    return r;
}
} // namespace

void THairImportDialog::SetRunner(Runner r)
{
    runner() = std::move(r);
}

bool THairImportDialog::Execute()
{
    const bool confirmed = runner() ? runner()(*this) : exec() == QDialog::Accepted;
    return confirmed;
}

THairImportDialog::THairImportDialog(const QStringList &categories, int category, const Translate &translate,
                                     QWidget *parent)
    : QDialog(parent)
{
    const auto tr = [&](const char *text) {
        const QString s = QString::fromUtf8(text);
        return translate ? translate(s) : s;
    };
    setObjectName(QStringLiteral("F_IMPORTAR"));
    setWindowTitle(tr("Importar Cabelo"));

    IM_PREVIA = new QLabel(this);
    IM_PREVIA->setObjectName(QStringLiteral("IM_PREVIA"));
    IM_PREVIA->setFixedSize(kPreviewWidth, kPreviewHeight);
    IM_PREVIA->setAlignment(Qt::AlignCenter);
    IM_PREVIA->setFrameShape(QFrame::StyledPanel);

    CB_CATEGORIA = new QComboBox(this);
    CB_CATEGORIA->setObjectName(QStringLiteral("CB_CATEGORIA"));
    CB_CATEGORIA->addItems(categories);
    CB_CATEGORIA->setCurrentIndex(std::clamp(category, 0, std::max(0, int(categories.size()) - 1)));

    TB_TOLERANCIA = new QSlider(Qt::Horizontal, this);
    TB_TOLERANCIA->setObjectName(QStringLiteral("TB_TOLERANCIA"));
    TB_TOLERANCIA->setRange(0, HairCutout::kMaxTolerance);
    TB_TOLERANCIA->setValue(HairCutout::kDefaultTolerance);
    LB_TOLERANCIA = new QLabel(tr("Tolerância do fundo:"), this);

    BT_IMPORTAR = new QPushButton(tr("&Importar"), this);
    BT_IMPORTAR->setObjectName(QStringLiteral("BT_IMPORTAR"));
    BT_IMPORTAR->setDefault(true);
    BT_CANCELAR = new QPushButton(tr("&Cancelar"), this);
    BT_CANCELAR->setObjectName(QStringLiteral("BT_CANCELAR"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(IM_PREVIA, 0, 0, 1, 2);
    grid->addWidget(new QLabel(tr("Categoria:"), this), 1, 0);
    grid->addWidget(CB_CATEGORIA, 1, 1);
    grid->addWidget(LB_TOLERANCIA, 2, 0);
    grid->addWidget(TB_TOLERANCIA, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BT_IMPORTAR);
    buttons->addWidget(BT_CANCELAR);
    grid->addLayout(buttons, 3, 0, 1, 2);

    connect(TB_TOLERANCIA, &QSlider::valueChanged, this, [this] { recut(); });
    connect(BT_IMPORTAR, &QPushButton::clicked, this, &QDialog::accept);
    connect(BT_CANCELAR, &QPushButton::clicked, this, &QDialog::reject);
}

void THairImportDialog::SetPicture(const Picture24 &onBlack, const Picture24 *onWhite)
{
    m_cutout.setSource(onBlack, onWhite);
    // Opacity decides a transparent picture's cut; the tolerance has no say.
    TB_TOLERANCIA->setEnabled(!m_cutout.transparent());
    LB_TOLERANCIA->setEnabled(!m_cutout.transparent());
    recut();
}

int THairImportDialog::Category() const
{
    return CB_CATEGORIA->currentIndex();
}

int THairImportDialog::Tolerance() const
{
    return TB_TOLERANCIA->value();
}

void THairImportDialog::SetTolerance(int tolerance)
{
    TB_TOLERANCIA->setValue(tolerance);
}

CutHair THairImportDialog::Result() const
{
    // The preview's cut only shows the choice; the hair is cut again on the
    // working copy, at full detail.
    return m_cutout.finish(m_cutout.mask(Tolerance()));
}

bool THairImportDialog::HasHair() const
{
    return std::find(m_mask.begin(), m_mask.end(), 1) != m_mask.end();
}

void THairImportDialog::recut()
{
    if (!m_cutout.hasSource())
        return;
    m_mask = m_cutout.previewMask(Tolerance());
    const Picture24 preview =
        HairCutout::Preview(m_cutout.previewWork(), m_mask, kPreviewWidth, kPreviewHeight);
    IM_PREVIA->setPixmap(QPixmap::fromImage(PictureImage::ToQImage(preview)));
    BT_IMPORTAR->setEnabled(HasHair());
}
