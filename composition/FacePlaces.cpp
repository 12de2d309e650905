#include "FacePlaces.h"

#include "ProfileFile.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const char *const kKeys[4] = {"Esquerda", "Topo", "Largura", "Altura"};

bool parseNumber(const std::string &text, double &out)
{
    if (text.empty())
        return false;
    char *end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(out);
}

std::string number(double v)
{
    // Whole pixels are written without decimals; a placement recorded from a
    // zoomed view keeps one decimal.
    char buffer[64];
    const double rounded = std::round(v * 10) / 10;
    if (rounded == std::floor(rounded))
        std::snprintf(buffer, sizeof buffer, "%.0f", rounded);
    else
        std::snprintf(buffer, sizeof buffer, "%.1f", rounded);
    return buffer;
}

std::string section(int hair, const FaceRect &r)
{
    return "[" + std::to_string(hair) + "]\n" + kKeys[0] + "=" + number(r.x) + "\n" + kKeys[1] + "=" +
           number(r.y) + "\n" + kKeys[2] + "=" + number(r.width) + "\n" + kKeys[3] + "=" + number(r.height) +
           "\n";
}

std::string trimmed(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r'))
        --e;
    return std::string(s.substr(b, e - b));
}

// The section name of a header line "[name]", or nothing.
std::optional<std::string> header(std::string_view line)
{
    const std::string t = trimmed(line);
    if (t.size() < 2 || t.front() != '[')
        return std::nullopt;
    const size_t close = t.find(']');
    if (close == std::string::npos)
        return std::nullopt;
    return trimmed(std::string_view(t).substr(1, close - 1));
}

} // namespace

std::optional<FaceRect> FacePlaces::Find(std::string_view fileText, int hair)
{
    const ProfileFile profile = ProfileFile::parse(fileText);
    const std::string name = std::to_string(hair);
    double v[4];
    for (int i = 0; i < 4; ++i)
        if (!parseNumber(profile.value(name, kKeys[i]), v[i]))
            return std::nullopt;
    if (!(v[2] > 0 && v[3] > 0))
        return std::nullopt;
    return FaceRect{v[0], v[1], v[2], v[3]};
}

std::string FacePlaces::WithPlace(std::string_view fileText, int hair, const FaceRect &place)
{
    // Lines of the file; the first section of this number (the one the
    // reader consults) is replaced, every other line stays as it was.
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < fileText.size()) {
        const size_t end = fileText.find('\n', start);
        if (end == std::string_view::npos) {
            lines.push_back(fileText.substr(start));
            break;
        }
        lines.push_back(fileText.substr(start, end - start));
        start = end + 1;
    }
    const std::string wanted = std::to_string(hair);
    std::string out;
    bool replaced = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto name = header(lines[i]);
        if (!replaced && name && *name == wanted) {
            out += section(hair, place);
            replaced = true;
            while (i + 1 < lines.size() && !header(lines[i + 1]))
                ++i;
            continue;
        }
        out += lines[i];
        out += '\n';
    }
    if (!replaced) {
        if (!out.empty() && out.back() == '\n' && out.size() >= 2 && out[out.size() - 2] != '\n')
            out += '\n';
        out += section(hair, place);
    }
    return out;
}

std::string FacePlaces::Format(const std::map<int, FaceRect> &places)
{
    std::string out = "; Onde fica o rosto em cada cabelo desta pasta (pixels do cabelo).\n";
    for (const auto &[hair, place] : places)
        out += "\n" + section(hair, place);
    return out;
}
