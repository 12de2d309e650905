#include "CompositionReport.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

bool CompositionReport::Update(int count)
{
    const QByteArray file = qgetenv("QUENDA_REPORT_COMPOSITIONS");
    if (file.isEmpty())
        return false;
    // Whole or not at all: the reader polls the file.
    QSaveFile out(QString::fromLocal8Bit(file));
    if (out.open(QIODevice::WriteOnly)) {
        out.write(QByteArray::number(count) + '\n');
        out.commit();
    }
    bool ok = false;
    const int quitAt = qEnvironmentVariableIntValue("QUENDA_QUIT_AT", &ok);
    return ok && count >= quitAt;
}
