#pragma once

class Picture24;

/**
 * @file
 * Pixel steps of the hair commands that work on a whole overlay picture.
 */

/** Every pixel of exactly the colour found at (1, 1) (from the top) becomes
 *  white, so a recoloured background is the key colour again. Pictures
 *  smaller than 2 x 2 have no such pixel and stay as they are. */
void WhitenHairBackground(Picture24 &picture);

/** The picture mirrored left to right, without copying through Qt. */
void MirrorHair(Picture24 &picture);
