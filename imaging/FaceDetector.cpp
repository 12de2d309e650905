#include "FaceDetector.h"

#include "Picture24.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/objdetect.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <list>
#include <mutex>
#include <utility>
#include <vector>

#ifndef QUENDA_CASCADE_DIR
#define QUENDA_CASCADE_DIR "/usr/share/opencv4/haarcascades"
#endif

namespace {

// Proportions of a frontal face measured from the eye centres: the face is
// about 2.1 eye distances wide at eye height, its middle lies 0.63 eye
// distances below the eyes, brows to chin spans 1.8 eye distances.
constexpr double kFaceWidthPerEyeDistance = 2.1;
constexpr double kCentreBelowEyes = 0.63;
constexpr double kFaceHeightPerEyeDistance = 1.8;
// Without eyes the detector's own box stands in: it is a little wider than
// the face and its middle sits above the face's (it takes in the forehead).
constexpr double kFaceWidthPerBox = 0.87;
constexpr double kCentreDownPerBox = 0.14;
constexpr double kFaceHeightPerBox = 0.75;

struct Cascades
{
    cv::CascadeClassifier face;
    cv::CascadeClassifier eye;
    cv::CascadeClassifier eyeGlasses; // optional: eyes behind glasses
    bool ok = false;
};

std::string cascadeDir()
{
    const char *env = std::getenv("QUENDA_CASCADE_DIR");
    return (env && *env) ? std::string(env) : std::string(QUENDA_CASCADE_DIR);
}

// One set per thread: a classifier keeps scratch buffers while it runs.
Cascades &cascades()
{
    thread_local Cascades c = [] {
        Cascades r;
        const std::string dir = cascadeDir();
        try {
            r.ok = r.face.load(dir + "/haarcascade_frontalface_alt2.xml") &&
                   r.eye.load(dir + "/haarcascade_eye.xml");
            if (r.ok)
                r.eyeGlasses.load(dir + "/haarcascade_eye_tree_eyeglasses.xml");
        } catch (const cv::Exception &) {
            r.ok = false;
        }
        return r;
    }();
    return c;
}

// Grey copy of a region of the picture shrunk by a whole factor: each target
// pixel is the mean of the columns of its block on a few rows spread over the
// block, which keeps the reading of a 24-megapixel photo to a fraction of it.
cv::Mat greyCopy(const Picture24 &photo, int left, int top, int width, int height, int factor)
{
    const int ow = width / factor;
    const int oh = height / factor;
    cv::Mat out(std::max(oh, 0), std::max(ow, 0), CV_8UC1);
    if (ow <= 0 || oh <= 0)
        return out;
    const int rowsPerBlock = std::min(factor, 3);
    std::vector<std::uint32_t> sums(static_cast<std::size_t>(ow));
    for (int oy = 0; oy < oh; ++oy) {
        std::fill(sums.begin(), sums.end(), 0u);
        for (int s = 0; s < rowsPerBlock; ++s) {
            const int y = top + oy * factor + (2 * s + 1) * factor / (2 * rowsPerBlock);
            const std::uint8_t *p = photo.scanLine(y) + 3 * left;
            for (int ox = 0; ox < ow; ++ox) {
                std::uint32_t sum = 0;
                for (int k = 0; k < factor; ++k, p += 3)
                    sum += 29u * p[0] + 150u * p[1] + 77u * p[2];
                sums[static_cast<std::size_t>(ox)] += sum;
            }
        }
        std::uint8_t *dst = out.ptr<std::uint8_t>(oy);
        const std::uint32_t divisor = 256u * static_cast<std::uint32_t>(factor * rowsPerBlock);
        for (int ox = 0; ox < ow; ++ox)
            dst[ox] = static_cast<std::uint8_t>((sums[static_cast<std::size_t>(ox)] + divisor / 2) / divisor);
    }
    return out;
}

bool pickPair(const std::vector<cv::Rect> &eyes, int columns, int left, int top, int factor, FaceFound &found);

bool findEyes(const Picture24 &photo, const FaceRect &box, FaceFound &found)
{
    // A sharper copy of the face's upper part: the eye cascade needs the
    // eyes some twenty pixels wide.
    const int left = std::clamp(int(std::floor(box.x)), 0, photo.width() - 1);
    const int top = std::clamp(int(std::floor(box.y)), 0, photo.height() - 1);
    const int right = std::clamp(int(std::ceil(box.x + box.width)), left + 1, photo.width());
    const int bottom = std::clamp(int(std::ceil(box.y + box.height * 0.6)), top + 1, photo.height());
    const int factor = std::max(1, (right - left) / 220);
    cv::Mat grey = greyCopy(photo, left, top, right - left, bottom - top, factor);
    if (grey.cols < 40 || grey.rows < 20)
        return false;
    cv::equalizeHist(grey, grey);
    const int minEye = std::max(8, grey.cols / 10);
    const cv::Size maxEye(grey.cols / 3, grey.cols / 3);
    std::vector<cv::Rect> eyes;
    cascades().eye.detectMultiScale(grey, eyes, 1.1, 3, 0, cv::Size(minEye, minEye), maxEye);
    if (pickPair(eyes, grey.cols, left, top, factor, found))
        return true;
    // Glasses hide the eyes from the plain cascade; the one trained on them
    // is slower, so it only runs when needed.
    if (cascades().eyeGlasses.empty())
        return false;
    eyes.clear();
    cascades().eyeGlasses.detectMultiScale(grey, eyes, 1.1, 3, 0, cv::Size(minEye, minEye), maxEye);
    return pickPair(eyes, grey.cols, left, top, factor, found);
}

// The best pair: one eye in each half, at about the same height, apart by a
// plausible share of the face. Positions go back to picture pixels.
bool pickPair(const std::vector<cv::Rect> &eyes, int columns, int left, int top, int factor, FaceFound &found)
{
    const double half = columns / 2.0;
    double bestScore = -1;
    for (const cv::Rect &a : eyes)
        for (const cv::Rect &b : eyes) {
            const double ax = a.x + a.width / 2.0, ay = a.y + a.height / 2.0;
            const double bx = b.x + b.width / 2.0, by = b.y + b.height / 2.0;
            if (!(ax < half && bx >= half))
                continue;
            const double distance = bx - ax;
            if (distance < columns * 0.25 || distance > columns * 0.65)
                continue;
            if (std::abs(ay - by) > distance * 0.25)
                continue;
            const double score = double(a.area() + b.area()) - std::abs(ay - by) * distance;
            if (score > bestScore) {
                bestScore = score;
                found.leftEyeX = left + ax * factor;
                found.leftEyeY = top + ay * factor;
                found.rightEyeX = left + bx * factor;
                found.rightEyeY = top + by * factor;
            }
        }
    return bestScore >= 0;
}
} // namespace

bool FaceDetector::Available()
{
    return cascades().ok;
}

std::optional<FaceFound> FaceDetector::Detect(const Picture24 &photo)
{
    if (photo.isNull() || !Available())
        return std::nullopt;
    try {
        const int longSide = std::max(photo.width(), photo.height());
        const int factor = std::max(1, (longSide + kSearchSide - 1) / kSearchSide);
        cv::Mat grey = greyCopy(photo, 0, 0, photo.width(), photo.height(), factor);
        if (grey.cols < 24 || grey.rows < 24)
            return std::nullopt;
        cv::equalizeHist(grey, grey);
        std::vector<cv::Rect> faces;
        // A client's face fills a good part of a salon photo: faces under an
        // eighth of the short side are not searched for.
        const int minFace = std::max(24, std::min(grey.cols, grey.rows) / 8);
        cascades().face.detectMultiScale(grey, faces, 1.12, 4, 0, cv::Size(minFace, minFace));
        if (faces.empty())
            return std::nullopt;
        const cv::Rect largest = *std::max_element(
            faces.begin(), faces.end(), [](const cv::Rect &a, const cv::Rect &b) { return a.area() < b.area(); });
        FaceFound found;
        found.detectorBox = {double(largest.x) * factor, double(largest.y) * factor,
                             double(largest.width) * factor, double(largest.height) * factor};
        const FaceRect &box = found.detectorBox;
        found.eyesFound = findEyes(photo, box, found);
        double width, height, cx, cy;
        if (found.eyesFound) {
            const double dx = found.rightEyeX - found.leftEyeX;
            const double dy = found.rightEyeY - found.leftEyeY;
            const double distance = std::hypot(dx, dy);
            // The eyes place the face; its size is the mean of both measures,
            // as a slightly misplaced eye box changes the eye distance a lot.
            width = (kFaceWidthPerEyeDistance * distance + kFaceWidthPerBox * box.width) / 2;
            height = (kFaceHeightPerEyeDistance * distance + kFaceHeightPerBox * box.height) / 2;
            cx = (found.leftEyeX + found.rightEyeX) / 2;
            cy = (found.leftEyeY + found.rightEyeY) / 2 + kCentreBelowEyes * distance;
        } else {
            width = kFaceWidthPerBox * box.width;
            height = kFaceHeightPerBox * box.height;
            cx = box.centerX();
            cy = box.centerY() + kCentreDownPerBox * box.height;
        }
        found.face = {cx - width / 2, cy - height / 2, width, height};
        return found;
    } catch (const cv::Exception &) {
        return std::nullopt;
    }
}

std::uint64_t FaceDetector::Fingerprint(const Picture24 &photo)
{
    // Four independent multiply-xor lanes keep up with memory.
    std::uint64_t lanes[4] = {0x9E3779B97F4A7C15ull, 0xC2B2AE3D27D4EB4Full, 0x165667B19E3779F9ull,
                              0x27D4EB2F165667C5ull};
    const std::uint8_t *p = photo.bits();
    const std::size_t n = photo.byteCount();
    std::size_t i = 0;
    for (; i + 32 <= n; i += 32)
        for (int l = 0; l < 4; ++l) {
            std::uint64_t v;
            std::memcpy(&v, p + i + 8 * l, 8);
            lanes[l] = (lanes[l] ^ v) * 0x100000001B3ull;
            lanes[l] ^= lanes[l] >> 29;
        }
    std::uint64_t h = 0xCBF29CE484222325ull ^ n;
    for (; i < n; ++i)
        h = (h ^ p[i]) * 0x100000001B3ull;
    for (std::uint64_t l : lanes)
        h = (h ^ l) * 0x100000001B3ull ^ (h >> 31);
    h ^= (std::uint64_t(photo.width()) << 32) | std::uint32_t(photo.height());
    return h;
}

namespace {
struct CacheEntry
{
    std::string file;
    std::uint64_t fingerprint = 0;
    std::optional<FaceFound> result;
};
std::mutex g_cacheMutex;
std::list<CacheEntry> g_cache; // most recent first
int g_searches = 0;
constexpr std::size_t kCacheSize = 16;
} // namespace

std::optional<FaceFound> FaceCache::Find(const std::string &photoFile, const Picture24 &photo)
{
    const std::uint64_t fingerprint = FaceDetector::Fingerprint(photo);
    {
        std::lock_guard<std::mutex> lock(g_cacheMutex);
        for (auto it = g_cache.begin(); it != g_cache.end(); ++it)
            if (it->fingerprint == fingerprint && it->file == photoFile) {
                g_cache.splice(g_cache.begin(), g_cache, it);
                return g_cache.front().result;
            }
    }
    std::optional<FaceFound> result = FaceDetector::Detect(photo);
    std::lock_guard<std::mutex> lock(g_cacheMutex);
    ++g_searches;
    g_cache.push_front({photoFile, fingerprint, result});
    if (g_cache.size() > kCacheSize)
        g_cache.pop_back();
    return result;
}

int FaceCache::SearchCount()
{
    std::lock_guard<std::mutex> lock(g_cacheMutex);
    return g_searches;
}

void FaceCache::Clear()
{
    std::lock_guard<std::mutex> lock(g_cacheMutex);
    g_cache.clear();
}
