#include "TF_IMPRESSAO.h"

#include "TBitBtn.h"
#include "TLabel.h"
#include "EConvertError.h"
#include "MessageBoxes.h"
#include "TLanguage.h"
#include "TranslationPaths.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

TF_IMPRESSAO *F_IMPRESSAO = nullptr;

TF_IMPRESSAO::TF_IMPRESSAO(const QString &appDir, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("F_IMPRESSAO"));
    setWindowTitle(QStringLiteral("Imprimir"));
    resize(360, 375);
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    top->addWidget(new TBitBtn(QStringLiteral("BitBtn2"), QStringLiteral("&Imprimir"), this));
    top->addWidget(new TLabel(QStringLiteral("Label1"), QStringLiteral("Tamanho:"), this));
    top->addStretch(1);
    auto *close = new TBitBtn(QStringLiteral("BitBtn1"), QStringLiteral("&Sair"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    top->addWidget(close);
    layout->addLayout(top);
    layout->addStretch(1);

    L1 = new TLanguage(this);
    L1->setObjectName(QStringLiteral("L1"));
    L1->setLanguageFile(appDir + QStringLiteral("language.lng"));
    TranslationPaths::assignTo(*L1, QStringLiteral("F_IMPRESSAO"));
    // A bad value ends this window's translation, reported like any
    // unhandled error; the window itself stays usable.
    try {
        L1->Translate();
    } catch (const EConvertError &error) {
        MessageBoxes::ReportException(this, error);
    }
}
