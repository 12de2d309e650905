// imageprobe: decodes each file named on the command line with the image
// engine and prints one line per file,
//   <file>: <FORMAT> <width>x<height> <crc32>
// or
//   <file>: error: <message> [(<library text>)]
// Exit status 0 when every file decoded, 1 otherwise (2 for no arguments).

#include "ImageFile.h"
#include "ImageFormat.h"
#include "PictureChecksum.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE...\n", argv[0]);
        return 2;
    }
    bool allDecoded = true;
    for (int i = 1; i < argc; ++i) {
        Picture24 picture;
        ImageFormat format = ImageFormat::Unknown;
        const ImageStatus status = ImageFile::load(argv[i], picture, LoadOptions{}, format);
        if (status) {
            std::printf("%s: %s %dx%d %s\n", argv[i], imageFormatName(format), picture.width(),
                        picture.height(), PictureChecksum::hex(PictureChecksum::crc32(picture)).c_str());
        } else {
            allDecoded = false;
            std::string text = status.message;
            if (!status.detail.empty())
                text += " (" + status.detail + ")";
            std::printf("%s: error: %s\n", argv[i], text.c_str());
        }
        std::fflush(stdout);
    }
    return allDecoded ? 0 : 1;
}
