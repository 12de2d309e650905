#pragma once

/**
 * Sizes for a window that must stay on the screen: it keeps the size it
 * wants when there is room, gives up width before going past the screen's
 * edge, and grows in height for what its (wrapped) text needs.
 */
class WindowFit
{
public:
    /** The wanted width, cut to the room available (at least 1). */
    static int Width(int wanted, int available);
    /** The wanted height, grown to what the content needs, cut to the room
     *  available (at least 1). */
    static int Height(int wanted, int needed, int available);
};
