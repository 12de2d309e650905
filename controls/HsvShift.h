#pragma once

class Picture24;

/**
 * The image engine's HSV shift: every pixel is converted to the integer HSV
 * model (RGBtoHSV), the deltas are added, the results are clamped (hue to
 * 0 ... 359, saturation and value to 0 ... 99; the hue is clamped, not
 * wrapped around the colour circle) and the pixel is converted back
 * (HSVtoRGB).
 *
 * Because the model quantises, even a zero shift moves colours to their
 * nearest representable neighbour. Padding bytes are left as they are.
 * Keeping an undo copy is the caller's business.
 */
void ShiftHSV(Picture24 &picture, int deltaHue, int deltaSat, int deltaVal);
