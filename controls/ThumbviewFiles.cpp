#include "ThumbviewFiles.h"

#include <algorithm>
#include <cctype>

namespace {
std::string lower(const std::string &text)
{
    std::string out = text;
    for (char &c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}
} // namespace

const std::vector<std::string> &ThumbviewFiles::Extensions()
{
    // The view's own six first; salon photos also come as .jpeg and .png,
    // and every photo the open dialog opens belongs on the photos page,
    // phone photos (HEIC, WebP) included.
    static const std::vector<std::string> list = {".bmp", ".jpg",  ".wmf", ".emf",  ".ico",  ".gif",  ".jpeg",
                                                  ".png", ".tif", ".tiff", ".pcx", ".heic", ".heif", ".webp"};
    return list;
}

int ThumbviewFiles::MaskIndex(const std::string &name)
{
    const std::size_t dot = name.rfind('.');
    // "*.BMP" needs something before the dot.
    if (dot == std::string::npos || dot == 0)
        return -1;
    const std::string extension = lower(name.substr(dot));
    const auto &list = Extensions();
    const auto it = std::find(list.begin(), list.end(), extension);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

bool ThumbviewFiles::NameLess(const std::string &a, const std::string &b)
{
    const std::string la = lower(a), lb = lower(b);
    if (la != lb)
        return la < lb;
    return a < b;
}

std::vector<std::string> ThumbviewFiles::ScanOrder(const std::vector<std::string> &names)
{
    std::vector<std::pair<int, std::string>> keyed;
    for (const std::string &name : names) {
        const int mask = MaskIndex(name);
        if (mask >= 0)
            keyed.emplace_back(mask, name);
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) {
        if (a.first != b.first)
            return a.first < b.first;
        return NameLess(a.second, b.second);
    });
    std::vector<std::string> out;
    out.reserve(keyed.size());
    for (auto &k : keyed)
        out.push_back(std::move(k.second));
    return out;
}

std::vector<std::string> ThumbviewFiles::Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end(), NameLess);
    return names;
}
