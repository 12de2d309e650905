#pragma once

#include "ImageStatus.h"
#include "Picture24.h"

#include <cstddef>
#include <cstdint>
#include <vector>

/** ZSoft PCX: 1 bit with 1 to 4 planes, 2, 4 and 8 bits with palette, 24-bit
 *  planar (3 or 4 planes of 8 bits; a fourth plane is ignored). Written as
 *  24-bit, 3 planes, run-length encoded, version 5.
 *
 *  Runs may continue across line ends, as some writers produce them; they are
 *  followed into the next line and clipped at the end of the picture. An
 *  8-bit file without the 256-colour palette at its end is read as grey
 *  levels. A file whose pixel data stops early is reported as corrupt. */
class PcxCodec
{
public:
    /** Decodes a whole file held in memory. On failure `out` is untouched. */
    static ImageStatus decode(const std::uint8_t *data, std::size_t size, Picture24 &out);
    static ImageStatus encode(const Picture24 &picture, std::vector<std::uint8_t> &out);
};
