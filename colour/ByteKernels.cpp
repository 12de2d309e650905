#include "ByteKernels.h"

#include <algorithm>
#include <cstring>
#include <emmintrin.h>

static inline int clampByte(int v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

void ByteKernels::addChannels(std::uint8_t *row, int pixels, int red, int green, int blue)
{
    red = std::clamp(red, -255, 255);
    green = std::clamp(green, -255, 255);
    blue = std::clamp(blue, -255, 255);
    const int offset[3] = {blue, green, red};
    // Three 16-byte vectors cover 16 pixels, so the channel pattern repeats
    // every 48 bytes: one add and one subtract pattern per vector.
    alignas(16) std::uint8_t up[48];
    alignas(16) std::uint8_t down[48];
    for (int j = 0; j < 48; ++j) {
        const int d = offset[j % 3];
        up[j] = static_cast<std::uint8_t>(d > 0 ? d : 0);
        down[j] = static_cast<std::uint8_t>(d < 0 ? -d : 0);
    }
    const __m128i up0 = _mm_load_si128(reinterpret_cast<const __m128i *>(up));
    const __m128i up1 = _mm_load_si128(reinterpret_cast<const __m128i *>(up + 16));
    const __m128i up2 = _mm_load_si128(reinterpret_cast<const __m128i *>(up + 32));
    const __m128i dn0 = _mm_load_si128(reinterpret_cast<const __m128i *>(down));
    const __m128i dn1 = _mm_load_si128(reinterpret_cast<const __m128i *>(down + 16));
    const __m128i dn2 = _mm_load_si128(reinterpret_cast<const __m128i *>(down + 32));
    const int count = pixels * 3;
    int j = 0;
    for (; j + 48 <= count; j += 48) {
        auto *p = reinterpret_cast<__m128i *>(row + j);
        __m128i a = _mm_loadu_si128(p);
        __m128i b = _mm_loadu_si128(p + 1);
        __m128i c = _mm_loadu_si128(p + 2);
        a = _mm_subs_epu8(_mm_adds_epu8(a, up0), dn0);
        b = _mm_subs_epu8(_mm_adds_epu8(b, up1), dn1);
        c = _mm_subs_epu8(_mm_adds_epu8(c, up2), dn2);
        _mm_storeu_si128(p, a);
        _mm_storeu_si128(p + 1, b);
        _mm_storeu_si128(p + 2, c);
    }
    for (; j < count; ++j)
        row[j] = static_cast<std::uint8_t>(clampByte(row[j] + offset[j % 3]));
}

void ByteKernels::lightness(std::uint8_t *bytes, int count, int amount)
{
    const __m128i zero = _mm_setzero_si128();
    int j = 0;
    if (amount >= 0) {
        // v + floor((255 - v) * amount / 256); never above 255 for amount <= 256.
        const __m128i a = _mm_set1_epi16(static_cast<short>(amount));
        const __m128i top = _mm_set1_epi16(255);
        for (; j + 16 <= count; j += 16) {
            auto *p = reinterpret_cast<__m128i *>(bytes + j);
            const __m128i v = _mm_loadu_si128(p);
            __m128i lo = _mm_unpacklo_epi8(v, zero);
            __m128i hi = _mm_unpackhi_epi8(v, zero);
            lo = _mm_add_epi16(lo, _mm_srli_epi16(_mm_mullo_epi16(_mm_sub_epi16(top, lo), a), 8));
            hi = _mm_add_epi16(hi, _mm_srli_epi16(_mm_mullo_epi16(_mm_sub_epi16(top, hi), a), 8));
            _mm_storeu_si128(p, _mm_packus_epi16(lo, hi));
        }
        for (; j < count; ++j)
            bytes[j] = static_cast<std::uint8_t>(clampByte(bytes[j] + ((255 - bytes[j]) * amount) / 256));
    } else {
        // v - floor(v * m / 256); never below 0 for m <= 256.
        const int m = -amount;
        const __m128i a = _mm_set1_epi16(static_cast<short>(m));
        for (; j + 16 <= count; j += 16) {
            auto *p = reinterpret_cast<__m128i *>(bytes + j);
            const __m128i v = _mm_loadu_si128(p);
            __m128i lo = _mm_unpacklo_epi8(v, zero);
            __m128i hi = _mm_unpackhi_epi8(v, zero);
            lo = _mm_sub_epi16(lo, _mm_srli_epi16(_mm_mullo_epi16(lo, a), 8));
            hi = _mm_sub_epi16(hi, _mm_srli_epi16(_mm_mullo_epi16(hi, a), 8));
            _mm_storeu_si128(p, _mm_packus_epi16(lo, hi));
        }
        for (; j < count; ++j)
            bytes[j] = static_cast<std::uint8_t>(clampByte(bytes[j] - (bytes[j] * m) / 256));
    }
}

// One half (8 lanes) of the contrast curve: v -/+ q with q rounded toward
// zero, so only the magnitude is multiplied and the sign applied after.
static inline __m128i contrastLanes(__m128i v, __m128i magnitude, __m128i negateBelow,
                                    __m128i negateAbove)
{
    const __m128i mid = _mm_set1_epi16(128);
    const __m128i diff = _mm_sub_epi16(v, mid);
    const __m128i dist = _mm_max_epi16(diff, _mm_sub_epi16(_mm_setzero_si128(), diff));
    const __m128i q = _mm_srli_epi16(_mm_mullo_epi16(dist, magnitude), 8);
    // Values 127 and up take +q, values below take -q (for a positive amount).
    const __m128i above = _mm_cmpgt_epi16(diff, _mm_set1_epi16(-2));
    const __m128i negate = _mm_or_si128(_mm_and_si128(above, negateAbove),
                                        _mm_andnot_si128(above, negateBelow));
    const __m128i signedQ = _mm_sub_epi16(_mm_xor_si128(q, negate), negate);
    return _mm_add_epi16(v, signedQ);
}

void ByteKernels::contrast(std::uint8_t *bytes, int count, int amount)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i magnitude = _mm_set1_epi16(static_cast<short>(amount < 0 ? -amount : amount));
    const __m128i ones = _mm_set1_epi16(-1);
    const __m128i negateBelow = amount >= 0 ? ones : zero;
    const __m128i negateAbove = amount >= 0 ? zero : ones;
    int j = 0;
    if (amount > -256 && amount < 256) {
        // Below 256 in magnitude q(127) is 0, so every value moves by
        // (v - 128) x amount / 256 truncated toward zero, whose product fits
        // in 16 signed bits.
        const __m128i a = _mm_set1_epi16(static_cast<short>(amount));
        const __m128i mid = _mm_set1_epi16(128);
        const __m128i roundUp = _mm_set1_epi16(255);
        auto lanes = [&](__m128i v) {
            const __m128i x = _mm_mullo_epi16(_mm_sub_epi16(v, mid), a);
            const __m128i bias = _mm_and_si128(_mm_srai_epi16(x, 15), roundUp);
            return _mm_add_epi16(v, _mm_srai_epi16(_mm_add_epi16(x, bias), 8));
        };
        for (; j + 16 <= count; j += 16) {
            auto *p = reinterpret_cast<__m128i *>(bytes + j);
            const __m128i v = _mm_loadu_si128(p);
            const __m128i lo = lanes(_mm_unpacklo_epi8(v, zero));
            const __m128i hi = lanes(_mm_unpackhi_epi8(v, zero));
            _mm_storeu_si128(p, _mm_packus_epi16(lo, hi));
        }
    }
    for (; j + 16 <= count; j += 16) {
        auto *p = reinterpret_cast<__m128i *>(bytes + j);
        const __m128i v = _mm_loadu_si128(p);
        const __m128i lo = contrastLanes(_mm_unpacklo_epi8(v, zero), magnitude, negateBelow, negateAbove);
        const __m128i hi = contrastLanes(_mm_unpackhi_epi8(v, zero), magnitude, negateBelow, negateAbove);
        _mm_storeu_si128(p, _mm_packus_epi16(lo, hi));
    }
    for (; j < count; ++j) {
        const int v = bytes[j];
        const int q = ((v > 128 ? v - 128 : 128 - v) * amount) / 256;
        bytes[j] = static_cast<std::uint8_t>(clampByte(v <= 126 ? v - q : v + q));
    }
}

// floor(v * amount / 256) on 16-bit lanes for 0 <= amount <= 511: the
// product is split at 256 so that it never leaves 16 bits.
static inline __m128i scaleLanes(__m128i v, __m128i low, __m128i high, bool split)
{
    if (!split)
        return _mm_srli_epi16(_mm_mullo_epi16(v, low), 8);
    return _mm_add_epi16(v, _mm_srli_epi16(_mm_mullo_epi16(v, high), 8));
}

static inline int scaleValue(int v, int amount)
{
    return (v * amount) >> 8;
}

void ByteKernels::saturation(const std::uint8_t *source, std::uint8_t *target, int pixels,
                             int amount)
{
    const bool split = amount > 256;
    const __m128i low = _mm_set1_epi16(static_cast<short>(amount));
    const __m128i high = _mm_set1_epi16(static_cast<short>(amount - 256));
    const __m128i zero = _mm_setzero_si128();
    const __m128i third = _mm_set1_epi16(static_cast<short>(43691)); // ceil(2^17 / 3)
    // Lane masks for the byte's place in its pixel: place 0 takes the sum of
    // the next two bytes, place 2 of the previous two, place 1 one of each.
    alignas(16) std::uint16_t first[48];
    alignas(16) std::uint16_t last[48];
    for (int j = 0; j < 48; ++j) {
        first[j] = j % 3 == 0 ? 0xFFFF : 0;
        last[j] = j % 3 == 2 ? 0xFFFF : 0;
    }
    const int count = pixels * 3;
    int j = 0;
    for (; j + 48 <= count; j += 48) {
        for (int part = 0; part < 3; ++part) {
            const int at = j + part * 16;
            const std::uint8_t *s = source + at;
            const __m128i m2 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s - 2));
            const __m128i m1 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s - 1));
            const __m128i c0 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s));
            const __m128i p1 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + 1));
            const __m128i p2 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + 2));
            __m128i out[2];
            for (int h = 0; h < 2; ++h) {
                const __m128i vm2 = h ? _mm_unpackhi_epi8(m2, zero) : _mm_unpacklo_epi8(m2, zero);
                const __m128i vm1 = h ? _mm_unpackhi_epi8(m1, zero) : _mm_unpacklo_epi8(m1, zero);
                const __m128i v0 = h ? _mm_unpackhi_epi8(c0, zero) : _mm_unpacklo_epi8(c0, zero);
                const __m128i vp1 = h ? _mm_unpackhi_epi8(p1, zero) : _mm_unpacklo_epi8(p1, zero);
                const __m128i vp2 = h ? _mm_unpackhi_epi8(p2, zero) : _mm_unpacklo_epi8(p2, zero);
                const int lane = part * 16 + h * 8;
                const __m128i isFirst = _mm_load_si128(reinterpret_cast<const __m128i *>(first + lane));
                const __m128i isLast = _mm_load_si128(reinterpret_cast<const __m128i *>(last + lane));
                // Sum of the pixel holding each lane: centred sum, corrected
                // at the first and last byte of a pixel.
                __m128i sum = _mm_add_epi16(_mm_add_epi16(vm1, v0), vp1);
                sum = _mm_add_epi16(sum, _mm_and_si128(_mm_sub_epi16(vp2, vm1), isFirst));
                sum = _mm_add_epi16(sum, _mm_and_si128(_mm_sub_epi16(vm2, vp1), isLast));
                const __m128i grey = _mm_srli_epi16(_mm_mulhi_epu16(sum, third), 1);
                const __m128i k = _mm_sub_epi16(grey, scaleLanes(grey, low, high, split));
                out[h] = _mm_add_epi16(scaleLanes(v0, low, high, split), k);
            }
            _mm_storeu_si128(reinterpret_cast<__m128i *>(target + at), _mm_packus_epi16(out[0], out[1]));
        }
    }
    for (; j < count; j += 3) {
        const int grey = (source[j] + source[j + 1] + source[j + 2]) / 3;
        const int k = grey - scaleValue(grey, amount);
        for (int c = 0; c < 3; ++c)
            target[j + c] = static_cast<std::uint8_t>(clampByte(scaleValue(source[j + c], amount) + k));
    }
}

void ByteKernels::table(std::uint8_t *bytes, int count, const std::uint8_t *table)
{
    int j = 0;
    for (; j + 8 <= count; j += 8) {
        std::uint64_t w;
        std::memcpy(&w, bytes + j, 8);
        std::uint64_t r = 0;
        for (int b = 0; b < 8; ++b)
            r |= std::uint64_t(table[(w >> (8 * b)) & 0xFF]) << (8 * b);
        std::memcpy(bytes + j, &r, 8);
    }
    for (; j < count; ++j)
        bytes[j] = table[bytes[j]];
}

void ByteKernels::channelTables(std::uint8_t *row, int pixels, const std::uint8_t *blue,
                                const std::uint8_t *green, const std::uint8_t *red)
{
    for (int x = 0; x < pixels; ++x, row += 3) {
        row[0] = blue[row[0]];
        row[1] = green[row[1]];
        row[2] = red[row[2]];
    }
}
