// The language file reader must read a file written for the original program
// exactly as the Windows profile-string reader would.

#include "AnsiText.h"
#include "ProfileFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

class ProfileFileOnDisk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() / (std::string("quenda-profile-") + info->name() + "-"
                                             + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string write(const std::string &bytes, const std::string &name = "language.lng")
    {
        const fs::path p = m_dir / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }

    fs::path m_dir;
};

std::string repeat(const std::string &unit, size_t n)
{
    std::string s;
    for (size_t i = 0; i < n; ++i)
        s += unit;
    return s;
}

// ---------------------------------------------------------------- structure

TEST(ProfileFileStructure, SectionAndKeyNamesIgnoreCase)
{
    const auto p = ProfileFile::parse("[Translations]\nF_HAIR.Arquivo1.Caption=&File\n");
    EXPECT_EQ(p.value("translations", "f_hair.arquivo1.CAPTION"), "&File");
    EXPECT_EQ(p.value("TRANSLATIONS", "F_HAIR.ARQUIVO1.caption"), "&File");
}

TEST(ProfileFileStructure, BlanksAroundKeyValueAndSectionNameIgnored)
{
    const auto p = ProfileFile::parse("  [ Messages ]  \n \t Key one \t=   a value with  inner  blanks \t \n");
    EXPECT_EQ(p.value("Messages", "Key one"), "a value with  inner  blanks");
    EXPECT_EQ(p.value("Messages", "  Key one  "), "a value with  inner  blanks");
    // Blanks inside a key are part of it.
    EXPECT_FALSE(p.contains("Messages", "Keyone"));
}

TEST(ProfileFileArguments, OnlySpacesAroundSectionAndKeyArgumentsIgnored)
{
    const auto p = ProfileFile::parse("[Messages]\nKey=v\n");
    EXPECT_EQ(p.value("  Messages  ", "   Key "), "v");
    // A tab in the caller's names is part of the name.
    EXPECT_FALSE(p.contains("\tMessages", "Key"));
    EXPECT_FALSE(p.contains("Messages\t", "Key"));
    EXPECT_FALSE(p.contains("Messages", "Key\t"));
    EXPECT_FALSE(p.contains("Messages", " \tKey"));
    EXPECT_EQ(p.value("Messages", "\tKey", "fallback"), "fallback");
}

TEST(ProfileFileArguments, DefaultLosesTrailingSpacesOnly)
{
    const ProfileFile p = ProfileFile::parse("[S]\nk=v\n");
    EXPECT_EQ(p.value("S", "missing", "Abrir   "), "Abrir");
    EXPECT_EQ(p.value("Nowhere", "k", "  lead and trail  "), "  lead and trail");
    EXPECT_EQ(p.value("S", "missing", "tab\t"), "tab\t");
    EXPECT_EQ(p.value("S", "missing", "tab\t  "), "tab\t");
    EXPECT_EQ(p.value("S", "missing", "    "), "");
    // A value found in the file is not touched by the rule.
    EXPECT_EQ(p.value("S", "k", "ignored  "), "v");
    EXPECT_EQ(ProfileFile().value("S", "k", "empty profile "), "empty profile");
}

TEST(ProfileFileStructure, FirstMatchingKeyWins)
{
    const auto p = ProfileFile::parse("[S]\nkey=first\nKEY=second\nkey=third\n");
    EXPECT_EQ(p.value("S", "key"), "first");
}

TEST(ProfileFileStructure, OnlyFirstSectionOfANameIsConsulted)
{
    const auto p = ProfileFile::parse("[S]\na=1\n[Other]\nb=x\n[s]\na=2\nb=3\n");
    EXPECT_EQ(p.value("S", "a"), "1");
    EXPECT_FALSE(p.contains("S", "b"));
    EXPECT_EQ(p.value("S", "b", "default"), "default");
    EXPECT_EQ(p.sectionCount(), 3u);
}

TEST(ProfileFileStructure, LinesWithoutEqualsAndEntriesBeforeAnySectionIgnored)
{
    const auto p = ProfileFile::parse("orphan=1\n[S]\njust some words\nkey\n=nokey\nreal=yes\n");
    EXPECT_FALSE(p.contains("S", "orphan"));
    EXPECT_FALSE(p.contains("", "orphan"));
    EXPECT_FALSE(p.contains("S", "just some words"));
    EXPECT_FALSE(p.contains("S", "key"));
    EXPECT_EQ(p.value("S", "real"), "yes");
}

TEST(ProfileFileStructure, ValueSplitAtFirstEqualsSign)
{
    const auto p = ProfileFile::parse("[S]\na = b = c\n");
    EXPECT_EQ(p.value("S", "a"), "b = c");
}

TEST(ProfileFileStructure, EmptyValueIsFoundAndDistinctFromMissingKey)
{
    const auto p = ProfileFile::parse("[S]\nempty=\nblank=    \n");
    EXPECT_TRUE(p.contains("S", "empty"));
    EXPECT_EQ(p.value("S", "empty", "default"), "");
    EXPECT_EQ(p.value("S", "blank", "default"), "");
    EXPECT_EQ(p.value("S", "missing", "default"), "default");
    EXPECT_EQ(p.value("Nowhere", "empty", "default"), "default");
}

TEST(ProfileFileStructure, AllLineEndingsSeparateLines)
{
    const auto p = ProfileFile::parse("[S]\r\na=1\r\nb=2\rc=3\n\nd=4");
    EXPECT_EQ(p.value("S", "a"), "1");
    EXPECT_EQ(p.value("S", "b"), "2");
    EXPECT_EQ(p.value("S", "c"), "3");
    EXPECT_EQ(p.value("S", "d"), "4");
}

TEST(ProfileFileStructure, HeaderWithTextAfterBracketStillStartsSection)
{
    const auto p = ProfileFile::parse("[Messages] old entries\nx=1\n");
    EXPECT_EQ(p.value("Messages", "x"), "1");
}

// ---------------------------------------------------------------- length

TEST(ProfileFileLength, ValueCutAt1023Characters)
{
    const std::string exact = repeat("a", 1023);
    const auto p = ProfileFile::parse("[S]\nexact=" + exact + "\nlong=" + repeat("b", 1023) + "XYZ\n");
    EXPECT_EQ(p.value("S", "exact"), exact);
    EXPECT_EQ(p.value("S", "long"), repeat("b", 1023));
}

TEST(ProfileFileLength, CutCountsCharactersNotBytes)
{
    // Two bytes each in UTF-8: the cut must not split a character.
    const auto p = ProfileFile::parse("[S]\nk=" + repeat("\xC3\xA9", 1100) + "\n");
    const std::string v = p.value("S", "k");
    EXPECT_EQ(v, repeat("\xC3\xA9", 1023));
    EXPECT_TRUE(AnsiText::isValidUtf8(v));
}

TEST(ProfileFileLength, CutAppliesAfterTrimmingAndQuotes)
{
    const auto p = ProfileFile::parse("[S]\nk=   \"" + repeat("c", 1023) + "\"   \n");
    EXPECT_EQ(p.value("S", "k"), repeat("c", 1023));
}

// ---------------------------------------------------------------- quotes

TEST(ProfileFileQuotes, OnePairOfMatchingQuotesIsStripped)
{
    const auto p = ProfileFile::parse("[S]\n"
                                      "double=\"&File\"\n"
                                      "single='&Edit'\n"
                                      "blanks=\"  padded  \"\n"
                                      "twice=\"\"inner\"\"\n"
                                      "empty=\"\"\n");
    EXPECT_EQ(p.value("S", "double"), "&File");
    EXPECT_EQ(p.value("S", "single"), "&Edit");
    EXPECT_EQ(p.value("S", "blanks"), "  padded  ");
    EXPECT_EQ(p.value("S", "twice"), "\"inner\"");
    EXPECT_EQ(p.value("S", "empty", "default"), "");
}

TEST(ProfileFileQuotes, UnmatchedOrInnerQuotesAreKept)
{
    const auto p = ProfileFile::parse("[S]\n"
                                      "mixed=\"text'\n"
                                      "open=\"text\n"
                                      "close=text\"\n"
                                      "inner=Say \"hi\" now\n"
                                      "lone=\"\n"
                                      "apostrophe=Don't\n");
    EXPECT_EQ(p.value("S", "mixed"), "\"text'");
    EXPECT_EQ(p.value("S", "open"), "\"text");
    EXPECT_EQ(p.value("S", "close"), "text\"");
    EXPECT_EQ(p.value("S", "inner"), "Say \"hi\" now");
    EXPECT_EQ(p.value("S", "lone"), "\"");
    EXPECT_EQ(p.value("S", "apostrophe"), "Don't");
}

TEST(ProfileFileQuotes, QuotesAroundKeysAreNotStripped)
{
    const auto p = ProfileFile::parse("[S]\n\"key\"=v\n");
    EXPECT_TRUE(p.contains("S", "\"key\""));
    EXPECT_FALSE(p.contains("S", "key"));
}

// ---------------------------------------------------------------- comments

TEST(ProfileFileComments, SemicolonLineWithoutEqualsIsIgnored)
{
    const auto p = ProfileFile::parse("[S]\n; English texts for the salon\na=1\n");
    EXPECT_EQ(p.value("S", "a"), "1");
    EXPECT_FALSE(p.contains("S", "; English texts for the salon"));
}

TEST(ProfileFileComments, SemicolonLineWithEqualsIsAComment)
{
    // A line starting with ";" is a comment even when it holds "=": it
    // neither sets the key nor makes one that starts with ";".
    const auto p = ProfileFile::parse("[S]\n;a=commented out\na=live\n;b=only commented\n  ;c=indented\n");
    EXPECT_EQ(p.value("S", "a"), "live");
    EXPECT_FALSE(p.contains("S", "b"));
    EXPECT_FALSE(p.contains("S", ";b"));
    EXPECT_FALSE(p.contains("S", "c"));
    EXPECT_FALSE(p.contains("S", ";c"));
    // A commented line before the live one does not shadow it either.
    const auto q = ProfileFile::parse("[S]\n;k=old\nk=new\n");
    EXPECT_EQ(q.value("S", "k"), "new");
}

TEST(ProfileFileComments, SemicolonInsideAKeyIsKept)
{
    const auto p = ProfileFile::parse("[S]\na;b=1\n");
    EXPECT_EQ(p.value("S", "a;b"), "1");
}

TEST(ProfileFileComments, TrailingSemicolonTextBelongsToValue)
{
    const auto p = ProfileFile::parse("[S]\na=&Open ; the file menu\n");
    EXPECT_EQ(p.value("S", "a"), "&Open ; the file menu");
}

TEST(ProfileFileComments, CommentedHeaderDoesNotStartSection)
{
    const auto p = ProfileFile::parse("[S]\n;[T]\nx=1\n");
    EXPECT_EQ(p.value("S", "x"), "1");
    EXPECT_FALSE(p.contains("T", "x"));
}

// ---------------------------------------------------------------- encoding

TEST(ProfileFileEncoding, Utf8KeysAndValues)
{
    const auto p = ProfileFile::parse("[Messages]\nArquivo n\xC3\xA3o encontrado.=File not found.\n"
                                      "k=Ol\xC3\xA1 \xE2\x82\xAC\n");
    EXPECT_EQ(p.value("Messages", "Arquivo n\xC3\xA3o encontrado."), "File not found.");
    EXPECT_EQ(p.value("Messages", "k"), "Ol\xC3\xA1 \xE2\x82\xAC");
}

TEST(ProfileFileEncoding, AccentedKeysIgnoreCase)
{
    const auto p = ProfileFile::parse("[Messages]\n\xC3\x89 preciso abrir uma foto primeiro!=Open a photo first!\n");
    EXPECT_EQ(p.value("Messages", "\xC3\xA9 PRECISO abrir uma foto primeiro!"), "Open a photo first!");
    EXPECT_EQ(p.value("messages", "\xC3\x89 preciso abrir uma foto primeiro!"), "Open a photo first!");
}

TEST(ProfileFileEncoding, Utf8ByteOrderMarkSkipped)
{
    const auto p = ProfileFile::parse("\xEF\xBB\xBF[S]\nk=v\n");
    EXPECT_EQ(p.value("S", "k"), "v");
}

TEST(ProfileFileEncoding, InvalidUtf8FallsBackToWindows1252)
{
    // "não" and "É" as single Western code-page bytes, the euro sign and
    // typographic quotes from the 0x80-0x9F range.
    const auto p = ProfileFile::parse("[Messages]\nArquivo n\xE3o encontrado.=Not found \x80 \x93quoted\x94\n"
                                      "\xC9 preciso=\x85\n");
    EXPECT_EQ(p.value("Messages", "Arquivo n\xC3\xA3o encontrado."),
              "Not found \xE2\x82\xAC \xE2\x80\x9Cquoted\xE2\x80\x9D");
    EXPECT_EQ(p.value("Messages", "\xC3\xA9 preciso"), "\xE2\x80\xA6");
}

TEST(ProfileFileEncoding, OneBadByteMakesWholeFileWindows1252)
{
    // The valid-looking UTF-8 pair at the start is read as two 1252 characters too.
    const auto p = ProfileFile::parse("[S]\na=\xC3\xA9\nb=\xE9\n");
    EXPECT_EQ(p.value("S", "a"), "\xC3\x83\xC2\xA9");
    EXPECT_EQ(p.value("S", "b"), "\xC3\xA9");
}

TEST(ProfileFileEncoding, Utf16WithByteOrderMark)
{
    const std::string text = "[S]\r\nk=n\xE3o\r\n";
    std::string le = "\xFF\xFE";
    std::string be = "\xFE\xFF";
    for (unsigned char c : text) {
        le += static_cast<char>(c);
        le += '\0';
        be += '\0';
        be += static_cast<char>(c);
    }
    EXPECT_EQ(ProfileFile::parse(le).value("S", "k"), "n\xC3\xA3o");
    EXPECT_EQ(ProfileFile::parse(be).value("S", "k"), "n\xC3\xA3o");
}

TEST(AnsiTextTable, Windows1252HighRange)
{
    EXPECT_EQ(AnsiText::windows1252ToUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(AnsiText::windows1252ToUtf8("\x8A\x8C\x8E\x9A\x9C\x9E\x9F"),
              "\xC5\xA0\xC5\x92\xC5\xBD\xC5\xA1\xC5\x93\xC5\xBE\xC5\xB8");
    EXPECT_EQ(AnsiText::windows1252ToUtf8("\x96\x97\x99"), "\xE2\x80\x93\xE2\x80\x94\xE2\x84\xA2");
    // Undefined bytes keep their value as C1 controls instead of vanishing.
    EXPECT_EQ(AnsiText::windows1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
    EXPECT_EQ(AnsiText::windows1252ToUtf8("\xA0\xFF"), "\xC2\xA0\xC3\xBF");
}

TEST(AnsiTextTable, RejectsMalformedUtf8)
{
    EXPECT_TRUE(AnsiText::isValidUtf8("plain \xC3\xA3 \xE2\x82\xAC \xF0\x9F\x98\x80"));
    EXPECT_FALSE(AnsiText::isValidUtf8("\xC0\xAF"));         // overlong "/"
    EXPECT_FALSE(AnsiText::isValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(AnsiText::isValidUtf8("\xF4\x90\x80\x80")); // beyond U+10FFFF
    EXPECT_FALSE(AnsiText::isValidUtf8("\xC3"));             // truncated
    EXPECT_FALSE(AnsiText::isValidUtf8("\x80"));             // stray continuation
}

TEST(AnsiTextTable, FoldsLatinCapitals)
{
    EXPECT_EQ(AnsiText::foldCase(U'\u00C9'), U'\u00E9');
    EXPECT_EQ(AnsiText::foldCase(U'\u00C7'), U'\u00E7');
    EXPECT_EQ(AnsiText::foldCase(U'\u00D7'), U'\u00D7');
    EXPECT_EQ(AnsiText::foldCase(U'\u0152'), U'\u0153');
    EXPECT_EQ(AnsiText::foldCase(U'\u0141'), U'\u0142');
    EXPECT_EQ(AnsiText::foldCase(U'\u0178'), U'\u00FF');
    EXPECT_EQ(AnsiText::foldCase(U'\u00E9'), U'\u00E9');
}

// ---------------------------------------------------------------- files

TEST_F(ProfileFileOnDisk, ReadsFileFromDisk)
{
    const auto p = ProfileFile::load(write("[Translations]\nF_SOBRE.CAPTION=About\n"));
    EXPECT_EQ(p.value("Translations", "F_SOBRE.CAPTION"), "About");
}

TEST_F(ProfileFileOnDisk, MissingFileYieldsDefaults)
{
    const auto p = ProfileFile::load((m_dir / "no-such-file.lng").string());
    EXPECT_EQ(p.sectionCount(), 0u);
    EXPECT_EQ(p.value("Messages", "Arquivo", "Arquivo"), "Arquivo");
}

TEST_F(ProfileFileOnDisk, DirectoryOrEmptyPathYieldsDefaults)
{
    EXPECT_EQ(ProfileFile::load(m_dir.string()).value("S", "k", "d"), "d");
    EXPECT_EQ(ProfileFile::load("").value("S", "k", "d"), "d");
}

TEST_F(ProfileFileOnDisk, UnicodeFileName)
{
    const auto p = ProfileFile::load(write("[S]\nk=v\n", "l\xC3\xADngua.lng"));
    EXPECT_EQ(p.value("S", "k"), "v");
}

TEST_F(ProfileFileOnDisk, EmptyFileYieldsDefaults)
{
    const auto p = ProfileFile::load(write(""));
    EXPECT_EQ(p.value("S", "k", "d"), "d");
}

} // namespace

TEST_F(ProfileFileOnDisk, FifoAndDeviceYieldDefaultsWithoutWaiting)
{
    // A FIFO without a writer would block a plain open() for good.
    const fs::path fifo = m_dir / "language.lng";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ProfileFile::load(fifo.string()).sectionCount(), 0u);
    // A character device that never ends.
    EXPECT_EQ(ProfileFile::load("/dev/zero").sectionCount(), 0u);
}
