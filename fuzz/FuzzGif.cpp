// Feeds arbitrary bytes to the GIF decoder, both as a photograph (transparent
// index composited) and as a hair picture (palette colours and key colour).

#include "GifCodec.h"
#include "ImageFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // A valid file of a few bytes may name a logical screen of up to 200
    // million pixels, all background around a tiny frame. Filling that is
    // all the decoder does with it, but under the sanitizers it takes
    // seconds and the run would crawl at a few executions a second; such
    // screens are left to the unit tests.
    if (size >= 10) {
        const std::uint32_t width = data[6] | (data[7] << 8);
        const std::uint32_t height = data[8] | (data[9] << 8);
        if (std::uint64_t(width) * height > (std::uint64_t(1) << 22))
            return -1;
    }
    Picture24 picture;
    ImageFile::decode(data, size, ImageFormat::Gif, picture);
    Picture24 hair;
    std::uint32_t key = 0;
    GifCodec::decode(data, size, hair, key);
    return 0;
}
