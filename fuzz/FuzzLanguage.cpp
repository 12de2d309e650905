// Feeds arbitrary bytes to the language-file reader, then looks up every key
// the bytes seem to name in the section it seems to sit in, as the
// translation component would, with the blanks, letter case and defaults a
// caller might pass.

#include "ProfileFile.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const ProfileFile profile = ProfileFile::parse(bytes);

    std::string_view section;
    std::size_t pos = 0;
    std::size_t lookups = 0;
    std::size_t total = 0;
    while (pos < bytes.size() && lookups < 128) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        const std::string_view line = bytes.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.front() == '[') {
            const std::size_t close = line.find(']');
            section = line.substr(1, close == std::string_view::npos ? line.npos : close - 1);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        ++lookups;
        const std::string_view key = line.substr(0, equals);
        std::string shouted(key);
        for (char &c : shouted)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        total += profile.contains(section, key);
        total += profile.value(section, key, "default  ").size();
        total += profile.value(" " + std::string(section) + " ", "\t" + shouted, key).size();
        // A value is cut at its length limit, counted in characters of up to
        // four UTF-8 bytes.
        if (profile.value(section, shouted).size() > ProfileFile::kMaxValueLength * 4)
            __builtin_trap();
    }
    return total == SIZE_MAX ? 1 : 0;
}
