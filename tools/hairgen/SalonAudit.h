#pragma once

#include <array>
#include <string>
#include <vector>

// Checks a finished salon folder the way the program will use it: both hair
// collections with their seven category folders, hair pictures numbered
// 1.GIF, 2.GIF, ... without gaps (the arrow keys step through the numbers),
// every picture a working overlay, light folders lighter than dark ones, and
// the sample photograph and help file beside the program.
class SalonAudit
{
public:
    static const std::array<std::string, 7> kCategories;
    // Category folders of light hair (their luminance must exceed every
    // dark folder's).
    static bool isLight(int category) { return category == 0 || category == 2 || category == 4; }
    static bool isDark(int category) { return category == 1 || category == 3 || category == 5; }

    struct Collection
    {
        std::string folder;
        int minimumPerCategory;
    };
    static const std::array<Collection, 2> kCollections;

    explicit SalonAudit(std::string salonDir) : m_dir(std::move(salonDir)) {}

    // Runs every check; true when nothing is wrong.
    bool run();
    const std::vector<std::string> &problems() const { return m_problems; }
    int picturesChecked() const { return m_pictures; }

private:
    void checkCategory(const Collection &collection, int category);
    void checkSideFiles();

    std::string m_dir;
    std::vector<std::string> m_problems;
    int m_pictures = 0;
    double m_darkestLight = 1e9;
    std::string m_darkestLightName;
    double m_lightestDark = -1;
    std::string m_lightestDarkName;
};
