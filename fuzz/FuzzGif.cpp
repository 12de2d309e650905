// Feeds arbitrary bytes to the GIF decoder, both as a photograph (transparent
// index composited) and as a hair picture (palette colours and key colour).

#include "GifCodec.h"
#include "ImageFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Picture24 picture;
    ImageFile::decode(data, size, ImageFormat::Gif, picture);
    Picture24 hair;
    std::uint32_t key = 0;
    GifCodec::decode(data, size, hair, key);
    return 0;
}
