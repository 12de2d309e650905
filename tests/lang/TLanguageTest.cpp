// Translation of live Qt objects from a language file, and message lookup.

#include "EConvertError.h"
#include "ImageStatus.h"
#include "ProfileFile.h"
#include "TLanguage.h"
#include "TranslationPaths.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <memory>

// Stand-ins for the program's windows and components: they expose the
// property names the translation paths use.
class Part : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QString Hint READ hint WRITE setHint)
    Q_PROPERTY(QStringList Items READ items WRITE setItems)
    Q_PROPERTY(int Tag READ tag WRITE setTag)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(QString ReadOnly READ readOnly)

public:
    explicit Part(const QString &name, QObject *parent) : QObject(parent) { setObjectName(name); }
    QString caption() const { return m_caption; }
    void setCaption(const QString &v) { m_caption = v; }
    QString hint() const { return m_hint; }
    void setHint(const QString &v) { m_hint = v; }
    QStringList items() const { return m_items; }
    void setItems(const QStringList &v) { m_items = v; }
    int tag() const { return m_tag; }
    void setTag(int v) { m_tag = v; }
    QColor color() const { return m_color; }
    void setColor(const QColor &v) { m_color = v; }
    QString readOnly() const { return QStringLiteral("fixed"); }

private:
    QString m_caption;
    QString m_hint;
    QStringList m_items;
    int m_tag = 0;
    QColor m_color = Qt::red;
};

class Window : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(int Tag READ tag WRITE setTag)

public:
    explicit Window(const QString &name) { setObjectName(name); }
    QString caption() const { return m_caption; }
    void setCaption(const QString &v) { m_caption = v; }
    int tag() const { return m_tag; }
    void setTag(int v) { m_tag = v; }

private:
    QString m_caption;
    int m_tag = 0;
};

namespace {

const QStringList kCategories{
    QStringLiteral("Curtos e Claros"),  QStringLiteral("Curtos e Escuros"),
    QStringLiteral("Médios e Claros"),  QStringLiteral("Médios e Escuros"),
    QStringLiteral("Longos e Claros"),  QStringLiteral("Longos e Escuros"),
    QStringLiteral("Masculinos"),
};

} // namespace

class TLanguageTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Window> m_hair;
    Part *m_arquivo = nullptr;
    Part *m_tipo = nullptr;
    Part *m_nested = nullptr;
    Part *m_scroll = nullptr;

    QString writeFile(const QByteArray &bytes, const QString &name = QStringLiteral("language.lng"))
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(path));
        f.write(bytes);
        return path;
    }

    TLanguage *languageFor(const QByteArray &contents, const QStringList &paths)
    {
        auto *l1 = new TLanguage(m_hair.get());
        l1->setObjectName(QStringLiteral("L1"));
        l1->setLanguageFile(writeFile(contents));
        l1->setProperties(paths);
        l1->setSeparator(QStringLiteral(","));
        return l1;
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_hair = std::make_unique<Window>(QStringLiteral("F_HAIR"));
        m_hair->setCaption(QStringLiteral("QUENDA 5"));
        auto *menuBar = new Part(QStringLiteral("MainMenu1"), m_hair.get());
        m_arquivo = new Part(QStringLiteral("Arquivo1"), menuBar);
        m_arquivo->setCaption(QStringLiteral("&Arquivo"));
        m_tipo = new Part(QStringLiteral("CB_TIPO"), m_hair.get());
        m_tipo->setItems(kCategories);
        auto *panel = new Part(QStringLiteral("GradientPanel1"), m_hair.get());
        m_nested = new Part(QStringLiteral("PanelLabel1"), panel);
        m_nested->setCaption(QStringLiteral("Vermelho"));
        m_scroll = new Part(QStringLiteral("BT_SCROLL"), m_hair.get());
        m_scroll->setHint(QStringLiteral("Mover a foto"));
    }

    void cleanup() { m_hair.reset(); }

    // ---------------------------------------------------------- sections

    void onlyMessagesSectionLeavesCaptionsAndReplacesMessages()
    {
        TLanguage *l1 = languageFor("[Messages]\n"
                                    "Arquivo não encontrado.=File not found.\n"
                                    "F_HAIR.Arquivo1.Caption=&File\n",
                                    {QStringLiteral("F_HAIR.Arquivo1.Caption"), QStringLiteral("F_HAIR.CB_TIPO.Items")});
        l1->Translate();
        QCOMPARE(m_arquivo->caption(), QStringLiteral("&Arquivo"));
        QCOMPARE(m_tipo->items(), kCategories);
        QCOMPARE(l1->TranslateText(QStringLiteral("Arquivo não encontrado.")), QStringLiteral("File not found."));
    }

    void emptyValueLeavesDesignedCaption()
    {
        TLanguage *l1 = languageFor("[Translations]\nF_HAIR.Arquivo1.Caption=\nF_HAIR.BT_SCROLL.Hint=  \n",
                                    {QStringLiteral("F_HAIR.Arquivo1.Caption"), QStringLiteral("F_HAIR.BT_SCROLL.Hint")});
        l1->Translate();
        QCOMPARE(m_arquivo->caption(), QStringLiteral("&Arquivo"));
        QCOMPARE(m_scroll->hint(), QStringLiteral("Mover a foto"));
    }

    void translatesCaptionsHintsAndNestedComponents()
    {
        TLanguage *l1 = languageFor("[Translations]\n"
                                    "F_HAIR.Arquivo1.Caption=&File\n"
                                    "F_HAIR.BT_SCROLL.Hint=Move the photo\n"
                                    "F_HAIR.GradientPanel1.PanelLabel1.Caption=Red\n"
                                    "F_HAIR.PanelLabel1.Hint=Red channel\n",
                                    {QStringLiteral("F_HAIR.Arquivo1.Caption"), QStringLiteral("F_HAIR.BT_SCROLL.Hint"),
                                     QStringLiteral("F_HAIR.GradientPanel1.PanelLabel1.Caption"),
                                     QStringLiteral("F_HAIR.PanelLabel1.Hint")});
        l1->Translate();
        QCOMPARE(m_arquivo->caption(), QStringLiteral("&File"));
        QCOMPARE(m_scroll->hint(), QStringLiteral("Move the photo"));
        QCOMPARE(m_nested->caption(), QStringLiteral("Red"));
        // A component owned further down is still found directly below the window.
        QCOMPARE(m_nested->hint(), QStringLiteral("Red channel"));
    }

    void windowPropertyItself()
    {
        TLanguage *l1 = languageFor("[Translations]\nF_HAIR.Caption=QUENDA 5 (English)\n",
                                    {QStringLiteral("F_HAIR.Caption")});
        l1->Translate();
        QCOMPARE(m_hair->caption(), QStringLiteral("QUENDA 5 (English)"));
    }

    // ---------------------------------------------------------- lists

    void sevenNamesWithTrailingCommaReplaceSevenItems()
    {
        TLanguage *l1 = languageFor("[Translations]\n"
                                    "F_HAIR.CB_TIPO.Items=Short Light, Short Dark,Medium Light ,Medium Dark,"
                                    "Long Light,Long Dark,Men,\n",
                                    {QStringLiteral("F_HAIR.CB_TIPO.Items")});
        l1->Translate();
        const QStringList expected{QStringLiteral("Short Light"),  QStringLiteral("Short Dark"),
                                   QStringLiteral("Medium Light"), QStringLiteral("Medium Dark"),
                                   QStringLiteral("Long Light"),   QStringLiteral("Long Dark"),
                                   QStringLiteral("Men")};
        QCOMPARE(m_tipo->items(), expected);
    }

    void unsetSeparatorKeepsListValueWhole()
    {
        auto *l1 = new TLanguage(m_hair.get());
        l1->setLanguageFile(writeFile("[Translations]\nF_HAIR.CB_TIPO.Items= a,b ,c \n"));
        l1->setProperties({QStringLiteral("F_HAIR.CB_TIPO.Items")});
        QCOMPARE(l1->Separator(), QString());
        l1->Translate();
        QCOMPARE(m_tipo->items(), QStringList{QStringLiteral("a,b ,c")});
    }

    void splitListRules()
    {
        const QString comma = QStringLiteral(",");
        QCOMPARE(TLanguage::splitList(QStringLiteral("a,b,"), comma), (QStringList{"a", "b"}));
        QCOMPARE(TLanguage::splitList(QStringLiteral(" a , ,b,,c "), comma), (QStringList{"a", "", "b", "", "c"}));
        QCOMPARE(TLanguage::splitList(QStringLiteral(",a"), comma), (QStringList{"", "a"}));
        QCOMPARE(TLanguage::splitList(QStringLiteral("a,b,  "), comma), (QStringList{"a", "b"}));
        QCOMPARE(TLanguage::splitList(QStringLiteral("one"), comma), (QStringList{"one"}));
        QCOMPARE(TLanguage::splitList(QStringLiteral("x :: y ::z"), QStringLiteral("::")), (QStringList{"x", "y", "z"}));
        QCOMPARE(TLanguage::splitList(QStringLiteral(" a,b "), QString()), (QStringList{"a,b"}));
        QCOMPARE(TLanguage::splitList(QStringLiteral("   "), QString()), QStringList());
    }

    void separatorSetter()
    {
        TLanguage l1;
        QCOMPARE(l1.Separator(), QString());
        l1.setSeparator(QString());
        QCOMPARE(l1.Separator(), QStringLiteral(","));
        l1.setSeparator(QStringLiteral(";"));
        QCOMPARE(l1.Separator(), QStringLiteral(";"));
        l1.setSeparator(QStringLiteral(" \t "));
        QCOMPARE(l1.Separator(), QStringLiteral(","));
        l1.setSeparator(QStringLiteral(" | "));
        QCOMPARE(l1.Separator(), QStringLiteral(" | "));
        // Through the meta-object system as the designer would set it.
        QVERIFY(l1.setProperty("Separator", QString()));
        QCOMPARE(l1.property("Separator").toString(), QStringLiteral(","));
    }

    void propertiesAreACopy()
    {
        QStringList paths{QStringLiteral("F_HAIR.Arquivo1.Caption")};
        TLanguage *l1 = languageFor("[Translations]\nF_HAIR.Arquivo1.Caption=&File\nF_HAIR.BT_SCROLL.Hint=Move\n", paths);
        paths.append(QStringLiteral("F_HAIR.BT_SCROLL.Hint"));
        l1->Translate();
        QCOMPARE(l1->Properties().size(), 1);
        QCOMPARE(m_scroll->hint(), QStringLiteral("Mover a foto"));
    }

    // ---------------------------------------------------------- paths

    void namesAndPropertiesIgnoreCase()
    {
        TLanguage *l1 = languageFor("[Translations]\nf_hair.ARQUIVO1.caption=&File\n",
                                    {QStringLiteral("f_hair.ARQUIVO1.caption")});
        l1->Translate();
        QCOMPARE(m_arquivo->caption(), QStringLiteral("&File"));
    }

    void blanksAroundFullStopsResolve()
    {
        const QString path = QStringLiteral("  F_HAIR . Arquivo1 .  Caption ");
        TLanguage *l1 = languageFor("[Translations]\nF_HAIR . Arquivo1 .  Caption=&File\n", {path});
        l1->Translate();
        QCOMPARE(m_arquivo->caption(), QStringLiteral("&File"));
    }

    void missingComponentsChangeNothingAndRaiseNothing()
    {
        TLanguage *l1 = languageFor("[Translations]\n"
                                    "F_HAIR.Tonalidade1.CAPTION=&Tone\n"
                                    "F_NOWHERE.Arquivo1.Caption=&Lost\n"
                                    "F_HAIR.Tonalidade1.Arquivo1.Caption=&Deep\n"
                                    "F_HAIR.Arquivo1.NoSuchProperty=x\n"
                                    "F_HAIR.Arquivo1.ReadOnly=x\n"
                                    "F_HAIR.Arquivo1.Color=blue\n"
                                    "F_HAIR.Arquivo1.Caption=&File\n",
                                    {QStringLiteral("F_HAIR.Tonalidade1.CAPTION"),
                                     QStringLiteral("F_NOWHERE.Arquivo1.Caption"),
                                     QStringLiteral("F_HAIR.Tonalidade1.Arquivo1.Caption"),
                                     QStringLiteral("F_HAIR.Arquivo1.NoSuchProperty"),
                                     QStringLiteral("F_HAIR.Arquivo1.ReadOnly"),
                                     QStringLiteral("F_HAIR.Arquivo1.Color"),
                                     QStringLiteral("   "),
                                     QStringLiteral("F_HAIR.Arquivo1.Caption")});
        bool after = false;
        l1->setOnAfterTranslation([&](QObject *) { after = true; });
        l1->Translate();
        QVERIFY(after);
        // The path after all the broken ones is still applied.
        QCOMPARE(m_arquivo->caption(), QStringLiteral("&File"));
        QCOMPARE(m_arquivo->color(), QColor(Qt::red));
        QCOMPARE(m_hair->caption(), QStringLiteral("QUENDA 5"));
    }

    void objectParentedToApplicationIsTopLevel()
    {
        auto *box = new Part(QStringLiteral("F_SOBRE"), qApp);
        box->setCaption(QStringLiteral("Sobre"));
        TLanguage *l1 = languageFor("[Translations]\nF_SOBRE.CAPTION=About\n", {QStringLiteral("F_SOBRE.CAPTION")});
        l1->Translate();
        QCOMPARE(box->caption(), QStringLiteral("About"));
        delete box;
    }

    void firstMatchInCreationOrderWins()
    {
        auto *second = new Part(QStringLiteral("arquivo1"), m_hair.get());
        TLanguage *l1 = languageFor("[Translations]\nF_HAIR.Arquivo1.Caption=&File\n",
                                    {QStringLiteral("F_HAIR.Arquivo1.Caption")});
        l1->Translate();
        QCOMPARE(m_arquivo->caption(), QStringLiteral("&File"));
        QCOMPARE(second->caption(), QString());
    }

    void childrenOfOtherWindowsAreNotReached()
    {
        Window other(QStringLiteral("F_DRAW"));
        auto *file = new Part(QStringLiteral("File1"), &other);
        file->setCaption(QStringLiteral("&Arquivo"));
        TLanguage *l1 = languageFor("[Translations]\nF_HAIR.File1.CAPTION=&File\nF_DRAW.File1.CAPTION=&File\n",
                                    {QStringLiteral("F_HAIR.File1.CAPTION")});
        l1->Translate();
        QCOMPARE(file->caption(), QStringLiteral("&Arquivo"));
    }

    // ---------------------------------------------------------- integers

    void integerPropertyTakesWholeNumbers()
    {
        QCOMPARE(TLanguage::toInteger(QStringLiteral("42")), 42);
        QCOMPARE(TLanguage::toInteger(QStringLiteral(" -7 ")), -7);
        QCOMPARE(TLanguage::toInteger(QStringLiteral("+3")), 3);
        QCOMPARE(TLanguage::toInteger(QStringLiteral("$1F")), 31);
        QCOMPARE(TLanguage::toInteger(QStringLiteral("0x10")), 16);
        QCOMPARE(TLanguage::toInteger(QStringLiteral("-2147483648")), std::numeric_limits<int>::min());
        for (const char *bad : {"abc", "", "12abc", "1.5", "2147483648", "--1", "$", "1 2", "0x"})
            QVERIFY_THROWS_EXCEPTION(EConvertError, TLanguage::toInteger(QString::fromLatin1(bad)));

        TLanguage *l1 = languageFor("[Translations]\nF_HAIR.Arquivo1.Tag=12\n", {QStringLiteral("F_HAIR.Arquivo1.Tag")});
        l1->Translate();
        QCOMPARE(m_arquivo->tag(), 12);
    }

    void nonNumberAbandonsRestOfWindow()
    {
        TLanguage *l1 = languageFor("[Translations]\n"
                                    "F_HAIR.Caption=Before\n"
                                    "F_HAIR.Tag=abc\n"
                                    "F_HAIR.Arquivo1.Caption=&File\n",
                                    {QStringLiteral("F_HAIR.Caption"), QStringLiteral("F_HAIR.Tag"),
                                     QStringLiteral("F_HAIR.Arquivo1.Caption")});
        bool before = false;
        bool after = false;
        l1->setOnBeforeTranslation([&](QObject *sender) { before = sender == l1; });
        l1->setOnAfterTranslation([&](QObject *) { after = true; });
        QString message;
        try {
            l1->Translate();
        } catch (const EConvertError &e) {
            message = QString::fromUtf8(e.what());
        }
        QCOMPARE(message, QStringLiteral("'abc' is not a valid integer value"));
        QVERIFY(before);
        QVERIFY(!after);
        QCOMPARE(m_hair->caption(), QStringLiteral("Before"));
        QCOMPARE(m_hair->tag(), 0);
        QCOMPARE(m_arquivo->caption(), QStringLiteral("&Arquivo"));
    }

    // ---------------------------------------------------------- callbacks

    void onTranslateSeesCurrentValueAndMayChangeIt()
    {
        TLanguage *l1 = languageFor("[Translations]\nF_HAIR.Arquivo1.Caption=&File\nF_HAIR.CB_TIPO.Items=A,B\n",
                                    {QStringLiteral("F_HAIR.Arquivo1.Caption"), QStringLiteral("F_HAIR.CB_TIPO.Items")});
        QStringList seen;
        l1->setOnTranslate([&](QObject *component, const QString &property, const QString &current, QString &value) {
            seen << component->objectName() + QLatin1Char('|') + property + QLatin1Char('|') + current + QLatin1Char('|')
                        + value;
            if (property == QLatin1String("Caption"))
                value = QStringLiteral("&Files");
        });
        l1->Translate();
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen.at(0), QStringLiteral("Arquivo1|Caption|&Arquivo|&File"));
        QCOMPARE(seen.at(1), QStringLiteral("CB_TIPO|Items|") + kCategories.join(QLatin1Char(',')) + QStringLiteral("|A,B"));
        QCOMPARE(m_arquivo->caption(), QStringLiteral("&Files"));
        QCOMPARE(m_tipo->items(), (QStringList{"A", "B"}));
    }

    void callbacksRunAroundTranslation()
    {
        TLanguage *l1 = languageFor("[Translations]\nF_HAIR.Arquivo1.Caption=&File\n",
                                    {QStringLiteral("F_HAIR.Arquivo1.Caption")});
        QStringList order;
        l1->setOnBeforeTranslation([&](QObject *) { order << QStringLiteral("before:") + m_arquivo->caption(); });
        l1->setOnAfterTranslation([&](QObject *) { order << QStringLiteral("after:") + m_arquivo->caption(); });
        l1->Translate();
        QCOMPARE(order, (QStringList{"before:&Arquivo", "after:&File"}));
    }

    // ---------------------------------------------------------- messages

    void messageLookup()
    {
        TLanguage *l1 = languageFor("[Messages]\n"
                                    "é PRECISO ABRIR UMA FOTO PRIMEIRO!=You must open a photo first!\n"
                                    "o clipboard não contém bitmap.=The clipboard holds no bitmap.\n"
                                    "Captura Twain falhou.=\n",
                                    {});
        QCOMPARE(l1->TranslateText(QStringLiteral("É preciso abrir uma foto primeiro!")),
                 QStringLiteral("You must open a photo first!"));
        QCOMPARE(l1->TranslateText(QStringLiteral("O Clipboard não contém Bitmap.")),
                 QStringLiteral("The clipboard holds no bitmap."));
        QCOMPARE(l1->TranslateText(QStringLiteral("Abra uma foto e depois escolha um cabelo!")),
                 QStringLiteral("Abra uma foto e depois escolha um cabelo!"));
        // An entry without text must not blank the message box.
        QCOMPARE(l1->TranslateText(QStringLiteral("Captura Twain falhou.")), QStringLiteral("Captura Twain falhou."));
    }

    void messagesReadFileAnewEachCall()
    {
        TLanguage *l1 = languageFor("[Messages]\nArquivo não encontrado.=File not found.\n", {});
        QCOMPARE(l1->TranslateText(QStringLiteral("Arquivo não encontrado.")), QStringLiteral("File not found."));
        writeFile("[Messages]\nArquivo não encontrado.=No such file.\n");
        QCOMPARE(l1->TranslateText(QStringLiteral("Arquivo não encontrado.")), QStringLiteral("No such file."));
        QFile::remove(l1->LanguageFile());
        QCOMPARE(l1->TranslateText(QStringLiteral("Arquivo não encontrado.")), QStringLiteral("Arquivo não encontrado."));
    }

    void westernCodePageFile()
    {
        TLanguage *l1 = languageFor("[Messages]\nArquivo n\xE3o encontrado.=Fichier introuv\xE9" "ble\n"
                                    "[Translations]\nF_HAIR.Arquivo1.Caption=&Fich\xE9s\n",
                                    {QStringLiteral("F_HAIR.Arquivo1.Caption")});
        l1->Translate();
        QCOMPARE(m_arquivo->caption(), QStringLiteral("&Fichés"));
        QCOMPARE(l1->TranslateText(QStringLiteral("Arquivo não encontrado.")), QStringLiteral("Fichier introuvéble"));
    }

    void missingFileChangesNothing()
    {
        auto *l1 = new TLanguage(m_hair.get());
        l1->setLanguageFile(m_dir.filePath(QStringLiteral("absent.lng")));
        l1->setProperties(TranslationPaths::hair());
        l1->setSeparator(QStringLiteral(","));
        l1->Translate();
        QCOMPARE(m_arquivo->caption(), QStringLiteral("&Arquivo"));
        QCOMPARE(m_tipo->items(), kCategories);
        QCOMPARE(l1->TranslateText(QStringLiteral("Captura Twain falhou.")), QStringLiteral("Captura Twain falhou."));
    }

    // ---------------------------------------------------------- path lists

    void windowPathLists()
    {
        const struct
        {
            const char *window;
            qsizetype count;
        } windows[] = {{"F_HAIR", 78}, {"F_THUMBS", 9}, {"F_SOBRE", 2}, {"F_DRAW", 19},
                       {"F_IMPRESSAO", 4}, {"F_PREVIEW2", 3}, {"F_QSTART", 30}};
        for (const auto &w : windows) {
            const QString name = QString::fromLatin1(w.window);
            const QStringList &paths = TranslationPaths::forWindow(name);
            QCOMPARE(paths.size(), w.count);
            QCOMPARE(QSet<QString>(paths.begin(), paths.end()).size(), w.count);
            for (const QString &p : paths)
                QVERIFY2(p.startsWith(name + QLatin1Char('.')), qPrintable(p));
            TLanguage l1;
            TranslationPaths::assignTo(l1, name.toLower());
            // Captions of added commands come after the window's own list.
            const QStringList &added = TranslationPaths::added(name);
            QCOMPARE(l1.Properties(), paths + added);
            for (const QString &p : added)
                QVERIFY2(p.startsWith(name + QLatin1Char('.')) && !paths.contains(p), qPrintable(p));
            QCOMPARE(l1.Separator(), name == QLatin1String("F_QSTART") ? QString() : QStringLiteral(","));
        }
        QVERIFY(TranslationPaths::forWindow(QStringLiteral("F_PREVIEW")).isEmpty());
        const QStringList &hair = TranslationPaths::hair();
        QCOMPARE(hair.first(), QStringLiteral("F_HAIR.Arquivo1.Caption"));
        QCOMPARE(hair.last(), QStringLiteral("F_HAIR.BitBtn21.Hint"));
        QVERIFY(hair.contains(QStringLiteral("F_HAIR.CB_TIPO.Items")));
        QVERIFY(hair.contains(QStringLiteral("F_HAIR.OD_ABRIR.Title")));
        QCOMPARE(hair.indexOf(QStringLiteral("F_HAIR.PanelLabel8.Caption")),
                 hair.indexOf(QStringLiteral("F_HAIR.PanelLabel1.Caption")) + 7);
    }

    // ---------------------------------------------------------- shipped file

    void exampleFileTranslatesEveryPathAndMessage()
    {
        const ProfileFile file = ProfileFile::load(QUENDA_EXAMPLE_LANGUAGE_FILE);
        for (const char *w : {"F_HAIR", "F_THUMBS", "F_SOBRE", "F_DRAW", "F_IMPRESSAO", "F_PREVIEW2", "F_QSTART"}) {
            for (const QString &path : TranslationPaths::forWindow(QString::fromLatin1(w)) + TranslationPaths::added(QString::fromLatin1(w))) {
                const std::string key = path.toStdString();
                if (path == QLatin1String("F_HAIR.CB_TIPO.Items"))
                    continue; // folder names, kept (see exampleFileKeepsTheCategoryFolderNames)
                QVERIFY2(!file.value("Translations", key).empty(), key.c_str());
            }
        }
        const char *const messages[] = {
            "Arquivo não encontrado.", "Captura Twain falhou.", "É preciso abrir uma foto primeiro!",
            "O Clipboard não contém Bitmap.", "Abra uma foto e depois escolha um cabelo!",
            ImageMessages::kCorrupt, ImageMessages::kNotFound, ImageMessages::kUnreadable,
            ImageMessages::kUnsupported, ImageMessages::kTooLarge, ImageMessages::kEmpty,
            ImageMessages::kUnknownExtension, ImageMessages::kCannotWrite, ImageMessages::kNothingToSave,
        };
        // Quotes in the file keep the blank before an inline picture.
        QVERIFY(QString::fromStdString(file.value("Translations", "F_QSTART.Label5.Caption")).endsWith(u' '));
        for (const char *m : messages) {
            const std::string english = file.value("Messages", m);
            QVERIFY2(!english.empty(), m);
            QVERIFY2(english != m, m);
        }
    }

    void exampleFileKeepsTheCategoryFolderNames()
    {
        // The category names are the catalogue's folder names: the example
        // file translates the menus but leaves them, so the hairs are found.
        auto *l1 = new TLanguage(m_hair.get());
        l1->setLanguageFile(QStringLiteral(QUENDA_EXAMPLE_LANGUAGE_FILE));
        TranslationPaths::assignTo(*l1, QStringLiteral("F_HAIR"));
        l1->Translate();
        QCOMPARE(m_tipo->items(), kCategories);
        QCOMPARE(m_arquivo->caption(), QStringLiteral("&File"));
        QVERIFY(m_scroll->hint() != QStringLiteral("Mover a foto"));
    }
};

QTEST_MAIN(TLanguageTest)
#include "TLanguageTest.moc"
