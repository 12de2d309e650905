#include "TestSalon.h"

#include "ImageFile.h"

#include <QDir>
#include <QFile>

const QStringList &TestSalon::Categories()
{
    static const QStringList names = {
        QStringLiteral("Curtos e Claros"),  QStringLiteral("Curtos e Escuros"),
        QStringLiteral("Médios e Claros"),  QStringLiteral("Médios e Escuros"),
        QStringLiteral("Longos e Claros"),  QStringLiteral("Longos e Escuros"),
        QStringLiteral("Masculinos"),
    };
    return names;
}

std::uint32_t TestSalon::HairColour(int category, int number)
{
    return (std::uint32_t(20 + 30 * category) << 16) | (std::uint32_t(40 * number) << 8) | 0x33;
}

Picture24 TestSalon::HairPicture(int category, int number)
{
    Picture24 picture(HairWidth(number), HairHeight(number));
    picture.fill(255, 255, 255);
    // The hair: everything but a white margin of 5 pixels, bottom-left
    // corner included in the margin as the catalogue requires.
    for (int y = 5; y < picture.height() - 5; ++y)
        for (int x = 5; x < picture.width() - 5; ++x)
            picture.setPixel(x, y, HairColour(category, number));
    return picture;
}

Picture24 TestSalon::Photo()
{
    Picture24 photo(400, 300);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, (std::uint32_t(x * 255 / 399) << 16) | (std::uint32_t(y * 255 / 299) << 8) | 0x80);
    return photo;
}

TestSalon::TestSalon(int hairsPerCategory)
{
    const QDir root(m_dir.path());
    for (int c = 0; c < Categories().size(); ++c) {
        root.mkpath(QStringLiteral("Quenda5/") + Categories()[c]);
        for (int n = 1; n <= hairsPerCategory; ++n)
            WriteHair(QStringLiteral("Quenda5/%1/%2.GIF").arg(Categories()[c]).arg(n), HairPicture(c, n));
    }
    ImageFile::save(QFile::encodeName(PhotoPath()).toStdString(), Photo());
}

QString TestSalon::AppDir() const
{
    return m_dir.path() + QLatin1Char('/');
}

bool TestSalon::WriteHair(const QString &relativePath, const Picture24 &picture) const
{
    return ImageFile::save(QFile::encodeName(AppDir() + relativePath).toStdString(), picture).ok;
}
