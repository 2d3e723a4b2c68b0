// The image view shared by the shaped form and frame: where the picture is
// placed for each scale mode, the 16.16 transform, the back buffer's
// hysteresis, what the paint stages leave in the buffer, and when changes
// are announced.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/TestImageView.h"

namespace {

constexpr TColor kBlue = 0xFF0000;                 // 0x00BBGGRR
constexpr TColor32 kBlue32 = 0xFF0000FF;
constexpr TColor32 kPicture = 0xFF123456;

class ImageView : public ::testing::Test {
protected:
    TTestImageView view;
    int changes = 0;

    ImageView() {
        view.color = kBlue;
        view.OnChange = [this](TComponent& sender) {
            EXPECT_EQ(&sender, &view);
            ++changes;
        };
    }

    void ShowPicture(int32_t width, int32_t height, TColor32 color = kPicture) {
        TBitmap32 picture;
        picture.SetSize(width, height);
        picture.Clear(color);
        view.SetBitmap(picture);
    }

    TRect PlacedRect() {
        view.RefreshImageRect();
        return view.ImageRect();
    }
};

TEST_F(ImageView, EachScaleModePlacesThePictureAtTheClientOrigin) {
    ShowPicture(200, 100);
    view.Resize(300, 300);
    EXPECT_EQ(PlacedRect(), (TRect{0, 0, 200, 100}));  // smNormal: natural size

    view.SetScaleMode(smStretch);
    EXPECT_EQ(PlacedRect(), (TRect{0, 0, 300, 300}));

    view.SetScaleMode(smResize);  // 1.5 < 3.0: the width decides
    EXPECT_EQ(PlacedRect(), (TRect{0, 0, 300, 150}));

    ShowPicture(100, 50);
    view.Resize(200, 100);  // equal ratios take the height's branch
    EXPECT_EQ(PlacedRect(), (TRect{0, 0, 200, 100}));

    ShowPicture(3, 5);
    view.SetScaleMode(smScale);
    view.SetScale(1.5f);  // 4.5 and 7.5 round to even
    EXPECT_EQ(PlacedRect(), (TRect{0, 0, 4, 8}));
}

TEST_F(ImageView, AnEmptyViewOrPictureGivesNoImageAndTheIdentity) {
    ShowPicture(10, 10);
    view.SetScaleMode(smStretch);
    view.Resize(0, 50);
    EXPECT_TRUE(PlacedRect().IsEmpty());
    EXPECT_EQ(view.ImageTransform().ZoomX, 0x10000);
    EXPECT_EQ(view.ImageTransform().InvZoomY, 0x10000);

    view.Resize(50, 50);
    view.SetBitmap(TBitmap32());
    EXPECT_EQ(PlacedRect(), TRect{});
    view.Paint();
    EXPECT_EQ(view.BackBuffer().GetPixel(49, 49), kBlue32);  // all filled with Color
}

TEST_F(ImageView, TheTransformIsSixteenDotSixteenRoundedHalfAway) {
    ShowPicture(2, 3);
    view.SetScaleMode(smStretch);
    view.Resize(3, 7);
    view.RefreshImageRect();
    const TImageTransform& t = view.ImageTransform();
    EXPECT_EQ(t.ZoomX, 98304);     // 3/2
    EXPECT_EQ(t.InvZoomX, 43691);  // 2/3 = 43690.67
    EXPECT_EQ(t.ZoomY, 152917);    // 7/3 = 152917.33
    EXPECT_EQ(t.InvZoomY, 28087);  // 3/7 = 28086.86
    EXPECT_EQ(t.OriginX, 0);
    EXPECT_TRUE(view.ImageRectReady());
    view.SetScaleMode(smNormal);
    EXPECT_FALSE(view.ImageRectReady());
}

TEST_F(ImageView, ScaleIsClampedAndOnlyARealChangeIsAnnounced) {
    view.SetScale(0);
    EXPECT_EQ(view.Scale(), 0.001f);
    EXPECT_EQ(changes, 1);
    view.SetScale(-3);
    EXPECT_EQ(view.Scale(), 0.001f);
    EXPECT_EQ(changes, 1);
    view.SetScale(2);
    view.SetScaleMode(smScale);
    view.SetScaleMode(smScale);
    view.SetOffsetHorz(0);
    view.SetOffsetVert(1.5f);
    EXPECT_EQ(changes, 4);
    // The combine handler is announced even when it is the same.
    view.SetOnBitmapPixelCombine(nullptr);
    view.SetOnBitmapPixelCombine(nullptr);
    EXPECT_EQ(changes, 6);
}

TEST_F(ImageView, ChangesWhileSuspendedAreNotRememberedAndResizesAreReportedThen) {
    int resizes = 0;
    view.OnBitmapResize = [&](TComponent&) { ++resizes; };
    view.SuspendChanges();
    ShowPicture(4, 4);
    view.SetScale(3);
    view.ResumeChanges();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(resizes, 1);
    ShowPicture(5, 5);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(resizes, 1);
}

TEST_F(ImageView, TheBackBufferGrowsWithAMarginAndShrinksOnlyWhenFarTooLarge) {
    auto width = [&](int32_t areaWidth) {
        view.Resize(areaWidth, 10);
        return view.BackBuffer().Width();
    };
    EXPECT_EQ(width(60), 100);
    EXPECT_EQ(width(100), 100);
    EXPECT_EQ(width(101), 141);
    EXPECT_EQ(width(141), 141);
    EXPECT_EQ(width(120), 141);
    EXPECT_EQ(width(142), 182);
    EXPECT_EQ(width(142), 182);
    EXPECT_EQ(width(150), 182);
    EXPECT_EQ(width(100), 100);  // below 182 - 40
    EXPECT_EQ(view.BackBuffer().Height(), 50);  // the height went its own way

    // A paint that follows no change only copies the buffer; a resize renders again.
    view.Paint();
    EXPECT_TRUE(view.BufferReady());
    view.BackBuffer().SetPixel(0, 0, 0x01020304);
    view.Paint();
    EXPECT_EQ(view.BackBuffer().GetPixel(0, 0), 0x01020304u);
    view.Resize(99, 10);
    view.Paint();
    EXPECT_EQ(view.BackBuffer().GetPixel(0, 0), 0xFF0000FFu);
}

TEST_F(ImageView, TheDefaultStagesFillOnlyTheUncoveredBandsAndDrawThePicture) {
    ASSERT_EQ(view.StageList().Count(), 5u);
    EXPECT_EQ(view.StageList()[4].StageParam, kLayerVisible);
    EXPECT_FALSE(view.StageList()[1].RunMode);

    ShowPicture(2, 2);
    view.Resize(4, 3);  // buffer 44 x 43
    view.Paint();
    const TBitmap32& buffer = view.BackBuffer();
    EXPECT_EQ(buffer.GetPixel(0, 0), kPicture);
    EXPECT_EQ(buffer.GetPixel(1, 1), kPicture);
    EXPECT_EQ(buffer.GetPixel(2, 0), kBlue32);  // right band
    EXPECT_EQ(buffer.GetPixel(0, 2), kBlue32);  // bottom band
    EXPECT_EQ(buffer.GetPixel(3, 2), kBlue32);
    EXPECT_EQ(buffer.GetPixel(4, 0), 0u);       // the margin is never painted
    EXPECT_EQ(buffer.GetPixel(0, 3), 0u);
}

TEST_F(ImageView, ABlendedPictureIsDrawnOverAWhollyFilledBuffer) {
    ShowPicture(2, 2, 0x80FF0000);
    view.Bitmap().SetDrawMode(dmBlend);
    view.Resize(3, 3);
    view.Paint();
    const TColor32 blended = view.BackBuffer().GetPixel(0, 0);
    EXPECT_GT(RedOf(blended), 0x70);
    EXPECT_GT(BlueOf(blended), 0x70);
    EXPECT_EQ(view.BackBuffer().GetPixel(2, 2), kBlue32);
}

TEST_F(ImageView, OwnStagesRunInOrderWithTheirIndex) {
    view.StageList().Clear();
    view.StageList().Add().StageKind = skFillBuffer;
    TPaintStageEntry& design = view.StageList().Add();
    design.StageKind = skControlFrame;
    design.RunMode = false;
    view.StageList().Add().StageKind = skUserPaint;
    view.StageList().Add().StageKind = 99;
    std::vector<uint32_t> painted;
    view.OnPaintStage = [&](TComponent&, TBitmap32& buffer, uint32_t stage) {
        EXPECT_EQ(buffer.GetPixel(0, 0), kBlue32);  // the design-mode frame did not run
        painted.push_back(stage);
    };
    view.Resize(5, 5);
    view.Paint();
    EXPECT_EQ(painted, std::vector<uint32_t>{2});
}

TEST_F(ImageView, FocusFramesInvertADottedOutline) {
    TBitmap32 b;
    b.SetSize(4, 3);
    b.Clear(0xFF000000);
    DrawFocusFrame(b, TRect{0, 0, 4, 3});
    EXPECT_EQ(b.GetPixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(b.GetPixel(1, 0), 0xFF000000u);
    EXPECT_EQ(b.GetPixel(1, 1), 0xFF000000u);  // the inside stays
    EXPECT_EQ(b.GetPixel(3, 1), 0xFFFFFFFFu);
}

TEST_F(ImageView, AutoSizeFollowsThePictureScaledOnlyInScaleMode) {
    view.autoSize = true;
    view.SetScaleMode(smScale);
    view.SetScale(1.5f);
    ShowPicture(3, 5);
    ASSERT_FALSE(view.resizes.empty());
    EXPECT_EQ(view.resizes.back(), std::make_pair(4, 8));

    int32_t width = 77, height = 66;
    view.align = alTop;
    EXPECT_TRUE(view.AutoSizeQuery(width, height));
    EXPECT_EQ(width, 77);  // a top-aligned view keeps its width
    EXPECT_EQ(height, 8);
}

TEST_F(ImageView, MouseInputCapturesAndResetsTheApplicationCursor) {
    TCustomLayer* seenLayer = reinterpret_cast<TCustomLayer*>(1);
    TMouseButton seenButton = mbLeft;
    view.OnMouseDown = [&](TComponent&, TMouseButton b, TShiftState, int32_t, int32_t, TCustomLayer* layer) {
        seenButton = b;
        seenLayer = layer;
    };
    view.MouseDown(mbRight, 3, 4);
    EXPECT_EQ(view.captures, 1);
    EXPECT_EQ(seenButton, mbRight);
    EXPECT_EQ(seenLayer, nullptr);

    view.cursor = crHandPoint;
    view.MouseMove(1, 1);
    std::vector<TCursor> cursorsWhenLeaving;
    view.OnMouseLeave = [&](TComponent&) { cursorsWhenLeaving = view.applicationCursors; };
    view.MouseLeave();
    EXPECT_EQ(cursorsWhenLeaving, (std::vector<TCursor>{crHandPoint, crDefault}));
}

TEST_F(ImageView, AChangedPictureInvalidatesAndIsRenderedAgainOnTheNextPaint) {
    ShowPicture(2, 2);
    view.Resize(2, 2);
    view.Paint();
    ASSERT_TRUE(view.BufferReady());
    const int before = view.invalidations;
    view.Bitmap().Clear(0xFF00FF00);
    EXPECT_FALSE(view.BufferReady());
    EXPECT_GT(view.invalidations, before);
    view.Paint();
    EXPECT_EQ(view.BackBuffer().GetPixel(1, 1), 0xFF00FF00u);
}

}  // namespace
