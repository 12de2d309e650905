// The command line: --home, photos, --help and --version, and what is
// refused.
#include "CommandLine.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(CommandLine, HomeInEitherSpellingAndPhotosMadeAbsolute)
{
    QTemporaryDir home;
    const CommandLine split = CommandLine::Parse({"quenda", "--home", home.path(), "a.jpg"}, "/opt/q");
    EXPECT_TRUE(split.error.isEmpty());
    EXPECT_TRUE(split.homeGiven);
    EXPECT_EQ(split.appDir, home.path() + QLatin1Char('/'));
    ASSERT_EQ(split.photos.size(), 1);
    EXPECT_EQ(split.photos[0], QDir::current().absoluteFilePath(QStringLiteral("a.jpg")));

    const CommandLine joined =
        CommandLine::Parse({"quenda", "--home=" + home.path(), "/fotos/b.png", "c d.jpg"}, "/opt/q");
    EXPECT_TRUE(joined.error.isEmpty());
    EXPECT_EQ(joined.appDir, home.path() + QLatin1Char('/'));
    EXPECT_EQ(joined.photos.size(), 2);
    EXPECT_EQ(joined.photos[0], QStringLiteral("/fotos/b.png"));

    const CommandLine plain = CommandLine::Parse({"quenda"}, "/opt/q");
    EXPECT_FALSE(plain.homeGiven);
    EXPECT_EQ(plain.appDir, QStringLiteral("/opt/q/"));
    EXPECT_TRUE(plain.photos.isEmpty());
}

TEST(CommandLine, PhotoNamedLikeAnOptionAfterDoubleDash)
{
    const CommandLine line = CommandLine::Parse({"quenda", "--", "-foto.jpg", "--home"}, "/opt/q");
    EXPECT_TRUE(line.error.isEmpty()) << line.error.toStdString();
    ASSERT_EQ(line.photos.size(), 2);
    EXPECT_TRUE(line.photos[0].endsWith(QStringLiteral("/-foto.jpg")));
    EXPECT_FALSE(line.homeGiven);
}

TEST(CommandLine, RefusesWhatItDoesNotKnowInPortuguese)
{
    const CommandLine unknown = CommandLine::Parse({"quenda", "--bogus", "a.jpg"}, "/opt/q");
    EXPECT_TRUE(unknown.error.startsWith(QStringLiteral("Opção desconhecida: --bogus")))
        << unknown.error.toStdString();
    EXPECT_TRUE(unknown.error.contains(CommandLine::Usage()));
    EXPECT_TRUE(unknown.photos.isEmpty()) << "nothing opens from a line that was not understood";

    EXPECT_EQ(CommandLine::Parse({"quenda", "--home"}, "/opt/q").error,
              QStringLiteral("--home precisa de uma pasta."));
    EXPECT_EQ(CommandLine::Parse({"quenda", "--home="}, "/opt/q").error,
              QStringLiteral("--home precisa de uma pasta."));
    EXPECT_EQ(CommandLine::Parse({"quenda", "--home", "/nao/existe"}, "/opt/q").error,
              QStringLiteral("A pasta /nao/existe não existe."));
    EXPECT_TRUE(CommandLine::Parse({"quenda", "-x"}, "/opt/q")
                    .error.startsWith(QStringLiteral("Opção desconhecida: -x")));
}

TEST(CommandLine, HelpAndVersionAreFoundBeforeAnythingElse)
{
    using A = CommandLine::Action;
    EXPECT_EQ(CommandLine::InfoRequested({"quenda", "--version"}), A::Version);
    EXPECT_EQ(CommandLine::InfoRequested({"quenda", "a.jpg", "-v"}), A::Version);
    EXPECT_EQ(CommandLine::InfoRequested({"quenda", "-platform", "offscreen", "--help"}), A::Help);
    EXPECT_EQ(CommandLine::InfoRequested({"quenda", "-h", "--version"}), A::Help);
    EXPECT_EQ(CommandLine::InfoRequested({"quenda", "a.jpg"}), A::Run);
    // A folder or a photo that happens to be called so is not a request.
    EXPECT_EQ(CommandLine::InfoRequested({"quenda", "--home", "--help"}), A::Run);
    EXPECT_EQ(CommandLine::InfoRequested({"quenda", "--", "--version"}), A::Run);
    // The program itself is never an argument.
    EXPECT_EQ(CommandLine::InfoRequested({"--help"}), A::Run);

    EXPECT_EQ(CommandLine::Parse({"quenda", "--help"}, "/opt/q").action, A::Help);
    EXPECT_EQ(CommandLine::Parse({"quenda", "--version"}, "/opt/q").action, A::Version);
    EXPECT_EQ(CommandLine::VersionText(), QStringLiteral("quenda " QUENDA_EXPECTED_VERSION));
    const QString help = CommandLine::HelpText();
    for (const char *option : {"--home PASTA", "--help", "--version"})
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
}
