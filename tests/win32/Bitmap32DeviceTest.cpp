// The bitmap's pixels on Windows: a top-down 32-bit section selected into a
// memory device context, shared between direct access and the window system.
#include <gtest/gtest.h>

#include <windows.h>

#include "skin/Bitmap32.h"

namespace {

HDC ContextOf(const TBitmap32& b) { return static_cast<HDC>(b.Context()); }

}  // namespace

TEST(Bitmap32OnWindows, PixelsLiveInASectionSelectedIntoAMemoryContext) {
    TBitmap32 b;
    EXPECT_EQ(b.Context(), nullptr);
    b.SetSize(3, 2);
    ASSERT_NE(b.Context(), nullptr);
    HGDIOBJ selected = GetCurrentObject(ContextOf(b), OBJ_BITMAP);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(selected, sizeof section, &section), int(sizeof section));
    EXPECT_EQ(section.dsBm.bmBits, b.Pixels());
    EXPECT_EQ(section.dsBmih.biWidth, 3);
    EXPECT_EQ(section.dsBm.bmHeight, 2);  // rows run top-down: see the drawing test below
    EXPECT_EQ(section.dsBmih.biBitCount, 32);
    b.SetSize(0, 0);
    EXPECT_EQ(b.Context(), nullptr);
}

TEST(Bitmap32OnWindows, DrawingToADeviceContextCopiesEveryByte) {
    TBitmap32 picture, screen;
    picture.SetSize(2, 2);
    picture.Clear(0x80112233);
    screen.SetSize(4, 4);
    screen.Clear(0);
    picture.DrawTo(screen.Context(), 1, 1);
    GdiFlush();
    EXPECT_EQ(screen.GetPixel(0, 0), 0u);
    EXPECT_EQ(screen.GetPixel(1, 1), 0x80112233u);
    EXPECT_EQ(screen.GetPixel(2, 2), 0x80112233u);
    EXPECT_EQ(screen.GetPixel(3, 3), 0u);
}

TEST(Bitmap32OnWindows, WindowSystemDrawingReachesThePixels) {
    TBitmap32 b;
    b.SetSize(4, 4);
    b.Clear(0);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT area{0, 0, 2, 2};
    FillRect(ContextOf(b), &area, red);
    DeleteObject(red);
    GdiFlush();
    EXPECT_EQ(RgbOf(b.GetPixel(1, 1)), 0xFF0000u);
    EXPECT_EQ(RgbOf(b.GetPixel(2, 2)), 0u);
}
