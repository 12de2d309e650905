#include "HairImport.h"

#include "FacePlaces.h"
#include "GifCodec.h"
#include "HairCatalogueImage.h"
#include "ImageFile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string lower(std::string s)
{
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The number of a hair file name, or -1.
int hairNumberOf(const std::string &name)
{
    const std::string l = lower(name);
    if (l.size() < 5 || l.compare(l.size() - 4, 4, ".gif") != 0)
        return -1;
    const std::string digits = l.substr(0, l.size() - 4);
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::stoi(digits);
}

bool writeWhole(const std::string &path, const char *data, std::size_t size)
{
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(data, 1, size, f) == size;
    ok = std::fflush(f) == 0 && ok;
    ok = ::fsync(fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (!ok)
        std::remove(path.c_str());
    return ok;
}

std::string temporaryName(const std::string &folder, const char *what)
{
    static int serial = 0;
    return folder + "/.quenda-" + what + "-" + std::to_string(::getpid()) + "-" + std::to_string(++serial) +
           ".tmp";
}

} // namespace

ImageStatus HairImport::LoadSource(const std::string &path, Picture24 &onBlack, Picture24 &onWhite)
{
    Picture24 black, white;
    ImageFormat format = ImageFormat::Unknown;
    LoadOptions options;
    options.background = 0x000000;
    ImageStatus status = ImageFile::load(path, black, options, format);
    if (!status)
        return status;
    if (format != ImageFormat::Jpeg) {
        options.background = 0xFFFFFF;
        status = ImageFile::load(path, white, options);
        if (!status)
            return status;
    }
    onBlack.swap(black);
    onWhite.swap(white);
    return ImageStatus::success();
}

std::vector<std::uint8_t> HairImport::EncodeHair(const CutHair &cut)
{
    std::vector<std::uint8_t> bytes;
    std::uint32_t key = 0;
    const Picture24 picture = HairCatalogueImage::Make(cut, key);
    if (picture.isNull() || !GifCodec::encode(picture, bytes))
        bytes.clear();
    return bytes;
}

std::optional<FaceRect> HairImport::FacePlace(const Picture24 &source, const CutHair &cut)
{
    if (cut.empty())
        return std::nullopt;
    const std::optional<FaceFound> found = FaceDetector::Detect(source);
    if (!found || found->face.isEmpty())
        return std::nullopt;
    FaceRect place;
    place.x = found->face.x * cut.scale + cut.offsetX;
    place.y = found->face.y * cut.scale + cut.offsetY;
    place.width = found->face.width * cut.scale;
    place.height = found->face.height * cut.scale;
    return place;
}

int HairImport::NextFreeNumber(const std::string &folder)
{
    std::set<int> used;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (const int n = hairNumberOf(it->path().filename().string()); n > 0)
            used.insert(n);
    int n = 1;
    while (used.count(n))
        ++n;
    return n;
}

std::string HairImport::EntryPath(const std::string &folder, const std::string &name)
{
    std::error_code ec;
    const std::string wanted = lower(name);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (lower(it->path().filename().string()) == wanted)
            return it->path().string();
    return folder + "/" + name;
}

std::string HairImport::Write(const std::string &folder, int number, const std::vector<std::uint8_t> &gif,
                              const std::optional<FaceRect> &face, std::string *written)
{
    std::error_code ec;
    if (number < 1 || gif.empty() || !fs::is_directory(folder, ec))
        return kCannotWrite;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (hairNumberOf(it->path().filename().string()) == number)
            return kNameClash;

    const std::string temp = temporaryName(folder, "hair");
    if (!writeWhole(temp, reinterpret_cast<const char *>(gif.data()), gif.size()))
        return kCannotWrite;
    const std::string target = folder + "/" + std::to_string(number) + ".GIF";
    // link() refuses an existing name, so a file that appeared since the
    // check above is never overwritten.
    const int linked = ::link(temp.c_str(), target.c_str());
    const int linkError = errno;
    std::remove(temp.c_str());
    if (linked != 0)
        return linkError == EEXIST ? kNameClash : kCannotWrite;

    if (face) {
        const std::string facesPath = EntryPath(folder, FacePlaces::kFileName);
        std::string old;
        if (fs::exists(facesPath, ec)) {
            std::ifstream in(facesPath, std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            if (!in) {
                std::remove(target.c_str());
                return kCannotWrite;
            }
            old = text.str();
        }
        const std::string text = FacePlaces::WithPlace(old, number, *face);
        const std::string faceTemp = temporaryName(folder, "faces");
        if (!writeWhole(faceTemp, text.data(), text.size()) ||
            std::rename(faceTemp.c_str(), facesPath.c_str()) != 0) {
            std::remove(faceTemp.c_str());
            std::remove(target.c_str());
            return kCannotWrite;
        }
    }
    if (written)
        *written = target;
    return {};
}
