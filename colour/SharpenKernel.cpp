#include "SharpenKernel.h"

#include "ParallelRows.h"
#include "TRasterRGB.h"

#include <algorithm>
#include <cstring>
#include <emmintrin.h>
#include <vector>

static inline int clampIndex(int v, int low, int high)
{
    return v > high ? high : (v < low ? low : v);
}

void SharpenKernel::plainRow(TRasterRGB &bitmap, int r, int d)
{
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    const std::uint8_t *below = bitmap.Rows(clampIndex(r - d, 0, h - 1));
    std::uint8_t *mid = bitmap.Rows(r);
    const std::uint8_t *above = bitmap.Rows(clampIndex(r + d, 0, h - 1));
    for (int x = 0; x < w; ++x) {
        const int xl = clampIndex(x - d, 0, w - 1) * 3;
        const int xr = clampIndex(x + d, 0, w - 1) * 3;
        const int xc = x * 3;
        int next[3];
        for (int k = 0; k < 3; ++k) {
            const int s = below[xl + k] + below[xc + k] + below[xr + k] + mid[xl + k] + mid[xr + k]
                          + above[xl + k] + above[xc + k] + above[xr + k];
            const int v = (256 * mid[xc + k] - 16 * s) / 128;
            next[k] = v < 0 ? 0 : (v > 255 ? 255 : v);
        }
        for (int k = 0; k < 3; ++k)
            mid[xc + k] = static_cast<std::uint8_t>(next[k]);
    }
}

// Fixed parts of the lanes [begin, end) whose samples do not clamp;
// columns holds the lower plus upper row, off is 3 x distance.
static inline void innerLanes(const std::uint16_t *columns, const std::uint8_t *mid, std::uint16_t *fixed,
                              int off, int begin, int end)
{
    const __m128i zero = _mm_setzero_si128();
    int j = begin;
    for (; j + 8 <= end; j += 8) {
        __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i *>(columns + j - off));
        s = _mm_add_epi16(s, _mm_loadu_si128(reinterpret_cast<const __m128i *>(columns + j)));
        s = _mm_add_epi16(s, _mm_loadu_si128(reinterpret_cast<const __m128i *>(columns + j + off)));
        const __m128i right = _mm_unpacklo_epi8(
            _mm_loadl_epi64(reinterpret_cast<const __m128i *>(mid + j + off)), zero);
        const __m128i centre = _mm_unpacklo_epi8(
            _mm_loadl_epi64(reinterpret_cast<const __m128i *>(mid + j)), zero);
        const __m128i v = _mm_sub_epi16(_mm_slli_epi16(centre, 4), _mm_add_epi16(s, right));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(fixed + j), _mm_max_epi16(v, zero));
    }
    for (; j < end; ++j) {
        const int s = columns[j - off] + columns[j] + columns[j + off] + mid[j + off];
        const int v = 16 * mid[j] - s;
        fixed[j] = static_cast<std::uint16_t>(v < 0 ? 0 : v);
    }
}

// The fixed part of every pixel's value, max(0, 16 x centre - (all samples
// but the row's own left one)), three 16-bit lanes per pixel, for the
// pixels x0 .. x1-1; without `inner` only for the pixels whose samples
// clamp at the row's ends. Both buffers are indexed by byte position in the
// row.
static void fixedPart(const std::uint8_t *below, const std::uint8_t *mid, const std::uint8_t *above,
                      int w, int d, int x0, int x1, std::uint16_t *columns, std::uint16_t *fixed,
                      bool inner = true)
{
    const __m128i zero = _mm_setzero_si128();
    // Column sums of the lower and upper rows, d pixels beyond either side.
    const int c1 = 3 * std::min(w, x1 + d);
    int j = 3 * std::max(0, x0 - d);
    for (; j + 16 <= c1; j += 16) {
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(below + j));
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(above + j));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(columns + j),
                         _mm_add_epi16(_mm_unpacklo_epi8(b, zero), _mm_unpacklo_epi8(a, zero)));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(columns + j + 8),
                         _mm_add_epi16(_mm_unpackhi_epi8(b, zero), _mm_unpackhi_epi8(a, zero)));
    }
    for (; j < c1; ++j)
        columns[j] = static_cast<std::uint16_t>(below[j] + above[j]);

    auto edge = [&](int x) {
        const int xl = clampIndex(x - d, 0, w - 1) * 3;
        const int xr = clampIndex(x + d, 0, w - 1) * 3;
        const int xc = x * 3;
        for (int k = 0; k < 3; ++k) {
            const int s = columns[xl + k] + columns[xc + k] + columns[xr + k] + mid[xr + k];
            const int v = 16 * mid[xc + k] - s;
            fixed[xc + k] = static_cast<std::uint16_t>(v < 0 ? 0 : v);
        }
    };
    // Pixels whose samples do not clamp at the row's ends.
    const int innerBegin = std::clamp(d, x0, x1);
    const int innerEnd = std::clamp(w - d, innerBegin, x1);
    for (int x = x0; x < innerBegin; ++x)
        edge(x);
    const int off = 3 * d;
    j = 3 * innerBegin;
    const int stop = 3 * innerEnd;
    if (inner)
        innerLanes(columns, mid, fixed, off, j, stop);
    for (int x = innerEnd; x < x1; ++x)
        edge(x);
}

// One step of the recurrence: max(fixed - left, 0) / 8, at most 255. The
// fixed part already holds the lower clamp, so a saturating subtraction
// gives it for the whole value.
static inline __m128i step(const std::uint16_t *fixed, int x, __m128i left)
{
    const __m128i f = _mm_loadl_epi64(reinterpret_cast<const __m128i *>(fixed + 3 * x));
    return _mm_min_epi16(_mm_srli_epi16(_mm_subs_epu16(f, left), 3), _mm_set1_epi16(255));
}

// Stores four bytes; the fourth is the next pixel's first byte and is
// overwritten by the next store, so never use it for a row's last pixel.
static inline void storeWide(std::uint8_t *mid, int x, __m128i value)
{
    const int bytes = _mm_cvtsi128_si32(_mm_packus_epi16(value, value));
    std::memcpy(mid + 3 * x, &bytes, 4);
}

static inline void storeExact(std::uint8_t *mid, int x, __m128i value)
{
    const int bytes = _mm_cvtsi128_si32(_mm_packus_epi16(value, value));
    mid[3 * x] = static_cast<std::uint8_t>(bytes);
    mid[3 * x + 1] = static_cast<std::uint8_t>(bytes >> 8);
    mid[3 * x + 2] = static_cast<std::uint8_t>(bytes >> 16);
}

// The recurrence for distance D along a row of w pixels: pixel x depends
// on pixel x - D, so the last D results stay in registers and D chains run
// side by side. The inner lanes [innerBegin, innerEnd) of the fixed part,
// when not computed yet, are computed in the same loop one block of pixels
// ahead, so that a short chain (three operations deep per pixel) overlaps
// with them. Those lanes always lie beyond the pixels written so far,
// including the fourth byte of each wide store, so they read unsharpened
// pixels.
template <int D>
static void recurrence(const std::uint16_t *columns, std::uint16_t *fixed, std::uint8_t *mid, int w,
                       int innerBegin, int innerEnd)
{
    const int stop = 3 * innerEnd;
    int ready = 3 * innerBegin;
    auto prepare = [&](int target) {
        if (target <= ready)
            return;
        target = std::min(ready + ((target - ready + 7) & ~7), stop);
        if (target > ready) {
            innerLanes(columns, mid, fixed, 3 * D, ready, target);
            ready = target;
        }
    };
    __m128i last[D] = {};
    // Pixel 0 samples itself on the left, unsharpened; pixels 1 .. D-1
    // sample pixel 0, already sharpened.
    int centre0 = 0;
    std::memcpy(&centre0, mid, 3);
    last[0] = step(fixed, 0, _mm_unpacklo_epi8(_mm_cvtsi32_si128(centre0), _mm_setzero_si128()));
    const int lead = std::min(D, w);
    for (int x = 1; x < lead; ++x)
        last[x] = step(fixed, x, last[0]);
    // Blocks of at least 8 pixels, a whole number of chains wide.
    constexpr int kGroups = (8 + D - 1) / D;
    constexpr int kBlock = kGroups * D;
    prepare(3 * (D + 2 * kBlock));
    for (int x = 0; x < lead; ++x) {
        if (x == w - 1)
            storeExact(mid, x, last[x]);
        else
            storeWide(mid, x, last[x]);
    }
    int x = D;
    for (; x + kBlock < w; x += kBlock) {
        prepare(3 * (x + 2 * kBlock));
#pragma GCC unroll 16
        for (int g = 0; g < kGroups; ++g) {
#pragma GCC unroll 16
            for (int k = 0; k < D; ++k) {
                const int at = x + g * D + k;
                last[k] = step(fixed, at, last[k]);
                storeWide(mid, at, last[k]);
            }
        }
    }
    prepare(stop);
    for (int k = 0; x < w; ++x, k = k + 1 == D ? 0 : k + 1) {
        last[k] = step(fixed, x, last[k]);
        if (x == w - 1)
            storeExact(mid, x, last[k]);
        else
            storeWide(mid, x, last[k]);
    }
}

// Distances beyond the unrolled ones keep the results in memory.
static void recurrenceAny(const std::uint16_t *fixed, std::uint8_t *mid, int d, int w,
                          std::uint16_t *results)
{
    for (int x = 0; x < w; ++x) {
        for (int k = 0; k < 3; ++k) {
            const int left = x == 0 ? mid[k] : results[3 * std::max(x - d, 0) + k];
            const int t = static_cast<int>(fixed[3 * x + k]) - left;
            results[3 * x + k] = static_cast<std::uint16_t>(t < 0 ? 0 : std::min(t >> 3, 255));
        }
    }
    for (int j = 0; j < 3 * w; ++j)
        mid[j] = static_cast<std::uint8_t>(results[j]);
}

// Per-thread buffers for one row at a time.
struct SharpenRowState
{
    explicit SharpenRowState(int w)
        : columns(static_cast<std::size_t>(3 * w + 16)), fixed(static_cast<std::size_t>(3 * w + 16)),
          results(static_cast<std::size_t>(3 * w + 16))
    {
    }
    std::vector<std::uint16_t> columns;
    std::vector<std::uint16_t> fixed;
    std::vector<std::uint16_t> results;
};

// Sharpens a row whose lower and upper sample rows are other rows.
static void sharpenRow(TRasterRGB &bitmap, int r, int d, SharpenRowState &st)
{
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    std::uint8_t *mid = bitmap.Rows(r);
    const std::uint8_t *below = bitmap.Rows(clampIndex(r - d, 0, h - 1));
    const std::uint8_t *above = bitmap.Rows(clampIndex(r + d, 0, h - 1));
    std::uint16_t *c = st.columns.data();
    std::uint16_t *f = st.fixed.data();
    // Only the single chain of distance 1 gains from computing the inner
    // lanes inside the recurrence; from distance 2 on the chains already
    // keep the processor busy and a separate pass is faster (measured).
    const bool interleaved = d == 1;
    fixedPart(below, mid, above, w, d, 0, w, c, f, !interleaved);
    // The lanes the recurrence still has to compute: none when done above.
    const int innerBegin = interleaved ? std::min(d, w) : 0;
    const int innerEnd = interleaved ? std::max(innerBegin, w - d) : 0;
    switch (d) {
    case 1: recurrence<1>(c, f, mid, w, innerBegin, innerEnd); break;
    case 2: recurrence<2>(c, f, mid, w, innerBegin, innerEnd); break;
    case 3: recurrence<3>(c, f, mid, w, innerBegin, innerEnd); break;
    case 4: recurrence<4>(c, f, mid, w, innerBegin, innerEnd); break;
    case 5: recurrence<5>(c, f, mid, w, innerBegin, innerEnd); break;
    case 6: recurrence<6>(c, f, mid, w, innerBegin, innerEnd); break;
    case 7: recurrence<7>(c, f, mid, w, innerBegin, innerEnd); break;
    case 8: recurrence<8>(c, f, mid, w, innerBegin, innerEnd); break;
    case 9: recurrence<9>(c, f, mid, w, innerBegin, innerEnd); break;
    case 10: recurrence<10>(c, f, mid, w, innerBegin, innerEnd); break;
    default: recurrenceAny(f, mid, d, w, st.results.data()); break;
    }
}

// Distance 1, two rows at a time: row r + 1 runs three blocks of pixels
// behind row r, so the two serial chains are independent inside the inner
// loop and overlap in the processor. Row r's fixed part is computed before
// anything is written (row r + 1 is still untouched then). The fixed part
// of each block of row r + 1 is computed once row r has finished one pixel
// beyond the block, and before row r + 1's own chain comes near enough to
// overwrite any pixel the block reads (its wide stores reach one byte into
// the next pixel). The result is the same, byte for byte, as taking the
// rows one after the other.
static bool g_pairedRows = true;

void SharpenKernel::SetPairedRows(bool on)
{
    g_pairedRows = on;
}

namespace {

struct Chain
{
    const std::uint16_t *fixed;
    std::uint8_t *mid;
    int w;
    __m128i last;

    inline void advance(int x)
    {
        if (x == 0) {
            int centre0 = 0;
            std::memcpy(&centre0, mid, 3);
            last = step(fixed, 0, _mm_unpacklo_epi8(_mm_cvtsi32_si128(centre0), _mm_setzero_si128()));
        } else {
            last = step(fixed, x, last);
        }
        if (x == w - 1)
            storeExact(mid, x, last);
        else
            storeWide(mid, x, last);
    }
};

} // namespace

static void sharpenRowPair(TRasterRGB &bitmap, int r, SharpenRowState &lower, SharpenRowState &upper)
{
    constexpr int kBlock = 32;
    constexpr int kLag = 3;
    const int w = bitmap.Width();
    const std::uint8_t *below = bitmap.Rows(r - 1);
    std::uint8_t *mid0 = bitmap.Rows(r);
    std::uint8_t *mid1 = bitmap.Rows(r + 1);
    const std::uint8_t *above1 = bitmap.Rows(r + 2);
    fixedPart(below, mid0, mid1, w, 1, 0, w, lower.columns.data(), lower.fixed.data());
    Chain c0{lower.fixed.data(), mid0, w, _mm_setzero_si128()};
    Chain c1{upper.fixed.data(), mid1, w, _mm_setzero_si128()};
    const int blocks = (w + kBlock - 1) / kBlock;
    for (int k = 0; k < blocks + kLag; ++k) {
        // Row r + 1's block k - 2: row r is done up to pixel (k - 1) x kBlock.
        const int f = k - 2;
        if (f >= 0 && f < blocks)
            fixedPart(mid0, mid1, above1, w, 1, f * kBlock, std::min(w, (f + 1) * kBlock), upper.columns.data(),
                      upper.fixed.data());
        const int x0 = k * kBlock;
        const int x1 = (k - kLag) * kBlock;
        if (k < blocks && k > kLag && x0 + kBlock < w) {
#pragma GCC unroll 8
            for (int j = 0; j < kBlock; ++j) {
                c0.last = step(c0.fixed, x0 + j, c0.last);
                storeWide(mid0, x0 + j, c0.last);
                c1.last = step(c1.fixed, x1 + j, c1.last);
                storeWide(mid1, x1 + j, c1.last);
            }
            continue;
        }
        for (int j = 0; j < kBlock; ++j) {
            if (k < blocks && x0 + j < w)
                c0.advance(x0 + j);
            if (k >= kLag && x1 + j < w)
                c1.advance(x1 + j);
        }
    }
}

// Row r depends only on row r - d below it and on row r + d above it
// (unsharpened), so the rows fall into d chains r mod d that never read each
// other's pixels: the chains can run on two threads. Rows below d all read
// the bottom row, which is done first; the top row, which may be the upper
// sample row of several chains, is done last.
static void runChains(TRasterRGB &bitmap, int d)
{
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    SharpenKernel::plainRow(bitmap, 0, d);
    const int chains = std::min(d, h);
    ParallelRows::run(chains, static_cast<std::size_t>(bitmap.ByteCount()), [&](int first, int last) {
        SharpenRowState st(w);
        for (int c = first; c < last; ++c)
            for (int r = c == 0 ? d : c; r < h - 1; r += d)
                sharpenRow(bitmap, r, d, st);
    });
    SharpenKernel::plainRow(bitmap, h - 1, d);
}

void SharpenKernel::run(TRasterRGB &bitmap, int d)
{
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    if (w <= 0 || h <= 0 || d == 0)
        return;
    // Beyond the picture every sample clamps to the border anyway, so the
    // magnitude can be capped (which also keeps r - d and r + d in range).
    const long long magnitude = d < 0 ? -static_cast<long long>(d) : d;
    d = static_cast<int>(std::min<long long>(magnitude, std::max(w, h)));
    if (d >= 2 && h >= 3) {
        runChains(bitmap, d);
        return;
    }
    SharpenRowState st(w);
    if (d == 1 && h >= 4 && g_pairedRows) {
        SharpenRowState upper(w);
        plainRow(bitmap, 0, d);
        int r = 1;
        for (; r + 2 <= h - 1; r += 2)
            sharpenRowPair(bitmap, r, st, upper);
        for (; r < h - 1; ++r)
            sharpenRow(bitmap, r, d, st);
        plainRow(bitmap, h - 1, d);
        return;
    }
    for (int r = 0; r < h; ++r) {
        if (clampIndex(r - d, 0, h - 1) == r || clampIndex(r + d, 0, h - 1) == r)
            plainRow(bitmap, r, d);
        else
            sharpenRow(bitmap, r, d, st);
    }
}
