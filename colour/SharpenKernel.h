#pragma once

class TRasterRGB;

/**
 * The in-place sharpening pass, restructured for speed with the same result
 * as visiting the pixels one by one (rows bottom first, pixels left to
 * right, each reading its already sharpened neighbours below and to the
 * left).
 *
 * For a row whose lower and upper sample rows are other rows, everything but
 * the left sample of the row itself is known before the row starts: the
 * lower row is finished and the upper row untouched. That part is summed in
 * a vectorised pass; only the left-to-right recurrence through the left
 * sample runs serially. The bottom and top rows, which sample themselves,
 * take the plain per-pixel path.
 *
 * From distance 2 on, the rows form independent chains (row r needs only
 * rows r - d and r + d), which large pictures share between two threads;
 * at distance 1 there is one chain and one thread.
 */
class SharpenKernel
{
public:
    /** Sharpens in place; distance 0 changes nothing, a negative distance
     *  samples the same positions as its magnitude. */
    static void run(TRasterRGB &bitmap, int distance);
    /** Distance 1 takes two rows at a time (on by default); off, one row
     *  after the other. For measuring the two against each other. */
    static void SetPairedRows(bool on);
    /** The plain per-pixel path for one row; 0 <= distance <= max(Width, Height). */
    static void plainRow(TRasterRGB &bitmap, int row, int distance);
};
