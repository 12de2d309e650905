// Feeds arbitrary bytes to the HEIF decoder through the engine's dispatch.

#include "ImageFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Picture24 picture;
    ImageFile::decode(data, size, ImageFormat::Heif, picture);
    return 0;
}
