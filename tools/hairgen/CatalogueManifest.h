#pragma once

#include "HairColour.h"

#include <cstdint>
#include <string>
#include <vector>

// The list of hair pictures the generator makes, one a line:
//   collection|category|number|shape file|#RRGGBB|plain or mirror|scale
// Blank lines and lines starting with '#' are ignored. The build reads the
// same list to know which files the generator writes.
class CatalogueManifest
{
public:
    struct Entry
    {
        std::string collection;
        std::string category;
        int number = 0;
        std::string shape;
        HairColour colour;
        bool mirror = false;
        double scale = 1.0;
        int line = 0;

        // collection/category/number.GIF
        std::string relativePath() const;
        // Seed of the strand pattern, fixed by the picture's place in the
        // catalogue so that every build draws the same hair.
        std::uint64_t seed() const;
    };

    // Parses the whole text; false with a message naming the line on the
    // first fault (unknown field count, bad number, colour or scale, or a
    // picture listed twice).
    bool parse(const std::string &text, std::string &error);

    const std::vector<Entry> &entries() const { return m_entries; }

    // The category folders the list writes into, "collection/category", each
    // once, in the order of first mention.
    std::vector<std::string> folders() const;
    // Whether the list makes the picture at collection/category/name.
    bool lists(const std::string &folder, const std::string &fileName) const;

private:
    std::vector<Entry> m_entries;
};
