#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class Picture24;

/** A rectangle in picture pixels, with fractional edges. */
struct FaceRect
{
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double centerX() const { return x + width / 2; }
    double centerY() const { return y + height / 2; }
    bool isEmpty() const { return !(width > 0 && height > 0); }
    bool operator==(const FaceRect &) const = default;
};

/** A face found in a photograph, in picture pixels (y from the top). */
struct FaceFound
{
    /** The face itself: cheek to cheek at eye height, brows to chin. */
    FaceRect face;
    /** The detector's raw box, for drawing and debugging. */
    FaceRect detectorBox;
    bool eyesFound = false;
    double leftEyeX = 0, leftEyeY = 0;   ///< the eye on the picture's left
    double rightEyeX = 0, rightEyeY = 0; ///< the eye on the picture's right
};

/**
 * Finds the largest frontal face of a photograph. The search runs on a
 * small grey copy, so its cost hardly grows with the photo's size; the eyes
 * are then looked for on a sharper copy of the face alone, and when both are
 * found they fix the face's size and place (eye distance is the most stable
 * measure a frontal face has).
 *
 * The cascades are read once per process from the folder given at build
 * time (or QUENDA_CASCADE_DIR). Without them every search finds nothing.
 */
class FaceDetector
{
public:
    /** Longest side of the grey copy searched for faces. */
    static constexpr int kSearchSide = 512;

    /** The largest face, or nothing. Never throws. */
    static std::optional<FaceFound> Detect(const Picture24 &photo);

    /** True when the cascades could be read. */
    static bool Available();

    /** A content fingerprint of a picture: any changed pixel changes it
     *  (with overwhelming likelihood), so a cached search can be reused
     *  until the photo is retouched or recoloured. */
    static std::uint64_t Fingerprint(const Picture24 &photo);
};

/**
 * Remembers the last searches by photo file and picture fingerprint: fitting
 * several hairs to one photo searches once.
 */
class FaceCache
{
public:
    /** The search result for this file and picture, searching when unknown. */
    static std::optional<FaceFound> Find(const std::string &photoFile, const Picture24 &photo);
    /** Number of real searches done so far (tests check the cache with it). */
    static int SearchCount();
    static void Clear();
};
