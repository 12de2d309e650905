#include "ProfileFile.h"

#include "AnsiText.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The caller's section and key lose spaces only: a tab there is part of the
// name, unlike the blanks around names inside the file.
std::u32string foldedName(std::string_view utf8)
{
    std::u32string_view s;
    const std::u32string points = AnsiText::toCodePoints(utf8);
    s = points;
    while (!s.empty() && s.front() == U' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == U' ')
        s.remove_suffix(1);
    return folded(s);
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
    // Only a regular file of sensible size is read: a FIFO or a device named
    // language.lng must not hold the program, and never opening in blocking
    // mode keeps open() itself from waiting for a writer. A directory or a
    // read error ends in an empty profile, never in an exception.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return {};
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxFileBytes) {
        ::close(fd);
        return {};
    }
    std::string bytes;
    char buffer[16384];
    bool failed = false;
    while (bytes.size() <= std::size_t(kMaxFileBytes)) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            failed = true;
        if (got <= 0)
            break;
        bytes.append(buffer, std::size_t(got));
    }
    ::close(fd);
    if (failed || bytes.size() > std::size_t(kMaxFileBytes))
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
        if (!line.empty() && line.front() == U';')
            continue;
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
    // The caller's default loses trailing spaces, as a value read from the
    // file would; tabs stay.
    while (!defaultValue.empty() && defaultValue.back() == ' ')
        defaultValue.remove_suffix(1);
    return std::string(defaultValue);
}
