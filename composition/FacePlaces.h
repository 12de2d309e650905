#pragma once

#include "FaceDetector.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

/**
 * The face file of a category folder, "Rostos.ini": for each hair number, the
 * rectangle of the hair picture (natural size, pixels from the top left)
 * where a face belongs. One section per hair:
 *
 *     [7]
 *     Esquerda=112
 *     Topo=227
 *     Largura=150
 *     Altura=150
 *
 * It is read with the language file's profile rules, so a salon can edit it
 * with any text editor; a section that is missing, incomplete or not a
 * positive size counts as no entry.
 */
class FacePlaces
{
public:
    static constexpr const char *kFileName = "Rostos.ini";

    /** Entry of hair `number` in the file's text, if a usable one exists. */
    static std::optional<FaceRect> Find(std::string_view fileText, int number);

    /** The file's text with hair `number`'s section set to `place` (other
     *  sections and lines kept, a new section appended). */
    static std::string WithPlace(std::string_view fileText, int number, const FaceRect &place);

    /** The text of a whole file from a number -> place map. */
    static std::string Format(const std::map<int, FaceRect> &places);
};
