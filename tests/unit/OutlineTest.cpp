// The outline of a picture as rectangles and as a region.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "skin/Bitmap32.h"
#include "skin/BitmapToRegion.h"

namespace {

// One pixel per character: '#' opaque, '.' transparent.
void Paint(TBitmap32& b, const std::vector<std::string>& rows) {
    b.SetSize(int32_t(rows[0].size()), int32_t(rows.size()));
    for (int32_t y = 0; y < b.Height(); ++y)
        for (int32_t x = 0; x < b.Width(); ++x) b.SetPixel(x, y, rows[y][x] == '#' ? 0xFF808080 : 0x00808080);
}

std::vector<TRect> Rects(const platform::TRegionRects& list) { return std::vector<TRect>(list.begin(), list.end()); }

// The runs of inside pixels, found one pixel at a time.
std::vector<TRect> ReferenceRuns(const TBitmap32& b, uint32_t threshold) {
    std::vector<TRect> runs;
    for (int32_t y = 0; y < b.Height(); ++y) {
        int32_t x = 0;
        while (x < b.Width()) {
            if ((b.GetPixel(x, y) >> 24) <= threshold) { ++x; continue; }
            const int32_t start = x;
            while (x < b.Width() && (b.GetPixel(x, y) >> 24) > threshold) ++x;
            runs.push_back(TRect{start, y, x, y + 1});
        }
    }
    return runs;
}

}  // namespace

TEST(Outline, OneRectanglePerRunRowByRow) {
    TBitmap32 b;
    Paint(b, {".#.", "###", "...", "#.#"});
    EXPECT_EQ(Rects(OutlineRectangles(b, 100)),
              (std::vector<TRect>{{1, 0, 2, 1}, {0, 1, 3, 2}, {0, 3, 1, 4}, {2, 3, 3, 4}}));
}

TEST(Outline, AlphaEqualToTheThresholdIsOutside) {
    TBitmap32 b;
    b.SetSize(3, 1);
    b.SetPixel(0, 0, 0x64FFFFFF);  // 100
    b.SetPixel(1, 0, 0x65FFFFFF);  // 101
    b.SetPixel(2, 0, 0x63FFFFFF);  // 99
    EXPECT_EQ(Rects(OutlineRectangles(b, 100)), (std::vector<TRect>{{1, 0, 2, 1}}));
    EXPECT_EQ(Rects(OutlineRectangles(b, 98)), (std::vector<TRect>{{0, 0, 3, 1}}));
}

TEST(Outline, OpaquePicturesGiveWholeRowsAndTransparentOnesNothing) {
    TBitmap32 b;
    b.SetSize(21, 3);
    b.Clear(0xFF000000);
    EXPECT_EQ(Rects(OutlineRectangles(b, 100)),
              (std::vector<TRect>{{0, 0, 21, 1}, {0, 1, 21, 2}, {0, 2, 21, 3}}));
    b.Clear(0x00FFFFFF);
    EXPECT_EQ(OutlineRectangles(b, 100).Count(), 0u);
}

TEST(Outline, MoreRunsThanTheReservedRoomGrowTheList) {
    // 64 runs in each of 2 rows: far beyond the 30 rectangles reserved for 2 rows.
    std::string row;
    for (int i = 0; i < 64; ++i) row += "#.";
    TBitmap32 b;
    Paint(b, {row, row});
    const platform::TRegionRects rects = OutlineRectangles(b, 0);
    ASSERT_EQ(rects.Count(), 128u);
    EXPECT_EQ(rects[127], (TRect{126, 1, 127, 2}));
}

TEST(Outline, MatchesPixelByPixelRunsOnRandomPictures) {
    std::mt19937 random(3);
    for (int32_t width = 1; width <= 41; ++width) {
        TBitmap32 b;
        b.SetSize(width, 5);
        for (int32_t y = 0; y < 5; ++y)
            for (int32_t x = 0; x < width; ++x) {
                // Long runs on some rows, noise on others.
                const bool noisy = y % 2 == 1;
                const uint32_t alpha = noisy ? random() & 0xFF : (x / 9 + y) % 2 ? 0xC8 : 0x10;
                b.SetPixel(x, y, alpha << 24 | (random() & 0xFFFFFF));
            }
        for (uint32_t threshold : {0u, 100u, 254u, 255u})
            ASSERT_EQ(Rects(OutlineRectangles(b, int32_t(threshold))), ReferenceRuns(b, threshold))
                << "width " << width << " threshold " << threshold;
    }
}

TEST(Outline, RegionHoldsExactlyTheInsidePixels) {
    TBitmap32 b;
    Paint(b, {"..##..", ".####.", "######", "#....#", "......"});
    const platform::TRegion region = BitmapToRegion(b, 100);
    ASSERT_TRUE(region.Valid());
    for (int32_t y = -1; y <= b.Height(); ++y)
        for (int32_t x = -1; x <= b.Width(); ++x) {
            const bool inside = x >= 0 && y >= 0 && x < b.Width() && y < b.Height() && (b.GetPixel(x, y) >> 24) > 100;
            EXPECT_EQ(region.Contains(x, y), inside) << x << "," << y;
        }
    EXPECT_EQ(region.Bounds(), (TRect{0, 0, 6, 4}));

    TBitmap32 clear;
    clear.SetSize(4, 4);
    clear.Clear(0);
    const platform::TRegion none = BitmapToRegion(clear, 100);
    EXPECT_TRUE(none.Valid());
    EXPECT_TRUE(none.Bounds().IsEmpty());
}
