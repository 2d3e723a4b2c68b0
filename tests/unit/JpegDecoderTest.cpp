// JPEG decoding through libjpeg: sizes and colours of real files, and every
// kind of broken input ending in EInvalidGraphic rather than a crash or a
// half-grey picture.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "skin/Color32.h"
#include "tests/support/PictureChecks.h"
#include "skin/JpegDecoder.h"
#include "tests/support/ScratchFolder.h"

namespace {

using TBytes = std::vector<uint8_t>;

TBytes Picture(const std::string& name) {
    const std::string bytes = ReadFile(std::string(KEL_TEST_PICTURES) + "\\" + name);
    return TBytes(bytes.begin(), bytes.end());
}

TDecodedPicture Decode(const TBytes& bytes) { return DecodeJpeg(bytes.data(), bytes.size()); }

// The message of the EInvalidGraphic the decoder raises, or "" if it decodes.
std::string FailureOf(const TBytes& bytes) {
    try {
        Decode(bytes);
    } catch (const EInvalidGraphic& e) {
        return e.Message();
    }
    return "";
}

// Offset of the size fields in the first start-of-frame marker.
size_t FrameSizeOffset(const TBytes& bytes) {
    for (size_t i = 2; i + 9 < bytes.size(); ++i)
        if (bytes[i] == 0xFF && (bytes[i + 1] == 0xC0 || bytes[i + 1] == 0xC2)) return i + 5;
    ADD_FAILURE() << "no start-of-frame marker";
    return 0;
}

TBytes WithFrameSize(TBytes bytes, uint16_t width, uint16_t height) {
    const size_t at = FrameSizeOffset(bytes);
    bytes[at] = uint8_t(height >> 8);
    bytes[at + 1] = uint8_t(height);
    bytes[at + 2] = uint8_t(width >> 8);
    bytes[at + 3] = uint8_t(width);
    return bytes;
}

}  // namespace

TEST(JpegDecoder, ColourPicturesInEveryEncodingDecodeToTheirQuarters) {
    // Baseline with subsampled colour, progressive, and CMYK with an Adobe marker.
    for (const char* name : {"quarters.jpg", "quarters-progressive.jpg", "quarters-cmyk.jpg"}) {
        SCOPED_TRACE(name);
        const TDecodedPicture picture = Decode(Picture(name));
        ASSERT_EQ(picture.Width, 40);
        ASSERT_EQ(picture.Height, 30);
        EXPECT_FALSE(picture.HasAlpha);
        ASSERT_EQ(picture.Pixels.size(), 40u * 30u);
        EXPECT_TRUE(Near(At(picture, 5, 4), MakeColor32(255, 0, 0)));
        EXPECT_TRUE(Near(At(picture, 34, 4), MakeColor32(0, 255, 0)));
        EXPECT_TRUE(Near(At(picture, 5, 25), MakeColor32(0, 0, 255)));
        EXPECT_TRUE(Near(At(picture, 34, 25), MakeColor32(255, 255, 0)));
        for (const uint32_t pixel : picture.Pixels) ASSERT_EQ(AlphaOf(pixel), 255);
    }
}

TEST(JpegDecoder, GreyPictureBecomesOpaqueGrey) {
    const TDecodedPicture picture = Decode(Picture("grey.jpg"));
    ASSERT_EQ(picture.Width, 24);
    ASSERT_EQ(picture.Height, 16);
    EXPECT_FALSE(picture.HasAlpha);
    for (const uint32_t pixel : picture.Pixels) {
        ASSERT_EQ(AlphaOf(pixel), 255);
        ASSERT_EQ(RedOf(pixel), GreenOf(pixel));
        ASSERT_EQ(RedOf(pixel), BlueOf(pixel));
    }
    EXPECT_TRUE(Near(At(picture, 3, 8), MakeColor32(64, 64, 64), 8));
    EXPECT_TRUE(Near(At(picture, 20, 8), MakeColor32(191, 191, 191), 8));
}

TEST(JpegDecoder, TruncatedFileIsAnErrorNotAGreyPicture) {
    for (const char* name : {"quarters.jpg", "quarters-progressive.jpg"}) {
        SCOPED_TRACE(name);
        TBytes bytes = Picture(name);
        const size_t full = bytes.size();
        for (const size_t size : {full * 2 / 3, full - 2}) {  // in the scan data; only the end marker missing
            bytes.resize(size);
            EXPECT_EQ(FailureOf(bytes), "Cannot decode the JPEG picture: Premature end of input file") << size;
        }
    }
}

TEST(JpegDecoder, EveryPrefixFailsCleanlyAndOnlyTheWholeFileDecodes) {
    for (const char* name : {"tiny.jpg", "quarters-progressive.jpg"}) {
        SCOPED_TRACE(name);
        const TBytes bytes = Picture(name);
        for (size_t size = 0; size < bytes.size(); ++size) {
            const TBytes prefix(bytes.begin(), bytes.begin() + size);
            EXPECT_NE(FailureOf(prefix), "") << size;
        }
        EXPECT_EQ(FailureOf(bytes), "");
    }
}

TEST(JpegDecoder, DamagedBytesDecodeOrFailButNeverCrash) {
    const TBytes original = Picture("tiny.jpg");
    for (size_t i = 0; i < original.size(); ++i) {
        for (const uint8_t mask : {uint8_t{0xFF}, uint8_t{0x10}}) {
            TBytes bytes = original;
            bytes[i] ^= mask;
            try {
                const TDecodedPicture picture = Decode(bytes);
                ASSERT_EQ(picture.Pixels.size(), size_t(picture.Width) * size_t(picture.Height)) << i;
            } catch (const EInvalidGraphic&) {
            }
        }
    }
}

TEST(JpegDecoder, NonJpegInputIsRefused) {
    const std::string png = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR";
    const TBytes cases[] = {
        {},
        TBytes{0xFF, 0xD8},
        TBytes{0xFF, 0xD8, 0xFF, 0xD9},  // start and end, nothing between
        TBytes(png.begin(), png.end()),
        TBytes(300, 0xFF),
    };
    for (const TBytes& bytes : cases) EXPECT_NE(FailureOf(bytes), "") << bytes.size();
    EXPECT_EQ(FailureOf({}), "Cannot decode the JPEG picture: the file is empty");
    EXPECT_NE(FailureOf(TBytes(png.begin(), png.end())).find("Not a JPEG file"), std::string::npos);
}

TEST(JpegDecoder, OversizedPicturesAreRefusedBeforeDecoding) {
    const TBytes bytes = Picture("quarters.jpg");
    EXPECT_EQ(FailureOf(WithFrameSize(bytes, 40000, 8)),
              "Cannot decode the JPEG picture: the picture is too large (40000 x 8 pixels)");
    EXPECT_EQ(FailureOf(WithFrameSize(bytes, 16384, 16384)),
              "Cannot decode the JPEG picture: the picture is too large (16384 x 16384 pixels)");
    // Within the caps, the scan data ends long before 400 x 300 pixels are
    // filled; the decoder meets the end marker instead of making up the rest.
    EXPECT_EQ(FailureOf(WithFrameSize(bytes, 400, 300)),
              "Cannot decode the JPEG picture: Corrupt JPEG data: premature end of data segment");
}
