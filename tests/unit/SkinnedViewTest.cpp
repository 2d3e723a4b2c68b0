// The skin of a shaped surface: how the form and the frame put the skin
// picture into Bitmap, the nine slices, and which outline each shape,
// threshold and resize produces.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/BmpBuilder.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/TestImageView.h"

namespace {

constexpr uint32_t kMagenta = 0xFF00FF, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

// Rows of a width x height picture whose left half is red and right half green.
std::vector<std::vector<uint32_t>> HalvesPicture(int32_t width, int32_t height) {
    std::vector<std::vector<uint32_t>> rows(height, std::vector<uint32_t>(width, kRed));
    for (auto& row : rows)
        for (int32_t x = width / 2; x < width; ++x) row[x] = kGreen;
    return rows;
}

class SkinnedView : public ::testing::Test {
protected:
    ScratchFolder scratch;

    // A stand-in of the given kind, sized, showing a skin file.
    void ShowSkin(TTestSkinnedView& view, int32_t width, int32_t height, const std::string& file) {
        view.Resize(width, height);
        view.Skin().SetFileName(file);
    }
};

TEST_F(SkinnedView, TheFormCopiesThePictureAndTheFrameStretchesIt) {
    WriteBmp(scratch / "skin.bmp", HalvesPicture(60, 40));
    TTestSkinnedView form(true), frame(false);
    ShowSkin(form, 73, 57, scratch / "skin.bmp");
    ShowSkin(frame, 73, 57, scratch / "skin.bmp");
    EXPECT_EQ(form.Bitmap().Width(), 60);
    EXPECT_EQ(form.Bitmap().Height(), 40);
    EXPECT_EQ(frame.Bitmap().Width(), 73);
    EXPECT_EQ(frame.Bitmap().Height(), 57);
    EXPECT_EQ(RgbOf(frame.Bitmap().GetPixel(40, 56)), kGreen);  // 40 * 60 / 73 lies in the right half
    EXPECT_EQ(RgbOf(frame.Bitmap().GetPixel(33, 0)), kRed);
    EXPECT_EQ(form.ScaleMode(), smStretch);
    // Either way the outline is the surface's rectangle.
    EXPECT_EQ(form.lastRegion.Bounds(), (TRect{0, 0, 73, 57}));

    // Alpha-mask outlines need the picture at the surface's size on the form too.
    form.SetWindowShape(shAlphaMask);
    EXPECT_EQ(form.Bitmap().Width(), 73);
}

TEST_F(SkinnedView, TheAlphaMaskOutlineLeavesTheTransparentColourOut) {
    WriteBmp(scratch / "ring.bmp", {{kMagenta, kMagenta, kMagenta, kMagenta},
                                    {kMagenta, kRed, kBlue, kMagenta},
                                    {kMagenta, kMagenta, kMagenta, kMagenta}});
    TTestSkinnedView view(false);
    view.Resize(4, 3);
    view.Skin().SetFileName(scratch / "ring.bmp");
    view.Skin().SetTransparentColor(TColor(kMagenta));
    view.Skin().SetAlphaMode(gaTransparentColor);
    const int before = view.regionsApplied;
    view.SetAlphaThreshold(100);  // a rectangle outline does not depend on it
    EXPECT_EQ(view.regionsApplied, before);
    view.SetWindowShape(shAlphaMask);
    EXPECT_EQ(view.regionsApplied, before + 1);
    EXPECT_EQ(view.lastRegion.Bounds(), (TRect{1, 1, 3, 2}));
    EXPECT_TRUE(view.lastRegion.Contains(2, 1));
    EXPECT_FALSE(view.lastRegion.Contains(0, 0));

    // The same shape again still renders and cuts anew; so does a new threshold.
    int changes = 0;
    view.OnChange = [&](TComponent&) { ++changes; };
    view.SetWindowShape(shAlphaMask);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(view.regionsApplied, before + 2);
    view.SetAlphaThreshold(255);  // nothing is above 255: an empty outline
    EXPECT_EQ(view.regionsApplied, before + 3);
    EXPECT_TRUE(view.lastRegion.Bounds().IsEmpty());
}

// A run of settings under a hold cuts the alpha-mask outline once, from the
// last picture, threshold and size; a hold with nothing asked cuts none.
TEST_F(SkinnedView, AHeldOutlineIsCutOnceWhenReleased) {
    WriteBmp(scratch / "ring.bmp", {{kMagenta, kMagenta, kMagenta, kMagenta},
                                    {kMagenta, kRed, kBlue, kMagenta},
                                    {kMagenta, kMagenta, kMagenta, kMagenta}});
    TTestSkinnedView view(true);
    view.HoldOutline();
    view.HoldOutline();
    ShowSkin(view, 8, 6, scratch / "ring.bmp");
    view.Skin().SetTransparentColor(TColor(kMagenta));
    view.Skin().SetAlphaMode(gaTransparentColor);
    view.SetAlphaThreshold(100);
    view.SetWindowShape(shAlphaMask);
    view.Resize(4, 3);
    view.ResizeSkin();
    view.ReleaseOutline();
    EXPECT_EQ(view.regionsApplied, 0);  // still held once
    view.ReleaseOutline();
    EXPECT_EQ(view.regionsApplied, 1);
    EXPECT_EQ(view.lastRegion.Bounds(), (TRect{1, 1, 3, 2}));
    view.HoldOutline();
    view.ReleaseOutline();
    view.ReleaseOutline();  // one release too many changes nothing
    EXPECT_EQ(view.regionsApplied, 1);
}

TEST_F(SkinnedView, APixelWhoseAlphaEqualsTheThresholdIsOutside) {
    WriteBmp(scratch / "alpha.bmp", {{0x64FF0000, 0x65FF0000}}, 32);
    TTestSkinnedView view(false);
    view.Resize(2, 1);
    view.Skin().SetFileName(scratch / "alpha.bmp");
    view.Skin().SetAlphaMode(TGraphicAlphaMode(5));  // the alpha as loaded
    view.SetAlphaThreshold(100);
    view.SetWindowShape(shAlphaMask);
    EXPECT_FALSE(view.lastRegion.Contains(0, 0));
    EXPECT_TRUE(view.lastRegion.Contains(1, 0));
}

TEST_F(SkinnedView, NineSlicesKeepTheCornersAndStretchEdgesAndCentre) {
    // 30 x 30: corners red, edges green, centre blue, cut at 10 and 20.
    std::vector<std::vector<uint32_t>> rows(30, std::vector<uint32_t>(30));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            const int middles = (x >= 10 && x < 20) + (y >= 10 && y < 20);
            rows[y][x] = middles == 0 ? kRed : middles == 1 ? kGreen : kBlue;
        }
    WriteBmp(scratch / "slices.bmp", rows);
    TTestSkinnedView view(true);
    view.Skin().SetSliceStretch(true);
    view.Skin().SetSliceRect(TRect{10, 10, 20, 20});
    ShowSkin(view, 50, 40, scratch / "slices.bmp");
    EXPECT_EQ(view.ScaleMode(), smNormal);
    const TBitmap32& b = view.Bitmap();
    ASSERT_EQ(b.Width(), 50);
    ASSERT_EQ(b.Height(), 40);
    auto at = [&](int32_t x, int32_t y) { return RgbOf(b.GetPixel(x, y)); };
    EXPECT_EQ(at(9, 9), kRed);
    EXPECT_EQ(at(40, 0), kRed);   // the top-right corner moved by dx = 20
    EXPECT_EQ(at(39, 0), kGreen);
    EXPECT_EQ(at(49, 39), kRed);
    EXPECT_EQ(at(30, 5), kGreen);
    EXPECT_EQ(at(5, 25), kGreen);
    EXPECT_EQ(at(30, 25), kBlue);
    EXPECT_EQ(at(25, 30), kGreen);  // the bottom edge starts at 20 + dy
    EXPECT_EQ(at(25, 29), kBlue);
}

TEST_F(SkinnedView, WithoutASkinFileOnlyNonMaskOutlinesAreCutOnResize) {
    TTestSkinnedView masked(false), ellipse(false);
    masked.SetWindowShape(shAlphaMask);
    ellipse.SetWindowShape(shEllipse);
    const int maskedBefore = masked.regionsApplied, ellipseBefore = ellipse.regionsApplied;
    masked.Resize(20, 10);
    masked.ResizeSkin();
    ellipse.Resize(20, 10);
    ellipse.ResizeSkin();
    EXPECT_EQ(masked.regionsApplied, maskedBefore);
    EXPECT_EQ(ellipse.regionsApplied, ellipseBefore + 1);
    EXPECT_TRUE(ellipse.lastRegion.Contains(10, 5));
    EXPECT_FALSE(ellipse.lastRegion.Contains(0, 0));
    EXPECT_TRUE(masked.Bitmap().Empty());  // nothing was rendered

    // An alpha-mask outline of an empty picture is the whole rectangle.
    masked.UpdateWindowRegion();
    EXPECT_EQ(masked.lastRegion.Bounds(), (TRect{0, 0, 20, 10}));
}

TEST_F(SkinnedView, NoRegionGivesTheWindowBackItsRectangle) {
    TTestSkinnedView view(true);
    view.Resize(5, 5);
    view.SetWindowShape(shNoRegion);
    EXPECT_FALSE(view.lastRegion.Valid());
    view.SetWindowShape(TWindowShape(9));  // unknown shapes are rectangles
    EXPECT_EQ(view.lastRegion.Bounds(), (TRect{0, 0, 5, 5}));
}

}  // namespace
