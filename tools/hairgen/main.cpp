// hairgen: paints the sample salon's hair catalogue from flat hair shapes.
//   hairgen --list hairs.txt --shapes DIR --out SALON_DIR
// Every line of the list names a shape, a colour and the picture to write
// (SALON_DIR/collection/category/number.GIF).

#include "CatalogueManifest.h"
#include "GifFile.h"
#include "HairRenderer.h"
#include "MaskLoader.h"
#include "PaletteQuantizer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::uint32_t kKey = 0xFFFFFF; // white: the program resets backgrounds to white

int usage()
{
    std::fprintf(stderr, "usage: hairgen --list FILE --shapes DIR --out DIR\n");
    return 2;
}

bool paint(const CatalogueManifest::Entry &e, const std::string &shapesDir, const std::string &outDir,
           std::string &error)
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
    mask = mask.padded(4);
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
    std::string listPath, shapesDir, outDir;
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

    // Pictures are independent; two workers halve the build step. Each
    // picture depends only on its own line, so the output is the same
    // whatever the order.
    const auto &entries = manifest.entries();
    const unsigned workers = std::max(1u, std::min(2u, std::thread::hardware_concurrency()));
    std::vector<std::string> errors(entries.size());
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < workers; ++t)
        pool.emplace_back([&, t] {
            for (std::size_t i = t; i < entries.size(); i += workers)
                paint(entries[i], shapesDir, outDir, errors[i]);
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

    int failed = 0;
    for (const std::string &e : errors)
        if (!e.empty()) {
            std::fprintf(stderr, "hairgen: %s\n", e.c_str());
            ++failed;
        }
    return failed ? 1 : 0;
}
