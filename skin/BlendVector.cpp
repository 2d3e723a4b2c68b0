// The blend routines for processors with packed-integer instructions:
// every channel of a pixel, alpha included, is
//   (F x Fa + B x (256 - Fa) + 128) >> 8
// computed in 16-bit lanes, where it cannot overflow (at most 65408).
// Fa = 255 copies F exactly; Fa = 0 leaves B, as the formula does by itself.
#include "skin/Blend.h"

#include "skin/ProcessorFeatures.h"

#if defined(__i386__) || defined(__x86_64__)

#include <immintrin.h>

#define KEL_VECTOR __attribute__((target("sse2")))
#define KEL_VECTOR256 __attribute__((target("avx2")))

namespace {

// Entry i holds i in each of four 16-bit lanes; entry 128 is the rounding term.
struct alignas(16) TLaneTable {
    uint16_t Lanes[256][4];
};

constexpr TLaneTable BuildLaneTable() {
    TLaneTable table{};
    for (int i = 0; i < 256; ++i)
        for (int lane = 0; lane < 4; ++lane) table.Lanes[i][lane] = uint16_t(i);
    return table;
}

constexpr TLaneTable gLanes = BuildLaneTable();

KEL_VECTOR __m128i LaneEntry(uint32_t i) {
    return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(gLanes.Lanes[i]));
}

// One pixel widened to four 16-bit lanes, weighted and narrowed back.
KEL_VECTOR TColor32 MixOne(TColor32 f, TColor32 b, uint32_t weight) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i f16 = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(f)), zero);
    const __m128i b16 = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(b)), zero);
    __m128i z = _mm_add_epi16(_mm_mullo_epi16(f16, LaneEntry(weight)),
                              _mm_mullo_epi16(b16, LaneEntry(256 - weight)));
    z = _mm_srli_epi16(_mm_add_epi16(z, LaneEntry(128)), 8);
    return TColor32(_mm_cvtsi128_si32(_mm_packus_epi16(z, zero)));
}

KEL_VECTOR TColor32 VectorBlendPixel(TColor32 f, TColor32 b) {
    const uint32_t fa = AlphaOf(f);
    if (fa == 0) return b;
    if (fa == 255) return f;
    return MixOne(f, b, fa);
}

KEL_VECTOR TColor32 VectorBlendPixelMaster(TColor32 f, TColor32 b, uint8_t master) {
    const uint32_t weight = (AlphaOf(f) * uint32_t(master)) >> 8;
    if (weight == 0) return b;
    return MixOne(f, b, weight);
}

// --- four pixels at a time in 128-bit registers

// Each pixel's alpha copied into its four lanes.
KEL_VECTOR __m128i BroadcastAlpha(__m128i px16) {
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(px16, 0xFF), 0xFF);
}

// (f x w + b x (256 - w) + 128) >> 8 on two pixels in 16-bit lanes, computed
// as (b x 256 + 128 + (f - b) x w) >> 8: the sum fits in 16 bits, so the
// intermediate wrap-around of the lanes cancels out.
KEL_VECTOR __m128i MixTwo(__m128i f16, __m128i b16, __m128i bHigh16, __m128i w16) {
    const __m128i z = _mm_add_epi16(bHigh16, _mm_mullo_epi16(_mm_sub_epi16(f16, b16), w16));
    return _mm_srli_epi16(z, 8);
}

KEL_VECTOR __m128i BlendFour(__m128i f, __m128i b) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi8(char(128));  // interleaved below b: b x 256 + 128
    const __m128i fl = _mm_unpacklo_epi8(f, zero), fh = _mm_unpackhi_epi8(f, zero);
    const __m128i bl = _mm_unpacklo_epi8(b, zero), bh = _mm_unpackhi_epi8(b, zero);
    const __m128i mixed =
        _mm_packus_epi16(MixTwo(fl, bl, _mm_unpacklo_epi8(half, b), BroadcastAlpha(fl)),
                         MixTwo(fh, bh, _mm_unpackhi_epi8(half, b), BroadcastAlpha(fh)));
    // Opaque foreground pixels are copied exactly.
    const __m128i alphaMask = _mm_set1_epi32(int(0xFF000000));
    const __m128i opaque = _mm_cmpeq_epi32(_mm_and_si128(f, alphaMask), alphaMask);
    return _mm_or_si128(_mm_and_si128(opaque, f), _mm_andnot_si128(opaque, mixed));
}

KEL_VECTOR __m128i BlendFourMaster(__m128i f, __m128i b, __m128i master16) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i fl = _mm_unpacklo_epi8(f, zero), fh = _mm_unpackhi_epi8(f, zero);
    const __m128i bl = _mm_unpacklo_epi8(b, zero), bh = _mm_unpackhi_epi8(b, zero);
    const __m128i wl = _mm_srli_epi16(_mm_mullo_epi16(BroadcastAlpha(fl), master16), 8);
    const __m128i wh = _mm_srli_epi16(_mm_mullo_epi16(BroadcastAlpha(fh), master16), 8);
    const __m128i half = _mm_set1_epi8(char(128));
    return _mm_packus_epi16(MixTwo(fl, bl, _mm_unpacklo_epi8(half, b), wl),
                            MixTwo(fh, bh, _mm_unpackhi_epi8(half, b), wh));
}

KEL_VECTOR void VectorBlendRow(const TColor32* source, TColor32* target, int32_t count) {
    const __m128i alphaMask = _mm_set1_epi32(int(0xFF000000));
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        const __m128i fa = _mm_and_si128(f, alphaMask);
        const int transparent = _mm_movemask_epi8(_mm_cmpeq_epi32(fa, _mm_setzero_si128()));
        if (transparent == 0xFFFF) continue;
        __m128i* out = reinterpret_cast<__m128i*>(target + i);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(fa, alphaMask)) == 0xFFFF) {
            _mm_storeu_si128(out, f);
            continue;
        }
        _mm_storeu_si128(out, BlendFour(f, _mm_loadu_si128(out)));
    }
    for (; i < count; ++i) target[i] = VectorBlendPixel(source[i], target[i]);
}

KEL_VECTOR void VectorBlendRowMaster(const TColor32* source, TColor32* target, int32_t count,
                                     uint8_t master) {
    const __m128i master16 = _mm_set1_epi16(master);
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        __m128i* out = reinterpret_cast<__m128i*>(target + i);
        _mm_storeu_si128(out, BlendFourMaster(f, _mm_loadu_si128(out), master16));
    }
    for (; i < count; ++i) target[i] = VectorBlendPixelMaster(source[i], target[i], master);
}

// --- eight pixels at a time in 256-bit registers: the same arithmetic, lane by lane

KEL_VECTOR256 __m256i MixFour(__m256i f16, __m256i b16, __m256i bHigh16, __m256i w16) {
    const __m256i z = _mm256_add_epi16(bHigh16, _mm256_mullo_epi16(_mm256_sub_epi16(f16, b16), w16));
    return _mm256_srli_epi16(z, 8);
}

// Byte shuffles that spread each pixel's alpha over its four 16-bit lanes,
// for the low and the high two pixels of each 128-bit half.
KEL_VECTOR256 __m256i AlphaSpreadLow() {
    return _mm256_setr_epi8(3, -1, 3, -1, 3, -1, 3, -1, 7, -1, 7, -1, 7, -1, 7, -1,
                            3, -1, 3, -1, 3, -1, 3, -1, 7, -1, 7, -1, 7, -1, 7, -1);
}
KEL_VECTOR256 __m256i AlphaSpreadHigh() {
    return _mm256_setr_epi8(11, -1, 11, -1, 11, -1, 11, -1, 15, -1, 15, -1, 15, -1, 15, -1,
                            11, -1, 11, -1, 11, -1, 11, -1, 15, -1, 15, -1, 15, -1, 15, -1);
}

KEL_VECTOR256 void WideBlendRow(const TColor32* source, TColor32* target, int32_t count) {
    const __m256i alphaMask = _mm256_set1_epi32(int(0xFF000000));
    const __m256i zero = _mm256_setzero_si256();
    const __m256i half = _mm256_set1_epi8(char(128));
    const __m256i spreadLow = AlphaSpreadLow(), spreadHigh = AlphaSpreadHigh();
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i f = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + i));
        const __m256i fa = _mm256_and_si256(f, alphaMask);
        if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(fa, zero)) == -1) continue;
        __m256i* out = reinterpret_cast<__m256i*>(target + i);
        const __m256i opaque = _mm256_cmpeq_epi32(fa, alphaMask);
        if (_mm256_movemask_epi8(opaque) == -1) {
            _mm256_storeu_si256(out, f);
            continue;
        }
        const __m256i b = _mm256_loadu_si256(out);
        const __m256i fl = _mm256_unpacklo_epi8(f, zero), fh = _mm256_unpackhi_epi8(f, zero);
        const __m256i bl = _mm256_unpacklo_epi8(b, zero), bh = _mm256_unpackhi_epi8(b, zero);
        const __m256i mixed =
            _mm256_packus_epi16(MixFour(fl, bl, _mm256_unpacklo_epi8(half, b), _mm256_shuffle_epi8(f, spreadLow)),
                                MixFour(fh, bh, _mm256_unpackhi_epi8(half, b), _mm256_shuffle_epi8(f, spreadHigh)));
        _mm256_storeu_si256(out, _mm256_blendv_epi8(mixed, f, opaque));
    }
    VectorBlendRow(source + i, target + i, count - i);
}

constexpr TBlendRoutines kVector = {
    "vector", VectorBlendPixel, VectorBlendPixelMaster, VectorBlendRow, VectorBlendRowMaster,
};
constexpr TBlendRoutines kVectorWide = {
    "vector-256", VectorBlendPixel, VectorBlendPixelMaster, WideBlendRow, VectorBlendRowMaster,
};

}  // namespace

std::vector<const TBlendRoutines*> VectorBlendVariants() {
    const TProcessorFeatures& cpu = HostProcessor();
    std::vector<const TBlendRoutines*> variants;
    if (cpu.Vector256) variants.push_back(&kVectorWide);
    if (cpu.Vector128) variants.push_back(&kVector);
    return variants;
}

#else

std::vector<const TBlendRoutines*> VectorBlendVariants() { return {}; }

#endif
