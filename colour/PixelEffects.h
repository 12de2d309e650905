#pragma once

class TRasterRGB;

/** 0 below 0, 255 above 255, else v. */
constexpr int ClampToByte(int v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

/** high above high, else low below low, else v (high wins if low > high). */
constexpr int ClampToRange(int v, int low, int high)
{
    return v > high ? high : (v < low ? low : v);
}

/**
 * @file
 * The pixel effects of the colour tools. Each changes the bitmap in place,
 * works through 256-entry tables (or vector code with identical results),
 * never touches the row padding, and does nothing on an empty bitmap.
 * Large pictures are shared between two threads where the result does not
 * depend on it; every call returns when the picture is done.
 */

/** blue, green, red = ClampToByte(value + offset) per channel. */
void AdjustChannels(TRasterRGB &bitmap, int red, int green, int blue);
/** Moves every byte toward 255 (amount > 0) by amount/256 of the distance
 *  left, or toward 0 (amount < 0) by |amount|/256 of its value. */
void AdjustLightness(TRasterRGB &bitmap, int amount);
/** Pushes bytes away from 128 (amount > 0) or pulls them toward it. */
void AdjustContrast(TRasterRGB &bitmap, int amount);
/** Mixes every channel with the pixel's grey level; 256 changes nothing,
 *  0 gives the grey level, above 256 moves away from it. */
void AdjustSaturation(TRasterRGB &bitmap, int amount);
/** The in-place 3 x 3 sharpening with samples `distance` pixels apart,
 *  visiting rows bottom first and pixels left to right. */
void SharpenAtDistance(TRasterRGB &bitmap, int distance);
/** Mirrors every row left to right. */
void MirrorRows(TRasterRGB &bitmap);
