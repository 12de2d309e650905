#include "CatalogueManifest.h"

#include <charconv>
#include <set>
#include <sstream>

namespace {

std::string trimmed(const std::string &s)
{
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

std::vector<std::string> split(const std::string &line, char sep)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(line);
    while (std::getline(in, part, sep))
        parts.push_back(trimmed(part));
    if (!line.empty() && line.back() == sep)
        parts.push_back({});
    return parts;
}

// Folder and file names must stay inside the salon folder.
bool safeName(const std::string &s)
{
    return !s.empty() && s != "." && s != ".." && s.find('/') == std::string::npos &&
           s.find('\\') == std::string::npos;
}

} // namespace

std::string CatalogueManifest::Entry::relativePath() const
{
    return collection + "/" + category + "/" + std::to_string(number) + ".GIF";
}

std::uint64_t CatalogueManifest::Entry::seed() const
{
    // FNV-1a over the path: stable across compilers, unlike std::hash.
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (unsigned char c : relativePath()) {
        h ^= c;
        h *= 0x100000001b3ull;
    }
    return h;
}

bool CatalogueManifest::parse(const std::string &text, std::string &error)
{
    m_entries.clear();
    std::set<std::string> seen;
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        const std::string line = trimmed(raw);
        if (line.empty() || line[0] == '#')
            continue;
        const std::string where = "line " + std::to_string(lineNo) + ": ";
        const std::vector<std::string> f = split(line, '|');
        if (f.size() != 7) {
            error = where + "expected 7 fields separated by '|', found " + std::to_string(f.size());
            return false;
        }
        Entry e;
        e.line = lineNo;
        e.collection = f[0];
        e.category = f[1];
        e.shape = f[3];
        if (!safeName(e.collection) || !safeName(e.category) || !safeName(e.shape)) {
            error = where + "folder and shape names must be plain names";
            return false;
        }
        const auto [ptr, ec] = std::from_chars(f[2].data(), f[2].data() + f[2].size(), e.number);
        if (ec != std::errc() || ptr != f[2].data() + f[2].size() || e.number < 1 || e.number > 9999) {
            error = where + "hair number must be 1..9999, not '" + f[2] + "'";
            return false;
        }
        if (!HairColour::parse(f[4], e.colour)) {
            error = where + "colour must be #RRGGBB, not '" + f[4] + "'";
            return false;
        }
        if (f[5] == "mirror")
            e.mirror = true;
        else if (f[5] != "plain") {
            error = where + "expected 'plain' or 'mirror', not '" + f[5] + "'";
            return false;
        }
        std::istringstream scale(f[6]);
        scale.imbue(std::locale::classic());
        if (!(scale >> e.scale) || !scale.eof() || e.scale < 0.25 || e.scale > 4.0) {
            error = where + "scale must be a number from 0.25 to 4, not '" + f[6] + "'";
            return false;
        }
        if (!seen.insert(e.relativePath()).second) {
            error = where + e.relativePath() + " is listed twice";
            return false;
        }
        m_entries.push_back(e);
    }
    return true;
}

std::vector<std::string> CatalogueManifest::folders() const
{
    std::vector<std::string> out;
    std::set<std::string> seen;
    for (const Entry &e : m_entries) {
        const std::string folder = e.collection + "/" + e.category;
        if (seen.insert(folder).second)
            out.push_back(folder);
    }
    return out;
}

bool CatalogueManifest::lists(const std::string &folder, const std::string &fileName) const
{
    for (const Entry &e : m_entries)
        if (e.collection + "/" + e.category == folder && std::to_string(e.number) + ".GIF" == fileName)
            return true;
    return false;
}
