#include "TF_DRAW.h"

#include "EConvertError.h"
#include "MessageBoxes.h"
#include "TLanguage.h"
#include "TMenuItem.h"
#include "TToolItem.h"
#include "TranslationPaths.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

TF_DRAW *F_DRAW = nullptr;

TF_DRAW::TF_DRAW(const QString &appDir, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("F_DRAW"));
    setWindowTitle(QStringLiteral("Retoque Quenda"));
    resize(640, 480);

    auto addMenu = [this](const char *name, const char *caption,
                          std::initializer_list<std::pair<const char *, const char *>> entries) {
        auto *item = new TMenuItem(QString::fromLatin1(name), QString::fromUtf8(caption), this);
        auto *menu = new QMenu(this);
        item->setMenu(menu);
        menuBar()->addAction(item);
        for (const auto &[entryName, entryCaption] : entries)
            menu->addAction(new TMenuItem(QString::fromLatin1(entryName), QString::fromUtf8(entryCaption), this));
    };
    addMenu("File1", "&Arquivo",
            {{"Open1", "&Abrir..."}, {"Save1", "&Salvar"}, {"Saveas1", "Salvar &Como..."},
             {"Print1", "&Imprimir"}, {"Exit1", "Sai&r"}});
    addMenu("Edit1", "&Editar",
            {{"Undo1", "&Desfazer"}, {"Cut1", "Recor&tar"}, {"Copy1", "&Copiar"}, {"Paste1", "Co&lar"}});

    auto *tools = addToolBar(QStringLiteral("Ferramentas"));
    for (const auto &[name, hint] : std::initializer_list<std::pair<const char *, const char *>>{
             {"PenButton", "Caneta"}, {"GotasButton", "Conta-gotas"}, {"Shape1", "Cor atual"},
             {"UndoButton", "Desfazer"}, {"QuendaButton1", "Voltar ao Quenda"},
             {"ColorComboBoxEx1", "Cor"}, {"LineWidthComboBox1", "Espessura da linha"}})
        tools->addAction(new TToolItem(QString::fromLatin1(name), QString(), QString(), QString::fromUtf8(hint), this));

    L1 = new TLanguage(this);
    L1->setObjectName(QStringLiteral("L1"));
    L1->setLanguageFile(appDir + QStringLiteral("language.lng"));
    TranslationPaths::assignTo(*L1, QStringLiteral("F_DRAW"));
    // A bad value ends this window's translation, reported like any
    // unhandled error; the window itself stays usable.
    try {
        L1->Translate();
    } catch (const EConvertError &error) {
        MessageBoxes::ReportException(this, error);
    }
}
