// The skin picture: loading through the picture cache, the fallback picture,
// the alpha modes and the deferred work behind the setters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "skin/BitmapToRegion.h"
#include "skin/KGraphic.h"
#include "skin/MediaList.h"
#include "skin/PictureLoader.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/MessageOf.h"
#include "tests/support/ScratchFolder.h"

namespace {

constexpr TColor32 kMagenta = 0xFF00FF, kRed = 0xFF0000, kBlack = 0x000000, kWhite = 0xFFFFFF;

std::vector<TColor32> PixelsOf(const TBitmap32& b) {
    return std::vector<TColor32>(b.Pixels(), b.Pixels() + size_t(b.Width()) * b.Height());
}

// Each test gets a folder of its own as the base of the fallback picture,
// so the process-wide cache never mixes pictures of different tests.
class SkinPicture : public ::testing::Test {
protected:
    ScratchFolder scratch;
    std::string savedBase = MediaBaseDir;
    KGraphic graphic;
    int changes = 0;

    SkinPicture() {
        MediaBaseDir = scratch.Path();
        graphic.OnChange = [this](TComponent& sender) {
            EXPECT_EQ(&sender, &graphic);
            ++changes;
        };
    }
    ~SkinPicture() override { MediaBaseDir = savedBase; }

    void WriteFallback() {
        platform::ForceDirectories(scratch / "Data");
        WriteBmp(scratch / "Data\\noimage.bmp", {{kWhite, kBlack}});
    }
};

}  // namespace

TEST_F(SkinPicture, TransparentColourBecomesSeeThroughAndCutsTheOutline) {
    WriteBmp(scratch / "skin.bmp", {{kMagenta, kRed, kMagenta}});
    graphic.SetFileName(scratch / "skin.bmp");
    graphic.SetTransparentColor(0x00FF00FF);
    graphic.SetAlphaMode(gaTransparentColor);
    EXPECT_EQ(changes, 3);
    const TBitmap32& b = graphic.GetBitmap();
    EXPECT_EQ(PixelsOf(b), (std::vector<TColor32>{0x00FF00FF, 0xFFFF0000, 0x00FF00FF}));
    const platform::TRegionRects rects = OutlineRectangles(b, 100);
    ASSERT_EQ(rects.Count(), 1u);
    EXPECT_EQ(rects[0], (TRect{1, 0, 2, 1}));
}

TEST_F(SkinPicture, BlackIsTransparentUntilAColourIsSet) {
    WriteBmp(scratch / "skin.bmp", {{kBlack, kWhite}});
    graphic.SetFileName(scratch / "skin.bmp");
    graphic.SetAlphaMode(gaTransparentColor);
    EXPECT_EQ(PixelsOf(graphic.GetBitmap()), (std::vector<TColor32>{0x00000000, 0xFFFFFFFF}));
}

TEST_F(SkinPicture, SettersOnlyMarkWorkAndGetBitmapDoesIt) {
    WriteBmp(scratch / "skin.bmp", {{kRed, kMagenta}});
    graphic.SetFileName(scratch / "skin.bmp");
    EXPECT_EQ(graphic.DirtyFlags(), KGraphic::kAllDirty);
    graphic.GetBitmap();
    EXPECT_EQ(graphic.DirtyFlags() & 7, 0);

    graphic.SetFileName(scratch / "skin.bmp");  // the same name: nothing
    EXPECT_EQ(changes, 1);

    // Outside the transparent-colour mode a new colour is announced but changes no pixel.
    graphic.SetTransparentColor(0x000000FF);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(graphic.DirtyFlags() & 7, 0);
    EXPECT_EQ(PixelsOf(graphic.GetBitmap()), (std::vector<TColor32>{0xFFFF0000, 0xFFFF00FF}));

    graphic.GetBitmap().SetDrawMode(dmBlend);
    EXPECT_EQ(graphic.GetBitmap().DrawMode(), dmOpaque);
}

TEST_F(SkinPicture, EachFileIsReadOnceAndLooksUpIgnoringCase) {
    WriteBmp(scratch / "Skin.bmp", {{kRed}});
    graphic.SetFileName(scratch / "Skin.bmp");
    EXPECT_EQ(graphic.GetBitmap().GetPixel(0, 0), 0xFFFF0000u);

    // Changed on disk and named in another case: a reload, answered from the cache.
    WriteBmp(scratch / "Skin.bmp", {{kWhite}});
    graphic.SetFileName(scratch / "SKIN.BMP");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(graphic.GetBitmap().GetPixel(0, 0), 0xFFFF0000u);

    // Every graphic works on a copy: changing one leaves the cache alone.
    graphic.GetBitmap().SetPixel(0, 0, 0);
    KGraphic other;
    other.SetFileName(scratch / "skin.bmp");
    EXPECT_EQ(other.GetBitmap().GetPixel(0, 0), 0xFFFF0000u);
}

TEST_F(SkinPicture, MissingPicturesShareTheFallbackLoadedOnce) {
    WriteFallback();
    const std::string missing = scratch / "missing.bmp";
    graphic.SetFileName(missing);
    EXPECT_EQ(PixelsOf(graphic.GetBitmap()), (std::vector<TColor32>{0xFFFFFFFF, 0xFF000000}));

    // The file appears now, but the name is cached with the fallback picture.
    WriteBmp(missing, {{kRed}});
    KGraphic second;
    second.SetFileName(missing);
    EXPECT_EQ(PixelsOf(second.GetBitmap()), (std::vector<TColor32>{0xFFFFFFFF, 0xFF000000}));
    EXPECT_EQ(&GetMedia(MediaList, missing), &GetMedia(MediaList, MediaBaseDir + "\\Data\\noimage.bmp"));
}

TEST_F(SkinPicture, WithoutAFallbackPictureTheResultIsEmpty) {
    KMediaList list;
    TBitmap32& picture = GetMedia(list, scratch / "nothing.bmp");
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(list.Count(), 2u);  // the fallback name and the failed name
    EXPECT_EQ(&GetMedia(list, scratch / "nothing.bmp"), &picture);
    EXPECT_EQ(&GetMedia(list, ""), &picture);

    graphic.SetFileName(scratch / "nothing.bmp");
    graphic.SetAlphaMode(gaCornerColor);
    EXPECT_TRUE(graphic.GetBitmap().Empty());
}

TEST_F(SkinPicture, CornerColourBecomesExactlyTransparentGreen) {
    WriteBmp(scratch / "skin.bmp", {{kRed, kWhite}, {kWhite, kRed}, {kRed, kMagenta}});
    graphic.SetFileName(scratch / "skin.bmp");
    graphic.SetAlphaMode(gaCornerColor);
    EXPECT_EQ(PixelsOf(graphic.GetBitmap()),
              (std::vector<TColor32>{0x0000FF00, 0xFFFFFFFF, 0xFFFFFFFF, 0x0000FF00, 0x0000FF00, 0xFFFF00FF}));
}

TEST_F(SkinPicture, IntensityModesTakeBrightnessFromThePictureOrTheMask) {
    WriteBmp(scratch / "skin.bmp", {{kWhite, kRed}});
    WriteBmp(scratch / "mask.bmp", {{kBlack, kWhite}});
    graphic.SetFileName(scratch / "skin.bmp");
    graphic.SetAlphaMode(gaSelfIntensity);
    EXPECT_EQ(PixelsOf(graphic.GetBitmap()),
              (std::vector<TColor32>{0xFFFFFFFF, uint32_t(Intensity(0xFF0000)) << 24 | 0xFF0000}));
    graphic.SetMaskFileName(scratch / "mask.bmp");
    graphic.SetAlphaMode(gaMaskIntensity);
    EXPECT_EQ(PixelsOf(graphic.GetBitmap()), (std::vector<TColor32>{0x00FFFFFF, 0xFFFF0000}));
}

TEST_F(SkinPicture, UnknownModesKeepTheLoadedAlpha) {
    WriteBmp(scratch / "alpha.bmp", {{0x80123456, 0x00ABCDEF}}, 32);
    graphic.SetFileName(scratch / "alpha.bmp");
    graphic.SetAlphaMode(TGraphicAlphaMode(7));
    EXPECT_EQ(PixelsOf(graphic.GetBitmap()), (std::vector<TColor32>{0x80123456, 0x00ABCDEF}));
    graphic.SetAlphaMode(gaOpaque);
    EXPECT_EQ(PixelsOf(graphic.GetBitmap()), (std::vector<TColor32>{0xFF123456, 0xFFABCDEF}));
}

TEST(PictureLoader, ChoosesTheDecoderByExtension) {
    TBitmap32 b;
    b.LoadFromFile(std::string(KEL_TEST_PICTURES) + "/quarters.jpg");
    EXPECT_FALSE(b.Empty());
    EXPECT_EQ(AlphaOf(b.GetPixel(0, 0)), 255);
    ScratchFolder scratch;
    WriteFile(scratch / "picture.xyz", "BM");
    EXPECT_EQ(MessageOf([&] { LoadPictureFile(scratch / "picture.xyz"); }), "Unknown picture file extension (.xyz)");
    WriteFile(scratch / "broken.BMP", "BM");
    EXPECT_THROW(LoadPictureFile(scratch / "broken.BMP"), EInvalidGraphic);
    EXPECT_THROW(LoadPictureFile(scratch / "absent.bmp"), EFOpenError);
}
