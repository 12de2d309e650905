#pragma once

#include <string>
#include <string_view>
#include <vector>

/**
 * A language file parsed with the rules of the Windows profile-string reader,
 * so a file written for the original program reads the same here:
 *
 * - "[name]" starts a section; lines before the first header belong to none;
 * - "key=value" lines, split at the first "="; blanks around key and value
 *   are dropped; a value wrapped in one pair of matching quotes (" or ') loses
 *   that pair;
 * - a line whose first character (blanks before it aside) is ";" is a
 *   comment, even when it holds "="; any other line without "=" has no
 *   meaning;
 * - section and key names compare without regard to letter case;
 * - the first section of a name is the one consulted, and within it the
 *   first matching key;
 * - at most 1023 characters of a value are returned.
 *
 * The file is decoded as UTF-8, or as Windows-1252 when it is not valid
 * UTF-8 (see AnsiText). Values come back as UTF-8.
 */
class ProfileFile
{
public:
    /** Longest value handed out, in characters; longer values are cut. */
    static constexpr size_t kMaxValueLength = 1023;

    /** An empty profile: every lookup yields its default. */
    ProfileFile() = default;

    /** Largest file read; a language file is a few hundred kilobytes. */
    static constexpr long long kMaxFileBytes = 16LL << 20;

    /** Reads @p path (UTF-8 file name). A missing or unreadable file, or
     *  anything but a regular file, gives an empty profile, silently. */
    static ProfileFile load(const std::string &path);

    /** Parses the raw bytes of a profile file. */
    static ProfileFile parse(std::string_view bytes);

    /** True when @p section holds @p key (compared without regard to case). */
    bool contains(std::string_view section, std::string_view key) const;

    /**
     * The value of @p key in @p section, or @p defaultValue without its
     * trailing spaces when the section or key is missing. Spaces (only
     * spaces: a tab is part of the name) around @p section and @p key are
     * ignored.
     */
    std::string value(std::string_view section, std::string_view key,
                      std::string_view defaultValue = {}) const;

    /** Number of sections read, duplicates included. */
    size_t sectionCount() const { return m_sections.size(); }

private:
    struct Entry
    {
        std::u32string foldedKey;
        std::string value;
    };
    struct Section
    {
        std::u32string foldedName;
        std::vector<Entry> entries;
    };

    const Entry *find(std::string_view section, std::string_view key) const;

    std::vector<Section> m_sections;
};
