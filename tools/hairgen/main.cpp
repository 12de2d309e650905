// hairgen: paints the sample salon's hair catalogue from flat hair shapes.
//   hairgen --list hairs.txt --shapes DIR --out SALON_DIR [--faces FILE]
// Every line of the list names a shape, a colour and the picture to write
// (SALON_DIR/collection/category/number.GIF). With --faces (where the face
// belongs in each shape), every category folder also gets its face file.

#include "CatalogueManifest.h"
#include "FacePlaces.h"
#include "GifFile.h"
#include "HairRenderer.h"
#include "MaskLoader.h"
#include "PaletteQuantizer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::uint32_t kKey = 0xFFFFFF; // white: the program resets backgrounds to white

int usage()
{
    std::fprintf(stderr, "usage: hairgen --list FILE --shapes DIR --out DIR [--faces FILE]\n");
    return 2;
}

// shape -> face rectangle in the shape picture's pixels.
using ShapeFaces = std::map<std::string, FaceRect>;

bool readShapeFaces(const std::string &path, ShapeFaces &faces, std::string &error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string shape, value;
        double v[4];
        std::getline(fields, shape, '|');
        int i = 0;
        for (; i < 4 && std::getline(fields, value, '|'); ++i)
            v[i] = std::atof(value.c_str());
        if (i != 4 || !(v[2] > 0 && v[3] > 0)) {
            error = path + ": line " + std::to_string(number) + " is malformed";
            return false;
        }
        faces[shape] = {v[0], v[1], v[2], v[3]};
    }
    return true;
}

// Where the face lies in the finished picture: the shape's face, scaled,
// mirrored and moved by the margin exactly as the shape's pixels are.
FaceRect pictureFace(const FaceRect &shapeFace, const CatalogueManifest::Entry &e, int scaledShapeWidth, int margin)
{
    FaceRect f{shapeFace.x * e.scale, shapeFace.y * e.scale, shapeFace.width * e.scale, shapeFace.height * e.scale};
    if (e.mirror)
        f.x = scaledShapeWidth - (f.x + f.width);
    f.x += margin;
    f.y += margin;
    return f;
}

bool paint(const CatalogueManifest::Entry &e, const std::string &shapesDir, const std::string &outDir,
           const ShapeFaces &shapeFaces, FaceRect &face, std::string &error)
{
    namespace fs = std::filesystem;
    const std::string where = "line " + std::to_string(e.line) + ": ";
    HairMask mask;
    if (!MaskLoader::load((fs::path(shapesDir) / e.shape).string(), e.scale, mask, error)) {
        error = where + error;
        return false;
    }
    if (e.mirror)
        mask = mask.mirrored();
    // Leftover outline fragments (chin lines, single specks) are no hair.
    mask.removeSpecks(int(std::lround(60 * e.scale * e.scale)), 0.012);
    mask.fillPinholes(16);
    constexpr int kMargin = 4;
    if (const auto known = shapeFaces.find(e.shape); known != shapeFaces.end())
        face = pictureFace(known->second, e, mask.width(), kMargin);
    mask = mask.padded(kMargin);
    if (mask.hairCount() == 0) {
        error = where + "shape " + e.shape + " has no hair";
        return false;
    }
    HairMask hair;
    const RgbPicture painted = HairRenderer(e.seed()).render(mask, e.colour, kKey, &hair);
    const IndexedPicture picture = PaletteQuantizer::quantize(painted, hair, kKey);
    const fs::path target = fs::path(outDir) / fs::path(e.relativePath());
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    if (ec) {
        error = "cannot create " + target.parent_path().string() + ": " + ec.message();
        return false;
    }
    if (!GifFile::write(target.string(), picture, error))
        return false;
    // giflib creates files readable by their owner only.
    fs::permissions(
        target,
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read, ec);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    std::string listPath, shapesDir, outDir, facesPath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return usage();
        if (arg == "--list")
            listPath = argv[++i];
        else if (arg == "--shapes")
            shapesDir = argv[++i];
        else if (arg == "--out")
            outDir = argv[++i];
        else if (arg == "--faces")
            facesPath = argv[++i];
        else
            return usage();
    }
    if (listPath.empty() || shapesDir.empty() || outDir.empty())
        return usage();

    std::ifstream in(listPath, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "hairgen: cannot read %s\n", listPath.c_str());
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    CatalogueManifest manifest;
    std::string error;
    if (!manifest.parse(text.str(), error)) {
        std::fprintf(stderr, "hairgen: %s: %s\n", listPath.c_str(), error.c_str());
        return 1;
    }

    ShapeFaces shapeFaces;
    if (!facesPath.empty() && !readShapeFaces(facesPath, shapeFaces, error)) {
        std::fprintf(stderr, "hairgen: %s\n", error.c_str());
        return 1;
    }

    // Pictures are independent; two workers halve the build step. Each
    // picture depends only on its own line, so the output is the same
    // whatever the order.
    const auto &entries = manifest.entries();
    const unsigned workers = std::max(1u, std::min(2u, std::thread::hardware_concurrency()));
    std::vector<std::string> errors(entries.size());
    std::vector<FaceRect> faces(entries.size());
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < workers; ++t)
        pool.emplace_back([&, t] {
            for (std::size_t i = t; i < entries.size(); i += workers)
                paint(entries[i], shapesDir, outDir, shapeFaces, faces[i], errors[i]);
        });
    for (std::thread &th : pool)
        th.join();
    // A hair taken off the list must leave the salon too: the folder listing
    // is the catalogue. Only numbered pictures in the folders the list
    // writes are touched.
    namespace fs = std::filesystem;
    for (const std::string &folder : manifest.folders()) {
        std::error_code ec;
        for (const fs::directory_entry &file : fs::directory_iterator(fs::path(outDir) / folder, ec)) {
            const std::string name = file.path().filename().string();
            const std::string stem = file.path().stem().string();
            const bool numbered =
                file.path().extension() == ".GIF" && !stem.empty() &&
                std::all_of(stem.begin(), stem.end(), [](char c) { return c >= '0' && c <= '9'; });
            if (numbered && !manifest.lists(folder, name)) {
                std::error_code removeError;
                fs::remove(file.path(), removeError);
            }
        }
    }

    // One face file per category folder, for the hairs whose shape has a
    // known face; a folder without any gets none (the program then reads the
    // face's place from the hair's shape).
    if (!facesPath.empty()) {
        std::map<std::string, std::map<int, FaceRect>> perFolder;
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (!faces[i].isEmpty())
                perFolder[entries[i].collection + "/" + entries[i].category][entries[i].number] = faces[i];
        for (const auto &[folder, places] : perFolder) {
            const fs::path target = fs::path(outDir) / folder / FacePlaces::kFileName;
            std::ofstream out(target, std::ios::binary | std::ios::trunc);
            out << FacePlaces::Format(places);
            if (!out.good())
                errors.push_back("cannot write " + target.string());
        }
    }

    int failed = 0;
    for (const std::string &e : errors)
        if (!e.empty()) {
            std::fprintf(stderr, "hairgen: %s\n", e.c_str());
            ++failed;
        }
    return failed ? 1 : 0;
}
