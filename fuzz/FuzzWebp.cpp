// Feeds arbitrary bytes to the WebP decoder through the engine's dispatch.

#include "ImageFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Picture24 picture;
    ImageFile::decode(data, size, ImageFormat::Webp, picture);
    return 0;
}
