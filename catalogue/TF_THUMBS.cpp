#include "TF_THUMBS.h"

#include "EConvertError.h"
#include "MessageBoxes.h"
#include "TLanguage.h"
#include "TTabSheet.h"
#include "TranslationPaths.h"

#include <QTabWidget>
#include <QVBoxLayout>

TF_THUMBS *F_THUMBS = nullptr;

TF_THUMBS::TF_THUMBS(const QString &appDir, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("F_THUMBS"));
    // Given before the window translates itself, so a translation of the
    // caption takes precedence.
    setWindowTitle(QStringLiteral("Viewer Quenda 5.0"));
    resize(682, 421);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    const char *captions[] = {"Fotos", "Curtos/Claros", "Curtos/Escuros", "Médios/Claros",
                              "Médios/Escuros", "Longos/Claros", "Longos/Escuros", "Masculinos"};
    for (int i = 0; i < 8; ++i)
        new TTabSheet(QStringLiteral("TabSheet%1").arg(i + 1), QString::fromUtf8(captions[i]), PageControl1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl1);

    L1 = new TLanguage(this);
    L1->setObjectName(QStringLiteral("L1"));
    L1->setLanguageFile(appDir + QStringLiteral("language.lng"));
    TranslationPaths::assignTo(*L1, QStringLiteral("F_THUMBS"));
    // A bad value ends this window's translation, reported like any
    // unhandled error; the window itself stays usable.
    try {
        L1->Translate();
    } catch (const EConvertError &error) {
        MessageBoxes::ReportException(this, error);
    }
}
