#include "GifFile.h"

#include <cstdio>
#include <gif_lib.h>
#include <vector>

namespace {

std::string gifError(int code)
{
    const char *text = GifErrorString(code);
    return text ? text : "unknown GIF error";
}

} // namespace

bool GifFile::write(const std::string &path, const IndexedPicture &picture, std::string &error)
{
    if (picture.width <= 0 || picture.height <= 0 || picture.width > 65535 || picture.height > 65535 ||
        picture.indices.size() != std::size_t(picture.width) * picture.height) {
        error = "invalid picture size";
        return false;
    }
    const std::string temp = path + ".part";
    int code = 0;
    GifFileType *gif = EGifOpenFileName(temp.c_str(), false, &code);
    if (!gif) {
        error = "cannot create " + temp + ": " + gifError(code);
        return false;
    }
    GifColorType colours[256];
    for (int i = 0; i < 256; ++i) {
        colours[i].Red = GifByteType(picture.palette[i] >> 16);
        colours[i].Green = GifByteType(picture.palette[i] >> 8);
        colours[i].Blue = GifByteType(picture.palette[i]);
    }
    ColorMapObject *map = GifMakeMapObject(256, colours);
    bool ok = map && EGifPutScreenDesc(gif, picture.width, picture.height, 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line(std::size_t(picture.width));
    for (int y = 0; ok && y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x)
            line[std::size_t(x)] = picture.index(x, y);
        ok = EGifPutLine(gif, line.data(), picture.width) == GIF_OK;
    }
    if (!ok)
        error = "cannot write " + temp + ": " + gifError(gif->Error);
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &code) != GIF_OK && ok) {
        ok = false;
        error = "cannot finish " + temp + ": " + gifError(code);
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        error = "cannot rename " + temp + " to " + path;
    }
    if (!ok)
        std::remove(temp.c_str());
    return ok;
}

bool GifFile::read(const std::string &path, IndexedPicture &picture, std::string &error)
{
    int code = 0;
    GifFileType *gif = DGifOpenFileName(path.c_str(), &code);
    if (!gif) {
        error = gifError(code);
        return false;
    }
    bool ok = DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0;
    if (!ok) {
        error = gif->ImageCount > 0 || gif->Error ? gifError(gif->Error) : "no image";
        DGifCloseFile(gif, &code);
        return false;
    }
    const SavedImage &image = gif->SavedImages[0];
    const GifImageDesc &desc = image.ImageDesc;
    const ColorMapObject *map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    const int w = gif->SWidth;
    const int h = gif->SHeight;
    if (!map || w <= 0 || h <= 0 || desc.Width <= 0 || desc.Height <= 0) {
        error = "no palette or empty picture";
        DGifCloseFile(gif, &code);
        return false;
    }
    picture = IndexedPicture{};
    picture.width = w;
    picture.height = h;
    picture.indices.assign(std::size_t(w) * h, GifByteType(gif->SBackGroundColor));
    picture.paletteSize = map->ColorCount;
    for (int i = 0; i < 256; ++i) {
        const GifColorType &c = map->Colors[i < map->ColorCount ? i : 0];
        picture.palette[i] = (std::uint32_t(c.Red) << 16) | (std::uint32_t(c.Green) << 8) | c.Blue;
    }
    // Rows of an interlaced image arrive in four passes.
    std::vector<int> rowOf(std::size_t(desc.Height));
    if (desc.Interlace) {
        int r = 0;
        const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = start[pass]; y < desc.Height; y += step[pass])
                rowOf[std::size_t(r++)] = y;
    } else {
        for (int y = 0; y < desc.Height; ++y)
            rowOf[std::size_t(y)] = y;
    }
    for (int r = 0; r < desc.Height; ++r) {
        const int y = desc.Top + rowOf[std::size_t(r)];
        if (y < 0 || y >= h)
            continue;
        for (int x = 0; x < desc.Width; ++x) {
            const int px = desc.Left + x;
            if (px >= 0 && px < w)
                picture.indices[std::size_t(y) * w + px] = image.RasterBits[std::size_t(r) * desc.Width + x];
        }
    }
    DGifCloseFile(gif, &code);
    return true;
}
