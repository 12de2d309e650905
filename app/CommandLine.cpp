#include "CommandLine.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#ifndef QUENDA_VERSION
#define QUENDA_VERSION "0"
#endif

namespace {
QString withSlash(const QString &dir)
{
    QString d = QDir::cleanPath(QFileInfo(dir).absoluteFilePath());
    if (!d.endsWith(QLatin1Char('/')))
        d += QLatin1Char('/');
    return d;
}
} // namespace

CommandLine CommandLine::Parse(const QStringList &arguments, const QString &programDir)
{
    CommandLine line;
    line.appDir = withSlash(programDir);

    // Qt's own options (-platform, -style ...) are taken by QApplication
    // before we see the list; anything else starting with "-" is not ours.
    QCommandLineParser parser;
    const QCommandLineOption home(QStringLiteral("home"), QString(), QStringLiteral("PASTA"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({home, help, version});
    if (!parser.parse(arguments)) {
        // The only option with a value is --home, so a parse failure that
        // names no unknown option is a --home without its folder.
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString dashes = unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
            line.error = QStringLiteral("Opção desconhecida: %1\n%2").arg(dashes + unknown.first(), Usage());
        } else {
            line.error = QStringLiteral("--home precisa de uma pasta.");
        }
        return line;
    }
    if (parser.isSet(help)) {
        line.action = Action::Help;
        return line;
    }
    if (parser.isSet(version)) {
        line.action = Action::Version;
        return line;
    }
    if (parser.isSet(home)) {
        const QString dir = parser.value(home);
        if (dir.isEmpty()) {
            line.error = QStringLiteral("--home precisa de uma pasta.");
            return line;
        }
        if (!QFileInfo(dir).isDir()) {
            line.error = QStringLiteral("A pasta %1 não existe.").arg(dir);
            return line;
        }
        line.appDir = withSlash(dir);
        line.homeGiven = true;
    }
    for (const QString &photo : parser.positionalArguments())
        line.photos << QFileInfo(photo).absoluteFilePath();
    return line;
}

CommandLine::Action CommandLine::InfoRequested(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (arg == QLatin1String("--"))
            break;
        if (arg == QLatin1String("--home")) {
            ++i; // its folder may be named anything
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            return Action::Help;
        } else if (arg == QLatin1String("--version") || arg == QLatin1String("-v")) {
            return Action::Version;
        }
    }
    return Action::Run;
}

QString CommandLine::Usage()
{
    return QStringLiteral("Uso: quenda [--home PASTA] [foto ...]");
}

QString CommandLine::HelpText()
{
    return Usage() +
           QStringLiteral("\n"
                          "Simulação de cabelos: abre as fotos dadas como composições.\n"
                          "\n"
                          "Opções:\n"
                          "  --home PASTA   usa PASTA como pasta do salão (catálogo, fotos, ajuda,\n"
                          "                 language.lng e fotos temporárias)\n"
                          "  -h, --help     mostra esta ajuda\n"
                          "  -v, --version  mostra a versão\n"
                          "\n"
                          "Sem --home, a pasta do salão é a pasta do programa quando ela tem o\n"
                          "catálogo; senão é $XDG_DATA_HOME/quenda (~/.local/share/quenda), preenchida\n"
                          "na primeira vez com o salão de exemplo.\n"
                          "Com o Quenda já aberto, as fotos são abertas na janela que já está aberta.\n");
}

QString CommandLine::VersionText()
{
    return QStringLiteral("quenda " QUENDA_VERSION);
}
