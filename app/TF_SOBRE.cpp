#include "TF_SOBRE.h"

#include "TBitBtn.h"
#include "TLabel.h"
#include "EConvertError.h"
#include "MessageBoxes.h"
#include "TLanguage.h"
#include "ToolbarGlyphs.h"
#include "TranslationPaths.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

TF_SOBRE *F_SOBRE = nullptr;

namespace {
constexpr int kEffectSteps = 12;
constexpr int kPictureSize = 48;
} // namespace

TF_SOBRE::TF_SOBRE(const QString &appDir, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("F_SOBRE"));
    setWindowTitle(QStringLiteral("Copyright"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    // The box takes the size its texts need (at any font size, in any
    // language), never less than its design size; it cannot be resized.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto *panel = new QFrame(this);
    panel->setFrameShape(QFrame::Box);
    panel->setMinimumWidth(219 - 12); // the design width, inside the margins
    auto *panelLayout = new QHBoxLayout(panel);
    auto *logo = new QLabel(panel);
    logo->setPixmap(ToolbarGlyphs::Picture(QStringLiteral("Composition"), 40));
    panelLayout->addWidget(logo, 0, Qt::AlignTop);
    auto *texts = new QVBoxLayout;
    auto *product = new TLabel(QStringLiteral("ProductName"), QStringLiteral("QUENDA"), panel);
    QFont bold = product->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    product->setFont(bold);
    product->setStyleSheet(QStringLiteral("color: navy;"));
    texts->addWidget(product);
    texts->addWidget(new TLabel(QStringLiteral("Version"), QStringLiteral("Version 5.05"), panel));
    texts->addWidget(new TLabel(QStringLiteral("Label1"), QStringLiteral("Simulação de cabelos para salões."), panel));
    texts->addWidget(new TLabel(QStringLiteral("Label2"), QStringLiteral("Provador virtual de penteados."), panel));
    texts->addWidget(new TLabel(QStringLiteral("Label3"), QStringLiteral("Software livre para o seu salão."), panel));
    // A long translation wraps rather than widening the box past the screen.
    for (QLabel *l : panel->findChildren<QLabel *>())
        l->setWordWrap(true);
    panelLayout->addLayout(texts, 1);
    layout->addWidget(panel);

    auto *bottom = new QHBoxLayout;
    ImageEffect2 = new QLabel(this);
    ImageEffect2->setObjectName(QStringLiteral("ImageEffect2"));
    ImageEffect2->setFixedSize(kPictureSize, kPictureSize);
    ImageEffect2->setAlignment(Qt::AlignCenter);
    bottom->addWidget(ImageEffect2);
    bottom->addStretch(1);
    auto *ok = new TBitBtn(QStringLiteral("BitBtn1"), QStringLiteral("OK"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(ok, 0, Qt::AlignBottom);
    layout->addLayout(bottom);

    m_effect = new QTimer(this);
    m_effect->setInterval(25);
    connect(m_effect, &QTimer::timeout, this, &TF_SOBRE::step);

    L1 = new TLanguage(this);
    L1->setObjectName(QStringLiteral("L1"));
    L1->setLanguageFile(appDir + QStringLiteral("language.lng"));
    TranslationPaths::assignTo(*L1, QStringLiteral("F_SOBRE"));
    // A bad value ends this window's translation, reported like any
    // unhandled error; the window itself stays usable.
    try {
        L1->Translate();
    } catch (const EConvertError &error) {
        MessageBoxes::ReportException(this, error);
    }
}

void TF_SOBRE::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_effectStep = 0;
    step();
    m_effect->start();
}

void TF_SOBRE::step()
{
    // Zoom-in appearance: the picture grows from a point to its full size.
    ++m_effectStep;
    const int size = qMax(1, kPictureSize * m_effectStep / kEffectSteps);
    ImageEffect2->setPixmap(ToolbarGlyphs::Picture(QStringLiteral("BT_M"), kPictureSize)
                                .scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    if (m_effectStep >= kEffectSteps)
        m_effect->stop();
}
