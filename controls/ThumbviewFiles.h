#pragma once

#include <string>
#include <vector>

/** The file lists of a thumbnail view's folder scan. */
class ThumbviewFiles
{
public:
    /** The masks searched, in order: the six of the view, then the other
     *  photo formats the open dialog offers. Matched without regard to case. */
    static const std::vector<std::string> &Extensions();

    /** Position of a file name's extension in Extensions(), -1 for none. */
    static int MaskIndex(const std::string &name);

    /**
     * Scan order of the plain files found in a folder (names without folder):
     * mask by mask, and within one mask in case-insensitive name order (a
     * Linux listing has no order of its own). Names matching no mask are left out.
     */
    static std::vector<std::string> ScanOrder(const std::vector<std::string> &names);

    /** The same names sorted by name, ignoring case. */
    static std::vector<std::string> Sorted(std::vector<std::string> names);

    /** Case-insensitive (ASCII) "less than", ties broken by the exact bytes. */
    static bool NameLess(const std::string &a, const std::string &b);
};
