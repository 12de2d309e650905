// Catalogue paths: built by concatenation, matched on disk without case.
#include "HairFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
void touch(const QString &path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}
} // namespace

TEST(HairFiles, PathIsPlainConcatenation)
{
    EXPECT_EQ(HairFiles::HairFilePath(QStringLiteral("/salao/"), QStringLiteral("Quenda5"),
                                      QStringLiteral("Médios e Claros"), 7),
              QStringLiteral("/salao/Quenda5/Médios e Claros/7.GIF"));
    EXPECT_EQ(HairFiles::TempPhotoPath(QStringLiteral("/salao/"), QStringLiteral("Quenda5"), 3),
              QStringLiteral("/salao/Quenda5/Temp3.BMP"));
}

TEST(HairFiles, ResolvesEachPartWithoutCase)
{
    QTemporaryDir dir;
    const QString base = dir.path() + QLatin1Char('/');
    ASSERT_TRUE(QDir(base).mkpath(QStringLiteral("quenda5/MÉDIOS E CLAROS")));
    touch(base + QStringLiteral("quenda5/MÉDIOS E CLAROS/7.gif"));
    const QString asked = HairFiles::HairFilePath(base, QStringLiteral("Quenda5"), QStringLiteral("Médios e Claros"), 7);
    EXPECT_EQ(HairFiles::Resolve(base, asked), base + QStringLiteral("quenda5/MÉDIOS E CLAROS/7.gif"));
    EXPECT_TRUE(HairFiles::Exists(base, asked));
    EXPECT_FALSE(HairFiles::Exists(base, HairFiles::HairFilePath(base, QStringLiteral("Quenda5"),
                                                                QStringLiteral("Médios e Claros"), 8)));
}

TEST(HairFiles, ExactNameWinsAndFoldersAreNotFiles)
{
    QTemporaryDir dir;
    const QString base = dir.path() + QLatin1Char('/');
    ASSERT_TRUE(QDir(base).mkpath(QStringLiteral("Q/A")));
    touch(base + QStringLiteral("Q/A/1.GIF"));
    EXPECT_EQ(HairFiles::Resolve(base, base + QStringLiteral("Q/A/1.GIF")), base + QStringLiteral("Q/A/1.GIF"));
    EXPECT_FALSE(HairFiles::Exists(base, base + QStringLiteral("Q/A")));
    EXPECT_TRUE(HairFiles::Resolve(base, base + QStringLiteral("Q/B/1.GIF")).isEmpty());
    // Outside the base nothing is guessed.
    EXPECT_TRUE(HairFiles::Resolve(base, QStringLiteral("/elsewhere/1.gif")).isEmpty());
}

TEST(HairFiles, WritableFolderIsTriedNotGuessed)
{
    QTemporaryDir dir;
    const QString base = dir.path() + QLatin1Char('/');
    EXPECT_TRUE(HairFiles::CanWriteIn(dir.path()));
    // The probe leaves nothing behind in the salon folder.
    EXPECT_TRUE(QDir(base).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    // A missing catalogue folder and a file where the folder should be both
    // refuse, whatever the permission bits of the parent say.
    EXPECT_FALSE(HairFiles::CanWriteIn(base + QStringLiteral("Quenda5")));
    touch(base + QStringLiteral("Quenda42"));
    EXPECT_FALSE(HairFiles::CanWriteIn(base + QStringLiteral("Quenda42")));
    if (::geteuid() != 0) {
        ASSERT_TRUE(QDir(base).mkdir(QStringLiteral("fechada")));
        QFile::setPermissions(base + QStringLiteral("fechada"), QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_FALSE(HairFiles::CanWriteIn(base + QStringLiteral("fechada")));
        QFile::setPermissions(base + QStringLiteral("fechada"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}
