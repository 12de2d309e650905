#include "ProfileFile.h"

#include "AnsiText.h"

#include <cstdio>

namespace {

bool isBlank(char32_t c)
{
    return c == U' ' || c == U'\t' || c == U'\v' || c == U'\f';
}

std::u32string_view trimmed(std::u32string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::u32string folded(std::u32string_view s)
{
    std::u32string out(s);
    for (char32_t &c : out)
        c = AnsiText::foldCase(c);
    return out;
}

std::u32string foldedName(std::string_view utf8)
{
    return folded(trimmed(AnsiText::toCodePoints(utf8)));
}

std::u32string_view withoutQuotes(std::u32string_view value)
{
    if (value.size() >= 2 && (value.front() == U'"' || value.front() == U'\'')
        && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

ProfileFile ProfileFile::load(const std::string &path)
{
    // stdio rather than streams: a directory or a read error must end in an
    // empty profile, never in an exception.
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return {};
    std::string bytes;
    char buffer[16384];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, got);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        return {};
    return parse(bytes);
}

ProfileFile ProfileFile::parse(std::string_view bytes)
{
    ProfileFile profile;
    const std::u32string text = AnsiText::toCodePoints(AnsiText::decodeFile(bytes));
    const std::u32string_view all(text);

    Section *current = nullptr;
    size_t pos = 0;
    while (pos < all.size()) {
        size_t end = all.find_first_of(U"\r\n", pos);
        if (end == std::u32string_view::npos)
            end = all.size();
        const std::u32string_view line = trimmed(all.substr(pos, end - pos));
        pos = end;
        if (pos < all.size() && all[pos] == U'\r')
            ++pos;
        if (pos < all.size() && all[pos] == U'\n')
            ++pos;

        if (!line.empty() && line.front() == U'[') {
            std::u32string_view name = line.substr(1);
            const size_t close = name.find(U']');
            if (close != std::u32string_view::npos)
                name = name.substr(0, close);
            profile.m_sections.push_back({folded(trimmed(name)), {}});
            current = &profile.m_sections.back();
            continue;
        }
        const size_t equals = line.find(U'=');
        if (current == nullptr || equals == std::u32string_view::npos)
            continue;
        std::u32string_view value = withoutQuotes(trimmed(line.substr(equals + 1)));
        if (value.size() > kMaxValueLength)
            value = value.substr(0, kMaxValueLength);
        current->entries.push_back(
            {folded(trimmed(line.substr(0, equals))), AnsiText::fromCodePoints(value)});
    }
    return profile;
}

const ProfileFile::Entry *ProfileFile::find(std::string_view section, std::string_view key) const
{
    const std::u32string wantedSection = foldedName(section);
    for (const Section &s : m_sections) {
        if (s.foldedName != wantedSection)
            continue;
        const std::u32string wantedKey = foldedName(key);
        for (const Entry &e : s.entries) {
            if (e.foldedKey == wantedKey)
                return &e;
        }
        // Only the first section of a name is consulted.
        return nullptr;
    }
    return nullptr;
}

bool ProfileFile::contains(std::string_view section, std::string_view key) const
{
    return find(section, key) != nullptr;
}

std::string ProfileFile::value(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const
{
    if (const Entry *e = find(section, key))
        return e->value;
    return std::string(defaultValue);
}
