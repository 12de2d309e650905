#pragma once

#include <string>
#include <vector>

/**
 * Rules of the hair catalogue's folder listings, free of any toolkit: the
 * order in which a category page shows its hairs and the hair number a
 * chosen file stands for.
 */
class HairCatalogue
{
public:
    /** The hair number of a name like "12.GIF" (digits, then the extension);
     *  -1 for any other name. */
    static long long HairNumber(const std::string &fileName);

    /** Hairs by number (1, 2, ... 10, 11), then other names in
     *  case-insensitive name order. */
    static bool Less(const std::string &a, const std::string &b);
    static std::vector<std::string> Ordered(std::vector<std::string> names);

    /**
     * The hair id handed to the main window for a chosen file (folder
     * allowed): the first character when the second is ".", else the name
     * without its last four characters ("12.GIF" gives "12").
     */
    static std::string PickedHairId(const std::string &path);
};
