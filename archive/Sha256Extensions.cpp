#include "archive/Sha256Extensions.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#include <immintrin.h>

bool HasShaExtensions() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return false;
    const bool sse = (c & bit_SSSE3) && (c & bit_SSE4_1);
    return sse && __get_cpuid_count(7, 0, &a, &b, &c, &d) && (b & bit_SHA);
}

// The state goes in two registers, ABEF and CDGH, as the round instruction
// takes it; each step runs four rounds on four words of the message
// schedule, the later ones made from the four groups before.
__attribute__((target("sha,sse4.1,ssse3"))) void CompressWithShaExtensions(uint32_t* state, const uint8_t* blocks,
                                                                          size_t count) {
    const __m128i byteSwap = _mm_set_epi64x(0x0c0d0e0f08090a0bLL, 0x0405060700010203LL);
    const __m128i cdab = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state)), 0xB1);
    const __m128i efgh = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state + 4)), 0x1B);
    __m128i abef = _mm_alignr_epi8(cdab, efgh, 8);
    __m128i cdgh = _mm_blend_epi16(efgh, cdab, 0xF0);
    for (; count > 0; --count, blocks += 64) {
        const __m128i abefBefore = abef, cdghBefore = cdgh;
        __m128i w[4];
        for (int i = 0; i < 16; ++i) {
            __m128i words;
            if (i < 4) {
                words = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(blocks + 16 * i)), byteSwap);
            } else {
                words = _mm_sha256msg1_epu32(w[i % 4], w[(i + 1) % 4]);
                words = _mm_add_epi32(words, _mm_alignr_epi8(w[(i + 3) % 4], w[(i + 2) % 4], 4));
                words = _mm_sha256msg2_epu32(words, w[(i + 3) % 4]);
            }
            w[i % 4] = words;
            const __m128i k = _mm_add_epi32(
                words, _mm_loadu_si128(reinterpret_cast<const __m128i*>(kSha256RoundConstants + 4 * i)));
            cdgh = _mm_sha256rnds2_epu32(cdgh, abef, k);
            abef = _mm_sha256rnds2_epu32(abef, cdgh, _mm_shuffle_epi32(k, 0x0E));
        }
        abef = _mm_add_epi32(abef, abefBefore);
        cdgh = _mm_add_epi32(cdgh, cdghBefore);
    }
    const __m128i feba = _mm_shuffle_epi32(abef, 0x1B);
    const __m128i dchg = _mm_shuffle_epi32(cdgh, 0xB1);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state), _mm_blend_epi16(feba, dchg, 0xF0));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state + 4), _mm_alignr_epi8(dchg, feba, 8));
}

#else

bool HasShaExtensions() { return false; }
void CompressWithShaExtensions(uint32_t*, const uint8_t*, size_t) {}

#endif
