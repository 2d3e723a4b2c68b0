// Pictures loaded through the system's picture object under Wine: each
// format comes out at its natural size with its colours, and files that are
// missing or not pictures raise EInvalidGraphic naming the file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/PictureFile.h"
#include "skin/Color32.h"
#include "tests/support/PictureChecks.h"
#include "tests/support/ScratchFolder.h"

namespace {

std::string Picture(const std::string& name) { return std::string(KEL_TEST_PICTURES) + "\\" + name; }

std::string FailureOf(const std::string& fileName) {
    try {
        platform::DecodePictureFile(fileName);
    } catch (const EInvalidGraphic& e) {
        return e.Message();
    }
    return "";
}

constexpr uint32_t Red = MakeColor32(255, 0, 0), Lime = MakeColor32(0, 255, 0), Blue = MakeColor32(0, 0, 255),
                   Yellow = MakeColor32(255, 255, 0), White = MakeColor32(255, 255, 255);

struct TCase {
    const char* Name;
    int Width, Height;
    uint32_t BottomRight;
    bool Lossy;
};

// The colour of the quarter that (x, y) lies in.
uint32_t QuarterAt(const TCase& c, int x, int y) {
    const bool right = x >= c.Width / 2, bottom = y >= c.Height / 2;
    return bottom ? (right ? c.BottomRight : Blue) : (right ? Lime : Red);
}

}  // namespace

// Sizes assume the screen's 96 pixels per inch, Wine's default: the metafiles
// are 40 x 30 and 48 x 36 pixels at that resolution. Lossless pictures must
// come out exactly, pixel for pixel; JPEG only near the middle of each quarter.
TEST(PictureFile, EveryFormatDrawsItsQuartersAtItsNaturalSize) {
    const TCase cases[] = {
        {"quarters.jpg", 40, 30, Yellow, true},
        {"quarters-progressive.jpg", 40, 30, Yellow, true},
        {"quarters.gif", 40, 30, Yellow, false},
        {"quarters.ico", 32, 32, White, false},  // a transparent quarter shows the white background
        {"quarters.wmf", 40, 30, Yellow, false},
        {"quarters.emf", 48, 36, Yellow, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TDecodedPicture picture = platform::DecodePictureFile(Picture(c.Name));
        ASSERT_EQ(picture.Width, c.Width);
        ASSERT_EQ(picture.Height, c.Height);
        EXPECT_FALSE(picture.HasAlpha);
        ASSERT_EQ(picture.Pixels.size(), size_t(c.Width) * size_t(c.Height));
        if (c.Lossy) {
            for (const int y : {c.Height / 4, c.Height * 3 / 4})
                for (const int x : {c.Width / 4, c.Width * 3 / 4})
                    EXPECT_TRUE(Near(At(picture, x, y), QuarterAt(c, x, y), 24)) << x << "," << y;
        } else {
            for (int y = 0; y < c.Height; ++y)
                for (int x = 0; x < c.Width; ++x)
                    ASSERT_TRUE(Near(At(picture, x, y), QuarterAt(c, x, y), 0)) << x << "," << y;
        }
        for (const uint32_t pixel : picture.Pixels) ASSERT_EQ(AlphaOf(pixel), 255);
    }
}

TEST(PictureFile, MissingAndNonPictureFilesRaiseNamingTheFile) {
    ScratchFolder scratch;
    const std::string missing = scratch / "missing.jpg";
    EXPECT_EQ(FailureOf(missing), "Cannot load the picture file " + missing + ": the file cannot be opened");

    const std::string empty = scratch / "empty.jpg";
    WriteFile(empty, "");
    EXPECT_EQ(FailureOf(empty), "Cannot load the picture file " + empty + ": the file is empty");

    const std::string garbage = scratch / "garbage.jpg";
    std::string bytes;
    for (int i = 0; i < 4000; ++i) bytes += char((i * 7919) % 251);
    WriteFile(garbage, bytes);
    const std::string text = scratch / "notes.gif";
    WriteFile(text, "This is not a picture at all, just some words in a file.\r\n");
    for (const std::string& name : {garbage, text}) {
        const std::string message = FailureOf(name);
        EXPECT_EQ(message.rfind("Cannot load the picture file " + name + ": ", 0), 0u) << message;
    }
}
