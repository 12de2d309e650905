#include "HairCatalogue.h"

#include <algorithm>
#include <cctype>

namespace {
std::string lower(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}
} // namespace

long long HairCatalogue::HairNumber(const std::string &fileName)
{
    const std::size_t dot = fileName.rfind('.');
    if (dot == 0 || dot == std::string::npos || dot > 18)
        return -1;
    long long number = 0;
    for (std::size_t i = 0; i < dot; ++i) {
        const unsigned char c = static_cast<unsigned char>(fileName[i]);
        if (!std::isdigit(c))
            return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

bool HairCatalogue::Less(const std::string &a, const std::string &b)
{
    const long long na = HairNumber(a), nb = HairNumber(b);
    if ((na >= 0) != (nb >= 0))
        return na >= 0;
    if (na >= 0 && na != nb)
        return na < nb;
    const std::string la = lower(a), lb = lower(b);
    if (la != lb)
        return la < lb;
    return a < b;
}

std::vector<std::string> HairCatalogue::Ordered(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end(), Less);
    return names;
}

std::string HairCatalogue::PickedHairId(const std::string &path)
{
    const std::size_t slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.size() >= 2 && name[1] == '.')
        return name.substr(0, 1);
    return name.size() > 4 ? name.substr(0, name.size() - 4) : std::string();
}
