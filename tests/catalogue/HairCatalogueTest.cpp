#include "HairCatalogue.h"

#include <gtest/gtest.h>

namespace {

TEST(HairCatalogueOrder, ByHairNumberThenOtherNamesWithoutCase)
{
    const std::vector<std::string> listing = {"10.GIF", "b.gif",  "2.GIF", "1.GIF",
                                              "Aa.GIF", "11.gif", "3.GIF"};
    EXPECT_EQ(HairCatalogue::Ordered(listing),
              (std::vector<std::string>{"1.GIF", "2.GIF", "3.GIF", "10.GIF", "11.gif", "Aa.GIF", "b.gif"}));
}

TEST(HairCatalogueOrder, NumbersAreReadOnlyFromAllDigitNames)
{
    EXPECT_EQ(HairCatalogue::HairNumber("12.GIF"), 12);
    EXPECT_EQ(HairCatalogue::HairNumber("007.gif"), 7);
    EXPECT_EQ(HairCatalogue::HairNumber("1a.GIF"), -1);
    EXPECT_EQ(HairCatalogue::HairNumber(".GIF"), -1);
    EXPECT_EQ(HairCatalogue::HairNumber("12"), -1);
    // Too long to be a number: listed among the other names.
    EXPECT_EQ(HairCatalogue::HairNumber("12345678901234567890.GIF"), -1);
    // Equal numbers keep a fixed order.
    EXPECT_EQ(HairCatalogue::Ordered({"7.GIF", "07.GIF"}), (std::vector<std::string>{"07.GIF", "7.GIF"}));
}

TEST(HairCatalogueId, TakenFromTheFileName)
{
    EXPECT_EQ(HairCatalogue::PickedHairId("/salon/Quenda5/Médios e Escuros/12.GIF"), "12");
    EXPECT_EQ(HairCatalogue::PickedHairId("/salon/Quenda5/Curtos e Claros/7.GIF"), "7");
    EXPECT_EQ(HairCatalogue::PickedHairId("C:\\Salao\\Quenda5\\Masculinos\\104.GIF"), "104");
    EXPECT_EQ(HairCatalogue::PickedHairId("10.GIF"), "10");
    // Names shorter than an extension give no id rather than garbage.
    EXPECT_EQ(HairCatalogue::PickedHairId("/a/b.G"), "b");
    EXPECT_EQ(HairCatalogue::PickedHairId("/a/GIF"), "");
    EXPECT_EQ(HairCatalogue::PickedHairId(""), "");
}

} // namespace
