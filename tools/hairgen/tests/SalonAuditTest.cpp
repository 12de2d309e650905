#include "SalonAudit.h"

#include "GifFile.h"
#include "TestHair.h"

#include <filesystem>
#include <unistd.h>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

// Builds a complete, correct salon in a scratch folder; each test breaks one
// thing and expects the inspector to name it.
class SalonAuditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // One folder per process too: two builds' test runs may overlap.
        m_dir = fs::path(::testing::TempDir()) /
                (std::string("salon_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_"
                 + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        const IndexedPicture light = testHair(colour("#C99A58"));
        const IndexedPicture dark = testHair(colour("#3A2A1F"));
        std::string error;
        for (const auto &c : SalonAudit::kCollections)
            for (int cat = 0; cat < 7; ++cat) {
                const fs::path folder = m_dir / c.folder / SalonAudit::kCategories[cat];
                fs::create_directories(folder);
                for (int n = 1; n <= c.minimumPerCategory; ++n) {
                    const IndexedPicture &p =
                        SalonAudit::isLight(cat) || (cat == 6 && n == 1) ? light : dark;
                    ASSERT_TRUE(GifFile::write((folder / (std::to_string(n) + ".GIF")).string(), p, error))
                        << error;
                }
            }
        std::ofstream(m_dir / "Modelo.JPG", std::ios::binary) << "\xFF\xD8\xFF\xE0 pretend JPEG";
        std::ofstream(m_dir / "QUENDA.HLP") << "<html><body>Ajuda</body></html>";
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path folder(int collection, int category) const
    {
        return m_dir / SalonAudit::kCollections[collection].folder /
               SalonAudit::kCategories[category];
    }
    bool reports(const std::string &word)
    {
        SalonAudit inspector(m_dir.string());
        EXPECT_FALSE(inspector.run());
        for (const std::string &p : inspector.problems())
            if (p.find(word) != std::string::npos)
                return true;
        for (const std::string &p : inspector.problems())
            ADD_FAILURE() << "unexpected: " << p;
        return false;
    }

    fs::path m_dir;
};

TEST_F(SalonAuditTest, CompleteSalonPasses)
{
    // Files the program skips do not disturb the catalogue.
    std::ofstream(folder(0, 0) / "notas.txt") << "lista de clientes";
    SalonAudit inspector(m_dir.string());
    EXPECT_TRUE(inspector.run());
    for (const std::string &p : inspector.problems())
        ADD_FAILURE() << p;
    EXPECT_EQ(inspector.picturesChecked(), 7 * 4 + 7 * 2);
}

TEST_F(SalonAuditTest, MissingCategoryFolder)
{
    fs::remove_all(folder(1, 6));
    EXPECT_TRUE(reports("Quenda42/Masculinos: missing folder"));
}

TEST_F(SalonAuditTest, TooFewHairs)
{
    fs::remove(folder(0, 3) / "4.GIF");
    EXPECT_TRUE(reports("3 hairs, at least 4"));
}

TEST_F(SalonAuditTest, GapInTheNumbers)
{
    // The arrow keys would stop at 2 and never reach the rest.
    fs::rename(folder(0, 2) / "4.GIF", folder(0, 2) / "7.GIF");
    EXPECT_TRUE(reports("4.GIF missing before 7.GIF"));
}

TEST_F(SalonAuditTest, WrongFileNames)
{
    fs::rename(folder(0, 4) / "4.GIF", folder(0, 4) / "4.gif");
    EXPECT_TRUE(reports("4.gif: hair files are named <number>.GIF"));
    fs::rename(folder(0, 4) / "4.gif", folder(0, 4) / "04.GIF");
    EXPECT_TRUE(reports("04.GIF: hair files are named"));
}

TEST_F(SalonAuditTest, UnreadablePicture)
{
    std::ofstream(folder(1, 5) / "2.GIF", std::ios::trunc) << "GIF89a but nothing else";
    EXPECT_TRUE(reports("2.GIF: does not decode"));
}

TEST_F(SalonAuditTest, DarkHairInALightFolder)
{
    std::string error;
    ASSERT_TRUE(GifFile::write((folder(0, 4) / "2.GIF").string(), testHair(colour("#2A1E18")), error));
    EXPECT_TRUE(reports("is not lighter than dark hair"));
}

TEST_F(SalonAuditTest, LightHairInADarkFolder)
{
    std::string error;
    ASSERT_TRUE(GifFile::write((folder(1, 1) / "1.GIF").string(), testHair(colour("#D2AE74")), error));
    EXPECT_TRUE(reports("is not lighter than dark hair"));
}

TEST_F(SalonAuditTest, BadPictureNamedWithItsPlace)
{
    IndexedPicture p = testHair(colour("#C99A58"));
    p.palette[0] = 0x000000;
    std::string error;
    ASSERT_TRUE(GifFile::write((folder(0, 0) / "3.GIF").string(), p, error));
    EXPECT_TRUE(reports("Quenda5/Curtos e Claros/3.GIF: bottom-left colour #000000"));
}

TEST_F(SalonAuditTest, SampleFilesBesideTheProgram)
{
    fs::remove(m_dir / "Modelo.JPG");
    EXPECT_TRUE(reports("Modelo.JPG"));
    std::ofstream(m_dir / "Modelo.JPG") << "BM not a jpeg";
    EXPECT_TRUE(reports("Modelo.JPG"));
    std::ofstream(m_dir / "Modelo.JPG", std::ios::binary) << "\xFF\xD8\xFF";
    std::ofstream emptied(m_dir / "QUENDA.HLP", std::ios::trunc);
    emptied.close();
    EXPECT_TRUE(reports("QUENDA.HLP"));
}

TEST(SalonAudit, NoSalonAtAll)
{
    SalonAudit inspector((fs::path(::testing::TempDir()) / "no salon here").string());
    EXPECT_FALSE(inspector.run());
    ASSERT_EQ(inspector.problems().size(), 1u);
}
