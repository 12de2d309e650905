#include "TF_PREVIEW2.h"

#include "EConvertError.h"
#include "MessageBoxes.h"
#include "TLanguage.h"
#include "TMenuItem.h"
#include "TranslationPaths.h"

#include <QMenuBar>

TF_PREVIEW2 *F_PREVIEW2 = nullptr;

TF_PREVIEW2::TF_PREVIEW2(const QString &appDir, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("F_PREVIEW2"));
    setWindowTitle(QStringLiteral("Visualizador de Impressão"));
    menuBar()->addAction(new TMenuItem(QStringLiteral("Imprimir1"), QStringLiteral("&Imprimir"), this));
    auto *leave = new TMenuItem(QStringLiteral("Sair1"), QStringLiteral("&Sair"), this);
    connect(leave, &QAction::triggered, this, &QWidget::close);
    menuBar()->addAction(leave);

    L1 = new TLanguage(this);
    L1->setObjectName(QStringLiteral("L1"));
    L1->setLanguageFile(appDir + QStringLiteral("language.lng"));
    TranslationPaths::assignTo(*L1, QStringLiteral("F_PREVIEW2"));
    // A bad value ends this window's translation, reported like any
    // unhandled error; the window itself stays usable.
    try {
        L1->Translate();
    } catch (const EConvertError &error) {
        MessageBoxes::ReportException(this, error);
    }
}
