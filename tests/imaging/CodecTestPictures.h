#pragma once

#include "Picture24.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Pictures and helpers shared by the codec tests.
class CodecTestPictures
{
public:
    // Smooth gradients, noise and a few hard edges: what a photograph asks of
    // a codec, so that lossy round trips are judged on realistic content.
    static Picture24 photoLike(int width, int height, unsigned seed = 1);
    // A hair-like picture: white key background and a blob of a few colours.
    static Picture24 hairLike(int width, int height);
    // A picture of `count` distinct colours (count <= width * height).
    static Picture24 distinctColours(int width, int height, int count);
    // Four flat quadrants: red top-left, green top-right, blue bottom-left,
    // yellow bottom-right.
    static Picture24 quadrants(int width, int height);

    static double meanAbsoluteDifference(const Picture24 &a, const Picture24 &b);
    // Largest per-channel difference between two colours 0xRRGGBB.
    static int colourDistance(std::uint32_t a, std::uint32_t b);

    static std::vector<std::uint8_t> readFile(const std::filesystem::path &path);
    static void writeFile(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes);
};

// A fresh folder below the system's temporary folder, removed with its
// contents when the object goes.
class ScopedTempDir
{
public:
    ScopedTempDir();
    ~ScopedTempDir();
    ScopedTempDir(const ScopedTempDir &) = delete;
    ScopedTempDir &operator=(const ScopedTempDir &) = delete;

    const std::filesystem::path &path() const { return m_path; }
    std::string file(const std::string &name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};
