#include "skin/BitmapToRegion.h"

#include "skin/Bitmap32.h"
#include "skin/ProcessorFeatures.h"

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>
#define KEL_HAS_VECTOR_SCAN 1
#endif

namespace {

// Collects the runs of one row at a time.
class TRunCollector {
public:
    TRunCollector(platform::TRegionRects& rects, uint32_t limit) : rects_(rects), limit_(limit) {}

    bool Inside(uint32_t pixel) const { return (pixel & 0xFF000000u) > limit_; }
    uint32_t Limit() const { return limit_; }
    bool InRun() const { return inRun_; }

    void StartRow(int32_t y) { y_ = y; inRun_ = false; start_ = 0; }
    // The state changes at column x: a run opens or closes.
    void Toggle(int32_t x) {
        if (inRun_) rects_.Add(TRect{start_, y_, x, y_ + 1});
        else start_ = x;
        inRun_ = !inRun_;
    }
    void EndRow(int32_t width) {
        if (inRun_) rects_.Add(TRect{start_, y_, width, y_ + 1});
    }

private:
    platform::TRegionRects& rects_;
    uint32_t limit_;
    int32_t y_ = 0;
    int32_t start_ = 0;
    bool inRun_ = false;
};

void ScanPixels(const uint32_t* row, int32_t from, int32_t to, TRunCollector& runs) {
    for (int32_t x = from; x < to; ++x)
        if (runs.Inside(row[x]) != runs.InRun()) runs.Toggle(x);
}

#ifdef KEL_HAS_VECTOR_SCAN

// Bit i set when pixel i of the eight is inside.
__attribute__((target("sse2"))) uint32_t InsideMask8(const uint32_t* p, __m128i limit) {
    const __m128i alpha = _mm_set1_epi32(int(0xFF000000u));
    const __m128i bias = _mm_set1_epi32(int(0x80000000u));  // unsigned compare via signed
    const __m128i a = _mm_xor_si128(_mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), alpha), bias);
    const __m128i b = _mm_xor_si128(_mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4)), alpha), bias);
    const int lo = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpgt_epi32(a, limit)));
    const int hi = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpgt_epi32(b, limit)));
    return uint32_t(lo | hi << 4);
}

// Eight pixels at a time; only groups where the state changes are looked into.
__attribute__((target("sse2"))) void ScanRowVector(const uint32_t* row, int32_t width, TRunCollector& runs) {
    const __m128i limit = _mm_set1_epi32(int(runs.Limit() ^ 0x80000000u));
    int32_t x = 0;
    for (; x + 8 <= width; x += 8) {
        const uint32_t inside = InsideMask8(row + x, limit);
        uint32_t changes = (runs.InRun() ? ~inside : inside) & 0xFF;
        while (changes) {
            const int bit = __builtin_ctz(changes);
            runs.Toggle(x + bit);
            // From here on the other kind of pixel ends the state.
            const uint32_t ahead = 0xFFu << bit;
            changes = (runs.InRun() ? ~inside : inside) & ahead & 0xFF;
        }
    }
    ScanPixels(row, x, width, runs);
}

#endif

void ScanRow(const uint32_t* row, int32_t width, TRunCollector& runs) {
#ifdef KEL_HAS_VECTOR_SCAN
    static const bool vector = HostProcessor().Vector128;
    if (vector) {
        ScanRowVector(row, width, runs);
        return;
    }
#endif
    ScanPixels(row, 0, width, runs);
}

}  // namespace

platform::TRegionRects OutlineRectangles(const TBitmap32& bitmap, int32_t threshold) {
    // Room for 16 runs per row on average; the list grows beyond that.
    const int32_t height = bitmap.Height();
    platform::TRegionRects rects(height > 0 ? size_t(height) * 16 - 2 : 0);
    TRunCollector runs(rects, uint32_t(threshold) << 24);
    for (int32_t y = 0; y < height; ++y) {
        runs.StartRow(y);
        ScanRow(bitmap.RowStart(y), bitmap.Width(), runs);
        runs.EndRow(bitmap.Width());
    }
    return rects;
}

platform::TRegion BitmapToRegion(const TBitmap32& bitmap, int32_t threshold) {
    return platform::TRegion::FromRectangles(OutlineRectangles(bitmap, threshold), bitmap.BoundsRect());
}
