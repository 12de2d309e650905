// Which salon folder the program works in, and the first-start copy of the
// shipped sample salon into the user's own folder.
#include "SalonFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
void write(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList tree(const QString &dir)
{
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(dir.size());
    files.sort();
    return files;
}

// A shipped salon as the package installs it: read-only files, two
// collections, photos with blanks in their names.
class SalonFolderTest : public ::testing::Test
{
protected:
    QTemporaryDir root;
    QString shipped, user;

    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        shipped = root.path() + QStringLiteral("/usr/share/quenda/");
        user = root.path() + QStringLiteral("/home/.local/share/quenda/");
        write(shipped + QStringLiteral("Quenda5/Curtos e Claros/1.GIF"), "hair 1");
        write(shipped + QStringLiteral("Quenda5/Masculinos/2.GIF"), "hair 2");
        write(shipped + QStringLiteral("Quenda42/Médios e Escuros/1.GIF"), "hair 42");
        write(shipped + QStringLiteral("Modelo.JPG"), "photo");
        write(shipped + QStringLiteral("Cliente 2.png"), "photo 2");
        write(shipped + QStringLiteral("exemplos/language.lng"), "[Messages]");
        QDirIterator it(shipped, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            QFile::setPermissions(it.next(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }

    void TearDown() override
    {
        // Read-only files stop QTemporaryDir from cleaning up.
        QDirIterator it(root.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            QFile::setPermissions(it.next(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};
} // namespace

TEST_F(SalonFolderTest, ProgramBesideItsCatalogueKeepsItsFolder)
{
    const QString build = root.path() + QStringLiteral("/build/salon/");
    QDir().mkpath(build + QStringLiteral("QUENDA5")); // copied in capitals
    const SalonFolder::Choice c = SalonFolder::Choose(build, false, user, shipped);
    EXPECT_EQ(c.dir, build);
    EXPECT_TRUE(c.message.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(user)) << "nothing is made in the user's folder";
}

TEST_F(SalonFolderTest, HomeFolderIsTakenAsGivenEvenWithoutCatalogue)
{
    const QString home = root.path() + QStringLiteral("/outro salao");
    QDir().mkpath(home);
    const SalonFolder::Choice c = SalonFolder::Choose(home, true, user, shipped);
    EXPECT_EQ(c.dir, home + QLatin1Char('/'));
    EXPECT_TRUE(c.message.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(user));
}

TEST_F(SalonFolderTest, InstalledProgramFillsTheUserFolderOnce)
{
    const QString bin = root.path() + QStringLiteral("/usr/bin");
    QDir().mkpath(bin);
    const SalonFolder::Choice first = SalonFolder::Choose(bin, false, user, shipped);
    EXPECT_EQ(first.dir, user);
    EXPECT_TRUE(first.message.isEmpty()) << first.message.toStdString();
    EXPECT_EQ(tree(user), tree(shipped));
    EXPECT_EQ(read(user + QStringLiteral("Quenda42/Médios e Escuros/1.GIF")), "hair 42");
    EXPECT_EQ(read(user + QStringLiteral("Cliente 2.png")), "photo 2");
    // The user's copy can be written: temporary photos and replaced hairs.
    EXPECT_TRUE(QFileInfo(user + QStringLiteral("Modelo.JPG")).permissions() & QFile::WriteOwner);
    // No staging folder is left beside it.
    EXPECT_EQ(
        QDir(user + QStringLiteral("..")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        QStringList{QStringLiteral("quenda")});

    // The user changes a hair and adds a language file; the next start
    // leaves both as they are.
    write(user + QStringLiteral("Quenda5/Masculinos/2.GIF"), "my own hair");
    write(user + QStringLiteral("language.lng"), "mine");
    const SalonFolder::Choice second = SalonFolder::Choose(bin, false, user, shipped);
    EXPECT_EQ(second.dir, user);
    EXPECT_EQ(read(user + QStringLiteral("Quenda5/Masculinos/2.GIF")), "my own hair");
    EXPECT_EQ(read(user + QStringLiteral("language.lng")), "mine");
}

TEST_F(SalonFolderTest, ExistingUserFolderWithoutCatalogueIsCompletedNotReplaced)
{
    write(user + QStringLiteral("Modelo.JPG"), "the salon's own model");
    write(user + QStringLiteral("language.lng"), "mine");
    const SalonFolder::Choice c =
        SalonFolder::Choose(root.path() + QStringLiteral("/usr/bin"), false, user, shipped);
    EXPECT_EQ(c.dir, user);
    EXPECT_TRUE(c.message.isEmpty());
    EXPECT_EQ(read(user + QStringLiteral("Modelo.JPG")), "the salon's own model");
    EXPECT_EQ(read(user + QStringLiteral("language.lng")), "mine");
    EXPECT_EQ(read(user + QStringLiteral("Quenda5/Curtos e Claros/1.GIF")), "hair 1");
    EXPECT_TRUE(SalonFolder::HoldsCatalogue(user));
}

TEST_F(SalonFolderTest, UserFolderThatCannotBeMadeFallsBackToTheShippedSalon)
{
    // A file where the data folder should be: no permission trick, so this
    // holds for root too.
    write(root.path() + QStringLiteral("/home/.local/share"), "not a folder");
    const SalonFolder::Choice c =
        SalonFolder::Choose(root.path() + QStringLiteral("/usr/bin"), false, user, shipped);
    EXPECT_EQ(c.dir, shipped);
    EXPECT_FALSE(c.message.isEmpty());
    EXPECT_EQ(read(root.path() + QStringLiteral("/home/.local/share")), "not a folder");
}

TEST_F(SalonFolderTest, MissingShippedSalonStillGivesAUserFolder)
{
    const QString nowhere = root.path() + QStringLiteral("/nowhere/");
    const SalonFolder::Choice c =
        SalonFolder::Choose(root.path() + QStringLiteral("/usr/bin"), false, user, nowhere);
    EXPECT_EQ(c.dir, user);
    EXPECT_FALSE(c.message.isEmpty());
    EXPECT_TRUE(QFileInfo(user).isDir());
    EXPECT_TRUE(tree(user).isEmpty());
}

TEST(SalonFolderPaths, FollowPrefixAndXdg)
{
    EXPECT_EQ(SalonFolder::ShippedDir(QStringLiteral("/usr/bin")), QStringLiteral("/usr/share/quenda/"));
    EXPECT_EQ(SalonFolder::ShippedDir(QStringLiteral("/opt/q/bin/")), QStringLiteral("/opt/q/share/quenda/"));
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/tmp/xdg-dados");
    EXPECT_EQ(SalonFolder::UserDir(), QStringLiteral("/tmp/xdg-dados/quenda/"));
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(SalonFolder::UserDir(), QDir::homePath() + QStringLiteral("/.local/share/quenda/"));
    if (!saved.isEmpty())
        qputenv("XDG_DATA_HOME", saved);
}

TEST(SalonFolderPaths, CatalogueIsAHairCollectionFolder)
{
    QTemporaryDir dir;
    EXPECT_FALSE(SalonFolder::HoldsCatalogue(dir.path()));
    write(dir.path() + QStringLiteral("/Quenda5"), "a file, not a folder");
    EXPECT_FALSE(SalonFolder::HoldsCatalogue(dir.path()));
    QDir(dir.path()).mkdir(QStringLiteral("quenda42"));
    EXPECT_TRUE(SalonFolder::HoldsCatalogue(dir.path()));
}
