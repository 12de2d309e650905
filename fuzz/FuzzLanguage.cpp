// Feeds arbitrary bytes to the language-file reader, then looks up every
// section and key the bytes seem to name, as the translation component would,
// with the blanks and defaults a caller might pass.

#include "ProfileFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const ProfileFile profile = ProfileFile::parse(bytes);

    std::vector<std::string_view> sections{std::string_view()};
    std::vector<std::string_view> keys;
    std::size_t pos = 0;
    while (pos < bytes.size() && keys.size() < 64) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        const std::string_view line = bytes.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.front() == '[') {
            const std::size_t close = line.find(']');
            sections.push_back(line.substr(1, close == std::string_view::npos ? line.npos : close - 1));
        } else if (const std::size_t equals = line.find('='); equals != std::string_view::npos) {
            keys.push_back(line.substr(0, equals));
        }
    }
    std::size_t total = 0;
    for (const std::string_view section : sections) {
        for (const std::string_view key : keys) {
            total += profile.contains(section, key);
            total += profile.value(section, key, key).size();
            total += profile.value(std::string(" ") + std::string(section) + " ", key).size();
            if (profile.value(section, key, "default ").size() > ProfileFile::kMaxValueLength * 4)
                __builtin_trap(); // a value is never longer than its cut, in UTF-8 bytes
        }
    }
    return total == SIZE_MAX ? 1 : 0;
}
