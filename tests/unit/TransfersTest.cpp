// Block and nearest-pixel stretch transfers between bitmaps.
#include <gtest/gtest.h>

#include <vector>

#include "skin/Bitmap32.h"
#include "skin/Blend.h"
#include "skin/Transfers.h"
#include "tests/support/MessageOf.h"

namespace {

// A bitmap whose pixel (x, y) holds a colour naming its place: 0xFF00YYXX.
void FillNumbered(TBitmap32& b, int32_t w, int32_t h) {
    b.SetSize(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) b.SetPixel(x, y, 0xFF000000u | uint32_t(y) << 8 | uint32_t(x));
}

int32_t SourceX(TColor32 c) { return int32_t(c & 0xFF); }
int32_t SourceY(TColor32 c) { return int32_t((c >> 8) & 0xFF); }

std::vector<int32_t> SourceColumns(const TBitmap32& b, int32_t y) {
    std::vector<int32_t> columns;
    for (int32_t x = 0; x < b.Width(); ++x) columns.push_back(SourceX(b.GetPixel(x, y)));
    return columns;
}

}  // namespace

TEST(MulDivRound, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDivRound(1, 3, 2), 2);
    EXPECT_EQ(MulDivRound(-1, 3, 2), -2);
    EXPECT_EQ(MulDivRound(5, 1, 4), 1);
    EXPECT_EQ(MulDivRound(7, 1, 4), 2);
    EXPECT_EQ(MulDivRound(3, 3, -2), -5);
    EXPECT_EQ(MulDivRound(1, 1, 0), -1);
    EXPECT_EQ(MulDivRound(3 * 3, 65535, 7), 84259);
}

TEST(Transfers, EmptyBitmapsAreRefusedDestinationFirstAndDrawIgnoresThem) {
    TBitmap32 empty, full, other;
    full.SetSize(2, 2);
    other.SetSize(2, 2);
    EXPECT_EQ(MessageOf([&] { BlockTransfer(empty, 0, 0, empty, TRect{}); }), "Destination bitmap is nil or empty");
    EXPECT_EQ(MessageOf([&] { BlockTransfer(full, 0, 0, empty, TRect{}); }), "Source bitmap is nil or empty");
    EXPECT_EQ(MessageOf([&] { StretchTransfer(empty, TRect{0, 0, 1, 1}, full, TRect{0, 0, 1, 1}); }),
              "Destination bitmap is nil or empty");
    EXPECT_EQ(MessageOf([&] { StretchTransfer(full, TRect{0, 0, 1, 1}, empty, TRect{0, 0, 1, 1}); }),
              "Source bitmap is nil or empty");
    EXPECT_EQ(MessageOf([&] { StretchTransfer(full, TRect{0, 0, 4, 4}, other, TRect{0, 0, 3, 2}); }),
              "Source rectangle is invalid");
    EXPECT_EQ(MessageOf([&] { StretchTransfer(full, TRect{0, 0, 4, 4}, other, TRect{0, 0, 0, 2}); }), "");

    int changes = 0;
    full.OnChange = [&](TThreadPersistent&) { ++changes; };
    full.Draw(0, 0, empty);
    empty.DrawTo(full);
    empty.DrawTo(full, TRect{0, 0, 2, 2});
    EXPECT_EQ(changes, 0);
    other.DrawTo(full, TRect{0, 0, 1, 1});
    EXPECT_EQ(changes, 1);
}

TEST(Transfers, OpaqueBlockCopyIsClippedAndKeepsAlpha) {
    TBitmap32 source, target;
    FillNumbered(source, 3, 3);
    source.SetPixel(2, 2, 0x12020202);
    target.SetSize(4, 4);
    target.Clear(0);
    target.Draw(-1, 2, source);
    EXPECT_EQ(target.GetPixel(0, 2), 0xFF000001u);
    EXPECT_EQ(target.GetPixel(1, 3), 0xFF000102u);
    EXPECT_EQ(target.GetPixel(2, 2), 0u);
    target.Draw(1, 1, source);
    EXPECT_EQ(target.GetPixel(3, 3), 0x12020202u);
}

TEST(Transfers, NearestCopyDoublesEachPixel) {
    TBitmap32 source, target;
    FillNumbered(source, 2, 2);
    target.SetSize(4, 4);
    source.DrawTo(target, TRect{0, 0, 4, 4});
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 4; ++x) {
            EXPECT_EQ(SourceX(target.GetPixel(x, y)), x / 2);
            EXPECT_EQ(SourceY(target.GetPixel(x, y)), y / 2);
        }
}

TEST(Transfers, ClippedStretchesStartFromTheirOwnScaledOffsets) {
    TBitmap32 source, target;
    FillNumbered(source, 2, 1);
    target.SetSize(3, 1);
    // Four pixels wide, one of them left of the bitmap.
    source.DrawTo(target, TRect{-1, 0, 3, 1});
    EXPECT_EQ(SourceColumns(target, 0), (std::vector<int32_t>{0, 0, 1}));

    source.SetDrawMode(dmBlend);
    target.Clear(0);
    source.DrawTo(target, TRect{-1, 0, 3, 1});
    EXPECT_EQ(SourceColumns(target, 0), (std::vector<int32_t>{0, 1, 1}));
}

TEST(Transfers, StretchesOfEverySizeStayInsideTheSource) {
    TBitmap32 source, target;
    target.SetSize(40, 3);
    for (int32_t sw = 1; sw <= 24; ++sw) {
        FillNumbered(source, sw, 1);
        for (TDrawMode mode : {dmOpaque, dmBlend}) {
            source.SetDrawMode(mode);
            for (int32_t dw = 1; dw <= 40; ++dw)
                for (int32_t left = -5; left <= 0; left += 5) {
                    target.Clear(0);
                    source.DrawTo(target, TRect{left, 0, left + dw, 1});
                    for (int32_t x = 0; x < std::min(dw + left, 40); ++x)
                        ASSERT_LT(SourceX(target.GetPixel(x, 0)), sw) << sw << " to " << dw;
                }
        }
    }
}

TEST(Transfers, BlendModesUseTheMasterAlphaAndTheCombiner) {
    TBitmap32 source, target;
    source.SetSize(2, 1);
    source.Clear(0x80FF0000);
    source.SetDrawMode(dmBlend);
    target.SetSize(2, 1);
    target.Clear(0xFF0000FF);

    source.SetMasterAlpha(0);
    target.Draw(0, 0, source);
    source.DrawTo(target, TRect{0, 0, 1, 1});
    EXPECT_EQ(target.GetPixel(0, 0), 0xFF0000FFu);

    source.SetMasterAlpha(255);
    target.Draw(0, 0, source);
    EXPECT_EQ(target.GetPixel(1, 0), BlendPixel(0x80FF0000, 0xFF0000FF));

    target.Clear(0xFF0000FF);
    source.SetMasterAlpha(128);
    target.Draw(0, 0, source);
    EXPECT_EQ(target.GetPixel(0, 0), BlendPixelMaster(0x80FF0000, 0xFF0000FF, 128));

    // A custom mode without a combiner copies; with one, every pixel goes through it.
    source.SetDrawMode(dmCustom);
    target.Draw(0, 0, source);
    EXPECT_EQ(target.GetPixel(0, 0), 0x80FF0000u);
    std::vector<TColor32> masters;
    source.OnPixelCombine = [&](TColor32 f, TColor32& b, TColor32 m) {
        masters.push_back(m);
        b = f ^ 0x00FFFFFF;
    };
    target.Draw(0, 0, source);
    source.DrawTo(target, TRect{0, 0, 2, 2});
    EXPECT_EQ(masters, (std::vector<TColor32>{128, 128, 128, 128}));
    EXPECT_EQ(target.GetPixel(1, 0), 0x8000FFFFu);
}
