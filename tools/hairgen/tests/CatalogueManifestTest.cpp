#include "CatalogueManifest.h"

#include <gtest/gtest.h>

TEST(CatalogueManifest, ReadsEntriesSkippingCommentsAndBlanks)
{
    CatalogueManifest m;
    std::string error;
    ASSERT_TRUE(m.parse("# list\n\n"
                        "Quenda5|M\xC3\xA9"
                        "dios e Claros|12|variant13_light.png|#C9a064|mirror|1.15\r\n"
                        "  Quenda42 | Masculinos | 1 | variant01_dark.png | #000000 | plain | 1 \n",
                        error))
        << error;
    ASSERT_EQ(m.entries().size(), 2u);
    const auto &e = m.entries()[0];
    EXPECT_EQ(e.relativePath(), "Quenda5/M\xC3\xA9"
                                "dios e Claros/12.GIF");
    EXPECT_EQ(e.shape, "variant13_light.png");
    EXPECT_TRUE(e.mirror);
    EXPECT_DOUBLE_EQ(e.scale, 1.15);
    EXPECT_FLOAT_EQ(e.colour.red, 0xC9);
    EXPECT_FLOAT_EQ(e.colour.green, 0xA0);
    EXPECT_FLOAT_EQ(e.colour.blue, 0x64);
    EXPECT_EQ(e.line, 3);
    EXPECT_EQ(m.entries()[1].relativePath(), "Quenda42/Masculinos/1.GIF");
    EXPECT_FALSE(m.entries()[1].mirror);
}

TEST(CatalogueManifest, RejectsMalformedLinesNamingTheLine)
{
    const char *bad[] = {
        "Quenda5|Masculinos|1|s.png|#112233|plain",     // six fields
        "Quenda5|Masculinos|0|s.png|#112233|plain|1",   // number 0
        "Quenda5|Masculinos|1x|s.png|#112233|plain|1",  // not a number
        "Quenda5|Masculinos|1|s.png|112233|plain|1",    // colour without '#'
        "Quenda5|Masculinos|1|s.png|#11223G|plain|1",   // bad hex digit
        "Quenda5|Masculinos|1|s.png|#112233|flipped|1", // unknown flag
        "Quenda5|Masculinos|1|s.png|#112233|plain|9",   // scale out of range
        "Quenda5|Masculinos|1|s.png|#112233|plain|1,5", // not a C number
        "..|Masculinos|1|s.png|#112233|plain|1",        // leaves the salon
        "Quenda5|../x|1|s.png|#112233|plain|1",
        "Quenda5|Masculinos|1|s.png|#112233|plain|1\nQuenda5|Masculinos|1|t.png|#112233|plain|1", // twice
    };
    for (const char *text : bad) {
        CatalogueManifest m;
        std::string error;
        EXPECT_FALSE(m.parse(text, error)) << text;
        EXPECT_NE(error.find("line "), std::string::npos) << error;
    }
}

TEST(CatalogueManifest, SeedFollowsThePictureNotTheLine)
{
    CatalogueManifest a, b;
    std::string error;
    ASSERT_TRUE(a.parse("Q|C|1|s.png|#112233|plain|1\nQ|C|2|s.png|#112233|plain|1", error));
    ASSERT_TRUE(b.parse("# moved down\n\nQ|C|1|t.png|#445566|mirror|2", error));
    EXPECT_EQ(a.entries()[0].seed(), b.entries()[0].seed());
    EXPECT_NE(a.entries()[0].seed(), a.entries()[1].seed());
}

TEST(CatalogueManifest, FoldersAndListedPictures)
{
    CatalogueManifest m;
    std::string error;
    ASSERT_TRUE(m.parse("Q5|Curtos e Claros|1|s.png|#112233|plain|1\n"
                        "Q5|Masculinos|2|s.png|#112233|plain|1\n"
                        "Q5|Curtos e Claros|3|s.png|#112233|plain|1\n"
                        "Q42|Curtos e Claros|1|s.png|#112233|plain|1\n",
                        error));
    EXPECT_EQ(m.folders(),
              (std::vector<std::string>{"Q5/Curtos e Claros", "Q5/Masculinos", "Q42/Curtos e Claros"}));
    EXPECT_TRUE(m.lists("Q5/Curtos e Claros", "3.GIF"));
    EXPECT_FALSE(m.lists("Q5/Curtos e Claros", "2.GIF")) << "a stale picture from an older list";
    EXPECT_FALSE(m.lists("Q42/Curtos e Claros", "3.GIF"));
    EXPECT_FALSE(m.lists("Q5/Masculinos", "2.gif"));
}
