#include "SalonAudit.h"

#include "GifFile.h"
#include "HairPictureCheck.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;

const std::array<std::string, 7> SalonAudit::kCategories = {"Curtos e Claros",
                                                                "Curtos e Escuros",
                                                                "M\xC3\xA9"
                                                                "dios e Claros",
                                                                "M\xC3\xA9"
                                                                "dios e Escuros",
                                                                "Longos e Claros",
                                                                "Longos e Escuros",
                                                                "Masculinos"};

const std::array<SalonAudit::Collection, 2> SalonAudit::kCollections = {Collection{"Quenda5", 4},
                                                                                Collection{"Quenda42", 2}};

bool SalonAudit::run()
{
    m_problems.clear();
    m_pictures = 0;
    m_darkestLight = 1e9;
    m_lightestDark = -1;
    if (!fs::is_directory(fs::path(m_dir))) {
        m_problems.push_back(m_dir + ": no such folder");
        return false;
    }
    for (const Collection &c : kCollections)
        for (int category = 0; category < 7; ++category)
            checkCategory(c, category);
    if (m_lightestDark >= 0 && m_darkestLight < 1e9 && m_darkestLight <= m_lightestDark)
        m_problems.push_back("light hair " + m_darkestLightName + " (luminance " +
                             std::to_string(int(m_darkestLight)) + ") is not lighter than dark hair " +
                             m_lightestDarkName + " (" + std::to_string(int(m_lightestDark)) + ")");
    checkSideFiles();
    return m_problems.empty();
}

void SalonAudit::checkCategory(const Collection &collection, int category)
{
    const std::string rel = collection.folder + "/" + kCategories[category];
    const fs::path folder = fs::path(m_dir) / fs::path(rel);
    if (!fs::is_directory(folder)) {
        m_problems.push_back(rel + ": missing folder");
        return;
    }
    // Number -> file. Only "<number>.GIF" is found by the program, which
    // builds the name itself; anything else that looks like a picture is a
    // mistake in the catalogue.
    std::map<int, fs::path> hairs;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        const std::string name = entry.path().filename().string();
        const std::string stem = entry.path().stem().string();
        const std::string ext = entry.path().extension().string();
        std::string lower = ext;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        if (lower != ".gif")
            continue;
        const bool numbered =
            !stem.empty() && stem.size() <= 4 && stem[0] != '0' &&
            std::all_of(stem.begin(), stem.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (ext != ".GIF" || !numbered) {
            m_problems.push_back(rel + "/" + name + ": hair files are named <number>.GIF");
            continue;
        }
        hairs[std::stoi(stem)] = entry.path();
    }
    if (int(hairs.size()) < collection.minimumPerCategory)
        m_problems.push_back(rel + ": " + std::to_string(hairs.size()) + " hairs, at least " +
                             std::to_string(collection.minimumPerCategory) + " wanted");
    int expected = 1;
    for (const auto &[number, path] : hairs) {
        if (number != expected) {
            m_problems.push_back(rel + ": hair " + std::to_string(expected) + ".GIF missing before " +
                                 std::to_string(number) + ".GIF");
            expected = number;
        }
        ++expected;
        const std::string name = rel + "/" + std::to_string(number) + ".GIF";
        IndexedPicture picture;
        std::string error;
        ++m_pictures;
        if (!GifFile::read(path.string(), picture, error)) {
            m_problems.push_back(name + ": does not decode: " + error);
            continue;
        }
        const HairPictureCheck::Result r = HairPictureCheck::inspect(picture);
        for (const std::string &p : r.problems)
            m_problems.push_back(name + ": " + p);
        if (r.hairPixels == 0)
            continue;
        if (isLight(category) && r.meanLuminance < m_darkestLight) {
            m_darkestLight = r.meanLuminance;
            m_darkestLightName = name;
        }
        if (isDark(category) && r.meanLuminance > m_lightestDark) {
            m_lightestDark = r.meanLuminance;
            m_lightestDarkName = name;
        }
    }
}

void SalonAudit::checkSideFiles()
{
    const fs::path dir = fs::path(m_dir);
    std::ifstream photo(dir / "Modelo.JPG", std::ios::binary);
    unsigned char magic[3] = {0, 0, 0};
    if (!photo || !photo.read(reinterpret_cast<char *>(magic), 3) || magic[0] != 0xFF || magic[1] != 0xD8 ||
        magic[2] != 0xFF)
        m_problems.push_back("Modelo.JPG: missing or not a JPEG photograph");
    std::error_code ec;
    const auto helpSize = fs::file_size(dir / "QUENDA.HLP", ec);
    if (ec || helpSize == 0)
        m_problems.push_back("QUENDA.HLP: missing or empty");
}
