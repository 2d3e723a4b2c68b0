// The bitmap's storage, notifications, fills and copies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/Bitmap32.h"
#include "skin/Color32.h"
#include "tests/support/MessageOf.h"

namespace {

// Records the order of change and resize notifications of a bitmap.
struct TEventLog {
    std::string Events;
    void Attach(TBitmap32& b) {
        b.OnChange = [this](TThreadPersistent&) { Events += 'C'; };
        b.OnResize = [this](TCustomMap&) { Events += 'R'; };
    }
};

TDecodedPicture Picture(int32_t w, int32_t h, bool hasAlpha, std::vector<uint32_t> pixels) {
    TDecodedPicture p;
    p.Width = w;
    p.Height = h;
    p.HasAlpha = hasAlpha;
    p.Pixels = std::move(pixels);
    return p;
}

}  // namespace

TEST(Color32, HelpersAndWindowColourConversion) {
    EXPECT_EQ(MakeColor32(0x12, 0x34, 0x56), 0xFF123456u);
    EXPECT_EQ(MakeColor32(1, 2, 3, 4), 0x04010203u);
    EXPECT_EQ(Intensity(0xFFFFFFFF), 255);
    EXPECT_EQ(Intensity(0x00FF0000), (255 * 61) >> 8);
    EXPECT_EQ(SetAlpha(0x11223344, 300), 0xFF223344u);
    EXPECT_EQ(SetAlpha(0x11223344, -4), 0x00223344u);
    EXPECT_EQ(ColorToColor32(0x00FF00FF), 0xFFFF00FFu);  // magenta
    EXPECT_EQ(ColorToColor32(0x000000FF), 0xFFFF0000u);  // red
    EXPECT_EQ(ColorToColor32(0x00123456), 0xFF563412u);
    // A system colour resolves to an opaque colour of its own.
    EXPECT_EQ(AlphaOf(ColorToColor32(TColor(0xFF00000F))), 255);
}

TEST(Bitmap32, SizesBelowOneGiveAnEmptyBitmapAndUnchangedSizesAreSilent) {
    TBitmap32 b;
    TEventLog log;
    log.Attach(b);
    EXPECT_FALSE(b.SetSize(-5, 10));
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Width(), 0);
    EXPECT_EQ(b.Height(), 0);
    EXPECT_EQ(log.Events, "");

    EXPECT_TRUE(b.SetSize(3, 2));
    EXPECT_FALSE(b.Empty());
    EXPECT_EQ(log.Events, "CR");
    EXPECT_FALSE(b.SetSize(3, 2));
    EXPECT_EQ(log.Events, "CR");
    EXPECT_TRUE(b.SetSize(3, 0));
    EXPECT_EQ(b.Width(), 0);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(log.Events, "CRCR");
}

TEST(Bitmap32, ClearAndFillsChangeOnlyWhatTheyCover) {
    TBitmap32 b;
    TEventLog log;
    log.Attach(b);
    b.Clear(0x12345678);  // empty: nothing at all
    EXPECT_EQ(log.Events, "");
    b.SetSize(4, 3);
    b.Clear();
    EXPECT_EQ(b.GetPixel(3, 2), clBlack32);
    b.FillRect(1, 1, 3, 2, 0xFFFF0000);
    EXPECT_EQ(b.GetPixel(0, 1), clBlack32);
    EXPECT_EQ(b.GetPixel(1, 1), 0xFFFF0000u);
    EXPECT_EQ(b.GetPixel(2, 1), 0xFFFF0000u);
    EXPECT_EQ(b.GetPixel(3, 1), clBlack32);
    log.Events.clear();
    b.FillRectClipped(-10, -10, 1, 1, 0xFF00FF00);
    EXPECT_EQ(b.GetPixel(0, 0), 0xFF00FF00u);
    EXPECT_EQ(b.GetPixel(1, 0), clBlack32);
    b.FillRectClipped(4, 0, 9, 3, 0xFF0000FF);  // entirely outside: no change
    EXPECT_EQ(log.Events, "C");
}

TEST(Bitmap32, UpdateBracketHoldsChangesBackAndForgetsThem) {
    TBitmap32 b;
    TEventLog log;
    log.Attach(b);
    b.BeginUpdate();
    b.SetSize(2, 2);
    b.Clear();
    b.SetDrawMode(dmBlend);
    b.EndUpdate();
    EXPECT_EQ(log.Events, "R");  // resizing is announced apart from changes
    b.SetDrawMode(dmBlend);      // unchanged: silent
    b.SetMasterAlpha(255);
    b.SetStretchFilter(sfNearest);
    EXPECT_EQ(log.Events, "R");
    b.SetMasterAlpha(100);
    b.SetStretchFilter(sfLinear);
    EXPECT_EQ(log.Events, "RCC");
}

TEST(Bitmap32, CopyFromBitmapTakesPixelsAndDrawingSettingsWithOneChange) {
    TBitmap32 source;
    source.SetSize(2, 1);
    source.SetPixel(0, 0, 0x11223344);
    source.SetPixel(1, 0, 0x00ABCDEF);
    source.SetDrawMode(dmBlend);
    source.SetMasterAlpha(77);
    source.SetOuterColor(0x01020304);
    source.SetStretchFilter(sfSpline);

    TBitmap32 copy;
    int changes = 0;
    copy.OnChange = [&](TThreadPersistent&) { ++changes; };
    copy.CopyFrom(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(copy.Width(), 2);
    EXPECT_EQ(copy.GetPixel(0, 0), 0x11223344u);
    EXPECT_EQ(copy.GetPixel(1, 0), 0x00ABCDEFu);
    EXPECT_EQ(copy.DrawMode(), dmBlend);
    EXPECT_EQ(copy.MasterAlpha(), 77);
    EXPECT_EQ(copy.OuterColor(), 0x01020304u);
    EXPECT_EQ(copy.StretchFilter(), sfSpline);

    copy.CopyFrom(nullptr);
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(changes, 2);
}

TEST(Bitmap32, PicturesWithoutAlphaBecomeOpaqueAndThirtyTwoBitOnesKeepIt) {
    TBitmap32 b;
    b.CopyFrom(Picture(2, 1, false, {0x00102030, 0x7F405060}));
    EXPECT_EQ(b.GetPixel(0, 0), 0xFF102030u);
    EXPECT_EQ(b.GetPixel(1, 0), 0xFF405060u);
    b.CopyFrom(Picture(1, 2, true, {0x00102030, 0x7F405060}));
    EXPECT_EQ(b.Width(), 1);
    EXPECT_EQ(b.GetPixel(0, 0), 0x00102030u);
    EXPECT_EQ(b.GetPixel(0, 1), 0x7F405060u);
}

TEST(Bitmap32, AlphaFromIntensityTakesTheSourceBrightness) {
    TBitmap32 source, target;
    source.SetSize(2, 1);
    source.SetPixel(0, 0, 0xFFFFFFFF);
    source.SetPixel(1, 0, 0xFF00FF00);
    target.SetSize(2, 1);
    target.SetPixel(0, 0, 0x00112233);
    target.SetPixel(1, 0, 0x00445566);
    AlphaFromIntensity(&target, &source);
    EXPECT_EQ(target.GetPixel(0, 0), 0xFF112233u);
    EXPECT_EQ(target.GetPixel(1, 0), uint32_t((255 * 174) >> 8) << 24 | 0x445566u);

    EXPECT_EQ(MessageOf([&] { AlphaFromIntensity(nullptr, &source); }), "Destination is nil");
    EXPECT_EQ(MessageOf([&] { AlphaFromIntensity(&target, nullptr); }), "The source is nil");
}

TEST(Bitmap32, LockCountsNestedLocks) {
    TBitmap32 b;
    b.Lock();
    b.Lock();
    EXPECT_EQ(b.LockCount(), 2);
    b.Unlock();
    b.Unlock();
    EXPECT_EQ(b.LockCount(), 0);
}

TEST(Bitmap32, MakeOpaqueSetsEveryAlpha) {
    TBitmap32 b;
    b.SetSize(3, 3);
    b.Clear(0x00336699);
    b.MakeOpaque();
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(b.GetPixel(x, y), 0xFF336699u);
}
