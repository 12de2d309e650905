// Every message the program can show has an English entry in the example
// language file, and Qt's own dialog texts come in the program's language.
//
// The messages are collected from the sources themselves, so a message
// added anywhere is checked without touching this test: the literal texts
// handed to ShowMessage, ShowFileMessage, TranslateText and a composition's
// fail(), and the constants of every "...Messages" namespace (the image
// engine's messages). Keep new messages in one of these forms.
#include "ProfileFile.h"
#include "QtTranslations.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

namespace {
const QString kSourceDir = QStringLiteral(QUENDA_SOURCE_DIR);

QString unescape(const QString &literal)
{
    QString out;
    for (qsizetype i = 0; i < literal.size(); ++i) {
        if (literal[i] == QLatin1Char('\\') && i + 1 < literal.size()) {
            const QChar next = literal[++i];
            out += next == QLatin1Char('n') ? QChar(u'\n') : next == QLatin1Char('t') ? QChar(u'\t') : next;
        } else {
            out += literal[i];
        }
    }
    return out;
}

// Adjacent literals ("a" "b") are one text, as the compiler joins them.
QString joinedLiterals(const QString &text)
{
    static const QRegularExpression literal(QStringLiteral("\"((?:[^\"\\\\]|\\\\.)*)\""));
    QString joined;
    auto it = literal.globalMatch(text);
    while (it.hasNext())
        joined += unescape(it.next().captured(1));
    return joined;
}

/** Messages found in one source text; `where` names them for reports. */
QMap<QString, QString> messagesIn(const QString &source, const QString &where)
{
    QMap<QString, QString> found;
    // A call whose first argument starts with a literal text.
    static const QRegularExpression call(QStringLiteral(
        "\\b(?:ShowMessage|ShowFileMessage|TranslateText|fail)\\s*\\(\\s*(?:QStringLiteral|QString::fromUtf8|"
        "QLatin1String|u8)?\\s*\\(?\\s*((?:\"(?:[^\"\\\\]|\\\\.)*\"\\s*)+)"));
    auto calls = call.globalMatch(source);
    while (calls.hasNext()) {
        const QString text = joinedLiterals(calls.next().captured(1));
        if (!text.isEmpty())
            found.insert(text, where);
    }
    static const QRegularExpression space(QStringLiteral("namespace\\s+\\w*Messages\\s*\\{([^}]*)\\}"));
    static const QRegularExpression constant(QStringLiteral("=\\s*((?:\"(?:[^\"\\\\]|\\\\.)*\"\\s*)+);"));
    auto spaces = space.globalMatch(source);
    while (spaces.hasNext()) {
        auto constants = constant.globalMatch(spaces.next().captured(1));
        while (constants.hasNext())
            found.insert(joinedLiterals(constants.next().captured(1)), where);
    }
    return found;
}

QMap<QString, QString> programMessages()
{
    QMap<QString, QString> all;
    // Tests, tools and fuzz targets show nothing to a user.
    const QStringList skipped = {QStringLiteral("tests"), QStringLiteral("tools"), QStringLiteral("fuzz"),
                                 QStringLiteral("bench")};
    QDirIterator it(kSourceDir, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = path.mid(kSourceDir.size() + 1);
        const QString top = relative.section(QLatin1Char('/'), 0, 0);
        if (skipped.contains(top) || top.startsWith(QLatin1String("build")) ||
            top.startsWith(QLatin1Char('.')))
            continue;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QMap<QString, QString> found = messagesIn(QString::fromUtf8(file.readAll()), relative);
        for (auto m = found.begin(); m != found.end(); ++m)
            all.insert(m.key(), m.value());
    }
    return all;
}
} // namespace

class MessageCatalogueTest : public QObject
{
    Q_OBJECT

private slots:
    void scannerFindsTheFormsMessagesAreWrittenIn()
    {
        const QString source = QString::fromUtf8(
            "ShowMessage(QStringLiteral(\"Um.\"), QStringLiteral(\"QUENDA\"));\n"
            "m_host->ShowFileMessage(QStringLiteral(\"Dois \"\n   \"partes.\"), file, caption);\n"
            "fail(QStringLiteral(\"Três \\\"aspas\\\".\"));  TranslateText( \"Quatro.\" );\n"
            "ShowMessage(QString::fromStdString(status.message), caption);\n"
            "namespace FooMessages {\ninline constexpr const char *kA =\n    \"Cinco.\";\n}\n"
            "namespace Other { inline constexpr const char *kB = \"not a message\"; }\n");
        const QStringList found = messagesIn(source, QStringLiteral("x")).keys();
        QCOMPARE(found, QStringList({QStringLiteral("Cinco."), QStringLiteral("Dois partes."),
                                     QStringLiteral("Quatro."), QStringLiteral("Três \"aspas\"."),
                                     QStringLiteral("Um.")}));
    }

    void everyMessageHasAnEnglishEntry()
    {
        const QMap<QString, QString> messages = programMessages();
        // The scan must see the program, not an empty folder.
        for (const char *known : {"Arquivo não encontrado.", "O Clipboard não contém Bitmap.",
                                  "Deseja sair do Quenda? As composições abertas serão fechadas.",
                                  "Arquivo de imagem inválido ou corrompido."})
            QVERIFY2(messages.contains(QString::fromUtf8(known)), known);
        const ProfileFile file =
            ProfileFile::load(QString(kSourceDir + QStringLiteral("/docs/language.lng")).toStdString());
        QStringList missing;
        for (auto m = messages.begin(); m != messages.end(); ++m) {
            const std::string key = m.key().toStdString();
            const std::string english = file.value("Messages", key, "");
            if (english.empty() || english == key)
                missing << m.key() + QStringLiteral("  (") + m.value() + QLatin1Char(')');
        }
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("no English entry in docs/language.lng for:\n") +
                            missing.join(QLatin1Char('\n'))));
    }

    void categoryListStaysUntranslatedInTheExample()
    {
        // The category names are folder names: the example must not rename them.
        const ProfileFile file =
            ProfileFile::load(QString(kSourceDir + QStringLiteral("/docs/language.lng")).toStdString());
        QCOMPARE(QString::fromStdString(file.value("Translations", "F_HAIR.CB_TIPO.Items", "unset")),
                 QString());
    }

    void qtTextsFollowTheProgramOrTheSystem()
    {
        const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
        QCOMPARE(QtTranslations::Choose(false, QLocale(QLocale::German)), brazil);
        QCOMPARE(QtTranslations::Choose(true, QLocale(QLocale::German)), QLocale(QLocale::German));

        QTemporaryDir salon;
        QVERIFY(salon.isValid());
        const QString dir = salon.path() + QLatin1Char('/');
        QVERIFY(QtTranslations::Install(dir));
        QVERIFY(QtTranslations::Installed());
        const QString lookIn = QCoreApplication::translate("QFileDialog", "Look in:");
        QVERIFY2(lookIn != QLatin1String("Look in:"), qPrintable(lookIn));
        QVERIFY(QCoreApplication::translate("QDialogButtonBox", "Cancel") != QLatin1String("Cancel") ||
                QCoreApplication::translate("QPlatformTheme", "Cancel") != QLatin1String("Cancel"));

        // A language file present: the system's language (C here) has no
        // Qt catalogue, so Qt's own English texts come back.
        QFile lng(dir + QStringLiteral("language.lng"));
        QVERIFY(lng.open(QIODevice::WriteOnly));
        lng.write("[Messages]\n");
        lng.close();
        QLocale::setDefault(QLocale::c());
        if (QLocale::system().language() == QLocale::C || QLocale::system().language() == QLocale::English) {
            QtTranslations::Install(dir);
            QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
        }
    }
};

QTEST_MAIN(MessageCatalogueTest)
#include "MessageCatalogueTest.moc"
