#include "ImageDialogFilter.h"

QString ImageDialogFilter::Standard()
{
    return QStringLiteral(
        "All graphics|*.jpg;*.jpeg;*.gif;*.tif;*.tiff;*.pcx;*.png;*.bmp;*.wmf;*.emf;*.ico;*.cur;*.avi|"
        "JPEG files (*.jpg;*.jpeg)|*.jpg;*.jpeg|GIF files (*.gif)|*.gif|"
        "TIFF files (*.tif;*.tiff)|*.tif;*.tiff|PCX files (*.pcx)|*.pcx|PNG files (*.png)|*.png|"
        "BMP files (*.bmp)|*.bmp|WMF files (*.wmf)|*.wmf|EMF files (*.emf)|*.emf|"
        "ICO files (*.ico)|*.ico|CUR files (*.cur)|*.cur|AVI files (*.avi)|*.avi");
}

QString ImageDialogFilter::Open()
{
    QString filter = Standard();
    const QString allEnd = QStringLiteral("*.avi|");
    filter.insert(filter.indexOf(allEnd) + allEnd.size() - 1, QStringLiteral(";*.heic;*.heif;*.webp"));
    return filter + QStringLiteral("|HEIF files (*.heic;*.heif)|*.heic;*.heif|WebP files (*.webp)|*.webp");
}

QStringList ImageDialogFilter::ToEntries(const QString &designed)
{
    const QStringList parts = designed.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        // The description may already show its patterns in the designed
        // form "(*.jpg;*.jpeg)"; the dialog shows them once, its own way.
        const qsizetype paren = description.indexOf(QLatin1Char('('));
        if (paren > 0)
            description = description.left(paren).trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return entries;
}

QStringList ImageDialogFilter::Extensions(const QString &designed, int index)
{
    const QStringList parts = designed.split(QLatin1Char('|'));
    const qsizetype at = 2 * qsizetype(index) + 1;
    QStringList extensions;
    if (index < 0 || at >= parts.size())
        return extensions;
    for (const QString &pattern : parts[at].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        QString p = pattern.trimmed();
        if (p.startsWith(QLatin1String("*.")))
            extensions << p.mid(2);
    }
    return extensions;
}
