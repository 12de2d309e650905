#pragma once

class Picture24;

/**
 * The image engine's channel shift: adds a fixed offset to each channel of
 * every pixel, clamped to 0 ... 255 (blue + b, green + g, red + r). Padding
 * bytes are left as they are; keeping an undo copy is the caller's business.
 */
void ShiftChannels(Picture24 &picture, int deltaRed, int deltaGreen, int deltaBlue);
