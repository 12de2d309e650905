#include "CommandLine.h"

#include <QDir>
#include <QFileInfo>

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
    // The first argument is the program itself.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (arg == QLatin1String("--home") || arg.startsWith(QLatin1String("--home="))) {
            QString dir;
            if (arg == QLatin1String("--home")) {
                if (i + 1 >= arguments.size()) {
                    line.error = QStringLiteral("--home precisa de uma pasta.");
                    return line;
                }
                dir = arguments[++i];
            } else {
                dir = arg.mid(7);
            }
            if (!QFileInfo(dir).isDir()) {
                line.error = QStringLiteral("A pasta %1 não existe.").arg(dir);
                return line;
            }
            line.appDir = withSlash(dir);
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            line.error = Usage();
            return line;
        } else if (arg.startsWith(QLatin1String("-")) && arg.size() > 1) {
            // Qt's own options (-platform, -style ...) are taken by QApplication
            // before we see the list; anything else is not ours.
            line.error = QStringLiteral("Opção desconhecida: %1\n%2").arg(arg, Usage());
            return line;
        } else {
            line.photos << QFileInfo(arg).absoluteFilePath();
        }
    }
    return line;
}

QString CommandLine::Usage()
{
    return QStringLiteral("Uso: quenda [--home PASTA] [foto ...]");
}
