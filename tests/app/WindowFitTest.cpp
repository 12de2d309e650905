// Window sizes that stay on the screen.
#include "WindowFit.h"

#include <gtest/gtest.h>

TEST(WindowFit, WidthIsCutToTheScreenOnly)
{
    EXPECT_EQ(WindowFit::Width(544, 1600), 544);
    EXPECT_EQ(WindowFit::Width(1728, 1600), 1600); // the English first-steps window
    EXPECT_EQ(WindowFit::Width(1600, 1600), 1600);
    EXPECT_EQ(WindowFit::Width(500, 0), 1);
}

TEST(WindowFit, HeightGrowsForTheTextButStaysOnTheScreen)
{
    EXPECT_EQ(WindowFit::Height(279, 200, 1000), 279); // room to spare: as designed
    EXPECT_EQ(WindowFit::Height(279, 420, 1000), 420); // wrapped text needs more
    EXPECT_EQ(WindowFit::Height(279, 1400, 1000), 1000);
    EXPECT_EQ(WindowFit::Height(1200, 100, 1000), 1000);
    EXPECT_EQ(WindowFit::Height(279, 300, -3), 1);
}
