// The whole interface through a language file: every listed path reaches
// its component, the category folders follow the translated names, and
// messages pass through the file at every showing.
#include "ProfileFile.h"
#include "ProgramWindows.h"
#include "SalonFolder.h"
#include "TComboBox.h"
#include "TF_FILHO.h"
#include "TF_HAIR.h"
#include "TImage.h"
#include "TLanguage.h"
#include "TMenuItem.h"
#include "TranslationPaths.h"
#include "TestSalon.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TranslationTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSalon> m_salon;
    QStringList m_messages;

    void writeLanguageFile(const QByteArray &contents)
    {
        QFile f(m_salon->AppDir() + QStringLiteral("language.lng"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contents);
    }

    static QByteArray englishFile()
    {
        QFile f(QStringLiteral(QUENDA_SOURCE_DIR "/docs/language.lng"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return f.readAll();
    }

    static QString propertyText(QObject *object, const QString &property)
    {
        const QMetaObject *meta = object->metaObject();
        for (int i = 0; i < meta->propertyCount(); ++i) {
            if (QString::fromLatin1(meta->property(i).name()).compare(property, Qt::CaseInsensitive) == 0) {
                const QVariant v = meta->property(i).read(object);
                return v.typeId() == QMetaType::QStringList ? v.toStringList().join(QLatin1Char(',')) : v.toString();
            }
        }
        return QStringLiteral("<no property %1>").arg(property);
    }

private slots:
    void init()
    {
        m_salon = std::make_unique<TestSalon>(2);
        m_messages.clear();
        TF_HAIR::SetMessageSink([this](const QString &text, const QString &) { m_messages << text; });
    }

    void cleanup()
    {
        ProgramWindows::Destroy();
        TF_HAIR::SetMessageSink({});
        QDir::setCurrent(QDir::tempPath());
        m_salon.reset();
    }

    void englishFileReachesEveryListedComponent()
    {
        const QByteArray english = englishFile();
        QVERIFY(!english.isEmpty());
        writeLanguageFile(english);
        ProgramWindows::Create(m_salon->AppDir());
        const ProfileFile file = ProfileFile::parse(std::string_view(english.constData(), english.size()));

        QStringList unresolved;
        int checked = 0;
        for (const QString &window : ProgramWindows::CreationOrder()) {
            for (const QString &path : TranslationPaths::forWindow(window) + TranslationPaths::added(window)) {
                QStringList parts;
                for (const QString &p : path.split(QLatin1Char('.')))
                    parts << p.trimmed();
                const QString property = parts.takeLast();
                QObject *object = TLanguage::resolve(parts);
                if (!object) {
                    unresolved << path;
                    continue;
                }
                const std::string value = file.value("Translations", path.toStdString(), "");
                if (path == QLatin1String("F_HAIR.CB_TIPO.Items")) {
                    // Folder names: the example keeps them as they are.
                    QVERIFY(value.empty());
                    QCOMPARE(propertyText(object, property), TestSalon::Categories().join(QLatin1Char(',')));
                    ++checked;
                    continue;
                }
                QVERIFY2(!value.empty(), qPrintable(path));
                QString expected = QString::fromStdString(value);
                if (property.compare(QLatin1String("Items"), Qt::CaseInsensitive) == 0)
                    expected = TLanguage::splitList(expected, QStringLiteral(",")).join(QLatin1Char(','));
                QCOMPARE(propertyText(object, property), expected);
                ++checked;
            }
        }
        // Two listed paths name components the main window never had.
        QStringList expectedMissing = {QStringLiteral("F_HAIR.ImprimirColeo1.CAPTION"),
                                       QStringLiteral("F_HAIR.Tonalidade1.CAPTION")};
        std::sort(unresolved.begin(), unresolved.end());
        std::sort(expectedMissing.begin(), expectedMissing.end());
        QCOMPARE(unresolved, expectedMissing);
        QVERIFY(checked > 120);
    }

    void translatedCategoriesNameTheFolders()
    {
        // A salon that renamed its folders translates the list too.
        QByteArray english = englishFile();
        english.replace("F_HAIR.CB_TIPO.Items=\r\n", "F_HAIR.CB_TIPO.Items=Short and Light,Short and Dark,Medium and Light,"
                                                     "Medium and Dark,Long and Light,Long and Dark,Men\r\n");
        english.replace("F_HAIR.CB_TIPO.Items=\n", "F_HAIR.CB_TIPO.Items=Short and Light,Short and Dark,Medium and Light,"
                                                   "Medium and Dark,Long and Light,Long and Dark,Men\n");
        writeLanguageFile(english);
        // English copies of the catalogue folders.
        ProgramWindows::Create(m_salon->AppDir());
        const QStringList names = F_HAIR->CB_TIPO->Items();
        QCOMPARE(names.size(), 7);
        QCOMPARE(names[0], QStringLiteral("Short and Light"));
        for (int c = 0; c < 7; ++c) {
            QDir().mkpath(m_salon->AppDir() + QStringLiteral("Quenda5/") + names[c]);
            QVERIFY(m_salon->WriteHair(QStringLiteral("Quenda5/%1/1.GIF").arg(names[c]), TestSalon::HairPicture(6 - c, 2)));
        }
        F_HAIR->show();
        F_HAIR->OpenPhotoFile(m_salon->PhotoPath());
        TF_FILHO *c = F_HAIR->ActiveComposition();
        QVERIFY(c);
        QCOMPARE(c->Image2->Picture(), TestSalon::HairPicture(6, 2));
        QCOMPARE(c->windowTitle(), QStringLiteral("1 - Short and Light"));
        QVERIFY(m_messages.isEmpty());
    }

    void messagesAloneChangeOnlyMessages()
    {
        writeLanguageFile("[Messages]\r\nARQUIVO NÃO ENCONTRADO.=File not found.\r\n"
                          "[Translations]\r\nF_HAIR.Arquivo1.Caption=\r\n");
        ProgramWindows::Create(m_salon->AppDir());
        QCOMPARE(F_HAIR->MenuItem("Arquivo1")->Caption(), QStringLiteral("&Arquivo"));
        QCOMPARE(F_HAIR->MenuItem("AbrirFoto1")->Caption(), QStringLiteral("&Abrir Foto"));
        F_HAIR->OpenPhotoFile(m_salon->AppDir() + QStringLiteral("nada.jpg"));
        // The translated text, then the file it is about.
        QCOMPARE(m_messages, QStringList({QStringLiteral("File not found.\n")
                                          + QDir::toNativeSeparators(m_salon->AppDir() + QStringLiteral("nada.jpg"))}));
        // A message without an entry shows as written; the file is read at
        // every message, so an edit shows at once.
        F_HAIR->InsertHair(QStringLiteral("1"));
        QCOMPARE(m_messages.last(), QStringLiteral("É preciso abrir uma foto primeiro!"));
        writeLanguageFile("[Messages]\r\nÉ preciso abrir uma foto primeiro!=Open a photo first!\r\n");
        F_HAIR->InsertHair(QStringLiteral("1"));
        QCOMPARE(m_messages.last(), QStringLiteral("Open a photo first!"));
    }

    void blanksAroundFullStopsStillResolve()
    {
        writeLanguageFile("[Translations]\r\nF_HAIR.AbrirFoto1.CAPTION=&Open\r\n");
        ProgramWindows::Create(m_salon->AppDir());
        QCOMPARE(F_HAIR->MenuItem("AbrirFoto1")->Caption(), QStringLiteral("&Open"));
        TLanguage language;
        language.setLanguageFile(m_salon->AppDir() + QStringLiteral("language.lng"));
        writeLanguageFile("[Translations]\r\nF_HAIR . Fechar1 . Caption =&Close\r\n");
        language.setProperties({QStringLiteral(" F_HAIR . Fechar1 . Caption ")});
        language.Translate();
        QCOMPARE(F_HAIR->MenuItem("Fechar1")->Caption(), QStringLiteral("&Close"));
    }

    void salonFolderMessagesAreInTheEnglishFile()
    {
        writeLanguageFile(englishFile());
        TLanguage language;
        language.setLanguageFile(m_salon->AppDir() + QStringLiteral("language.lng"));
        QTemporaryDir dir;
        const QString bin = dir.filePath(QStringLiteral("bin"));
        QDir().mkpath(bin);
        // The messages as the salon folder choice makes them: nothing
        // shipped, and a user folder that cannot be made.
        const QString missing = SalonFolder::Choose(bin, false, dir.filePath(QStringLiteral("a/quenda")),
                                                    dir.filePath(QStringLiteral("nada")))
                                    .message;
        QDir().mkpath(dir.filePath(QStringLiteral("share/quenda/Quenda5")));
        QFile blocker(dir.filePath(QStringLiteral("b")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString unmade = SalonFolder::Choose(bin, false, dir.filePath(QStringLiteral("b/quenda")),
                                                   dir.filePath(QStringLiteral("share/quenda")))
                                   .message;
        const QString unwritable = QStringLiteral("A pasta do salão não permite gravação. Inicie o Quenda com "
                                                  "--home e uma pasta onde seja possível gravar.");
        for (const QString &text : {missing, unmade, unwritable}) {
            QVERIFY(!text.isEmpty());
            QVERIFY2(language.TranslateText(text) != text, qPrintable(text));
        }
    }
};

QTEST_MAIN(TranslationTest)
#include "TranslationTest.moc"
