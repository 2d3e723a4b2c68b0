// The BMP decoder on files built byte by byte: every depth and compression,
// row order and padding, palettes and masks, and damaged or truncated files.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "skin/BmpDecoder.h"
#include "skin/Color32.h"
#include "tests/support/BmpBuilder.h"
#include "tests/support/BmpSamples.h"

namespace {

using Rows = std::vector<std::vector<uint32_t>>;
using Pixels = std::vector<uint32_t>;

// Decodes from a buffer of exactly the file's size, so the sanitizers see any read past it.
TDecodedPicture Decode(const std::string& file) {
    const std::vector<uint8_t> bytes(file.begin(), file.end());
    return DecodeBmp(bytes.data(), bytes.size());
}
TDecodedPicture Decode(const BmpBuilder& bmp) { return Decode(bmp.Build()); }

std::string ErrorOf(const std::string& file) {
    try {
        Decode(file);
    } catch (const EInvalidGraphic& error) {
        return error.Message();
    }
    return "(decoded)";
}
std::string ErrorOf(const BmpBuilder& bmp) { return ErrorOf(bmp.Build()); }

std::vector<uint32_t> DistinctPalette(int count) {
    std::vector<uint32_t> palette;
    for (int i = 0; i < count; ++i) palette.push_back(0x102030u + 0x030507u * uint32_t(i));
    return palette;
}

// The expected pixels of rows stored bottom-up: last stored row first, looked up in the palette.
Pixels BottomUpColors(const Rows& stored, const std::vector<uint32_t>& palette) {
    Pixels pixels;
    for (auto row = stored.rbegin(); row != stored.rend(); ++row)
        for (uint32_t index : *row) pixels.push_back(index < palette.size() ? 0xFF000000 | palette[index] : clBlack32);
    return pixels;
}

BmpBuilder IndexedBmp(int bits, const Rows& stored, std::vector<uint32_t> palette) {
    BmpBuilder bmp;
    bmp.BitCount = uint16_t(bits);
    bmp.Width = int32_t(stored[0].size());
    bmp.Height = int32_t(stored.size());
    bmp.Palette = std::move(palette);
    bmp.Pixels = PackRows(stored, bits);
    return bmp;
}

BmpBuilder DirectBmp(int bits, const Rows& stored, uint32_t compression = 0, std::vector<uint32_t> masks = {}) {
    BmpBuilder bmp = IndexedBmp(bits, stored, {});
    bmp.Compression = compression;
    bmp.Masks = std::move(masks);
    return bmp;
}

Rows PatternRows(int width, int height, uint32_t modulo) {
    Rows rows(height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) rows[y].push_back(uint32_t(x * 5 + y * 3) % modulo);
    return rows;
}

}  // namespace

TEST(BmpIndexed, EveryDepthUnpacksFromTheHighBitAndSkipsRowPadding) {
    for (const int bits : {1, 4, 8}) {
        const Rows stored = PatternRows(bits == 1 ? 13 : bits == 4 ? 7 : 5, 3, 1u << bits);
        const auto palette = DistinctPalette(1 << bits);
        BmpBuilder bmp = IndexedBmp(bits, stored, palette);
        bmp.ColorsUsed = 0;  // all that the bit count can index
        const TDecodedPicture picture = Decode(bmp);
        EXPECT_EQ(picture.Width, bmp.Width);
        EXPECT_EQ(picture.Height, 3);
        EXPECT_FALSE(picture.HasAlpha);
        EXPECT_EQ(picture.Pixels, BottomUpColors(stored, palette)) << bits << " bits";
    }
}

TEST(BmpIndexed, NegativeHeightStoresTheTopRowFirst) {
    const Rows stored = PatternRows(3, 4, 256);
    const auto palette = DistinctPalette(256);
    BmpBuilder bmp = IndexedBmp(8, stored, palette);
    bmp.Height = -4;
    const TDecodedPicture picture = Decode(bmp);
    EXPECT_EQ(picture.Height, 4);
    EXPECT_EQ(picture.Pixels, BottomUpColors(Rows(stored.rbegin(), stored.rend()), palette));
}

TEST(BmpIndexed, IndicesBeyondThePaletteAreBlack) {
    const Rows stored{{0, 1, 2, 3, 4, 255}};
    const auto palette = DistinctPalette(3);
    EXPECT_EQ(Decode(IndexedBmp(8, stored, palette)).Pixels, BottomUpColors(stored, palette));

    // "Colours used" claims more entries than lie before the pixel data: the
    // pixel bytes must not be taken for palette entries.
    BmpBuilder claimsMore = IndexedBmp(8, stored, palette);
    claimsMore.ColorsUsed = 256;
    EXPECT_EQ(Decode(claimsMore).Pixels, BottomUpColors(stored, palette));
}

TEST(BmpIndexed, CoreHeaderHasSixteenBitSizesAndThreeBytePaletteEntries) {
    const Rows stored = PatternRows(5, 2, 16);
    const auto palette = DistinctPalette(16);
    BmpBuilder bmp = IndexedBmp(4, stored, palette);
    bmp.HeaderSize = 12;
    EXPECT_EQ(Decode(bmp).Pixels, BottomUpColors(stored, palette));

    BmpBuilder direct = DirectBmp(24, {{0x112233, 0x445566}});
    direct.HeaderSize = 12;
    EXPECT_EQ(Decode(direct).Pixels, (Pixels{0xFF112233, 0xFF445566}));
}

TEST(BmpDirect, TwentyFourBitIsOpaqueAndThirtyTwoBitKeepsItsFourthByte) {
    const TDecodedPicture rgb = Decode(DirectBmp(24, {{0x000000, 0x123456, 0xFFFFFF}, {0xFF0000, 0x00FF00, 0x0000FF}}));
    EXPECT_FALSE(rgb.HasAlpha);
    EXPECT_EQ(rgb.Pixels, (Pixels{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF000000, 0xFF123456, 0xFFFFFFFF}));

    const TDecodedPicture argb = Decode(DirectBmp(32, {{0x00123456, 0x80FFFFFF, 0xFF000000}}));
    EXPECT_TRUE(argb.HasAlpha);
    EXPECT_EQ(argb.Pixels, (Pixels{0x00123456, 0x80FFFFFF, 0xFF000000}));
}

TEST(BmpDirect, SixteenBitDefaultsToFiveFiveFiveScaledToFullRange) {
    const TDecodedPicture picture = Decode(DirectBmp(16, {{0x7FFF, 0x7C00, 0x03E0, 0x0001, 0x8000, 0x4210}}));
    EXPECT_FALSE(picture.HasAlpha);
    EXPECT_EQ(picture.Pixels, (Pixels{0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00, 0xFF000008, 0xFF000000, 0xFF848484}));
}

TEST(BmpDirect, SixteenBitFiveSixFiveThroughBitFieldsAfterOrInsideTheHeader) {
    const Rows stored{{0xF800, 0x07E0, 0x0020, 0x001F, 0x8410}};
    const Pixels expected{0xFFFF0000, 0xFF00FF00, 0xFF000400, 0xFF0000FF, 0xFF848284};
    BmpBuilder after = DirectBmp(16, stored, 3, {0xF800, 0x07E0, 0x001F});
    EXPECT_EQ(Decode(after).Pixels, expected);
    BmpBuilder inside = after;
    inside.HeaderSize = 52;
    EXPECT_EQ(Decode(inside).Pixels, expected);
}

TEST(BmpDirect, ThirtyTwoBitFieldsTakeAlphaOnlyFromAnAlphaMask) {
    const Rows stored{{0x11223344}};
    const std::vector<uint32_t> swapped{0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
    const TDecodedPicture noAlphaMask = Decode(DirectBmp(32, stored, 3, {swapped[0], swapped[1], swapped[2]}));
    EXPECT_TRUE(noAlphaMask.HasAlpha);
    EXPECT_EQ(noAlphaMask.Pixels, Pixels{0xFF443322});

    EXPECT_EQ(Decode(DirectBmp(32, stored, 6, swapped)).Pixels, Pixels{0x11443322});
    for (const uint32_t headerSize : {56u, 108u, 124u}) {
        BmpBuilder bmp = DirectBmp(32, stored, 3, swapped);
        bmp.HeaderSize = headerSize;
        EXPECT_EQ(Decode(bmp).Pixels, Pixels{0x11443322}) << headerSize;
    }
}

TEST(BmpDirect, NarrowChannelsAreScaledAndSixteenBitAlphaIsDropped) {
    // 2-bit alpha and 10-bit colours.
    BmpBuilder wide = DirectBmp(32, {{0x40000000 | 0x3FFu << 20 | 0x200u << 10 | 0x001, 0x80000000, 0xC0000000}}, 3,
                                {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000});
    wide.HeaderSize = 56;
    EXPECT_EQ(Decode(wide).Pixels, (Pixels{0x55FF8000, 0xAA000000, 0xFF000000}));

    BmpBuilder argb4444 = DirectBmp(16, {{0x08F0, 0x1000}}, 6, {0x0F00, 0x00F0, 0x000F, 0xF000});
    const TDecodedPicture picture = Decode(argb4444);
    EXPECT_FALSE(picture.HasAlpha);
    EXPECT_EQ(picture.Pixels, (Pixels{0xFF88FF00, 0xFF000000}));
}

TEST(BmpDirect, HeaderMasksAreIgnoredWithoutBitFieldsCompression) {
    BmpBuilder bmp = DirectBmp(32, {{0x80112233}}, 0, {0x000000FF, 0x0000FF00, 0x00FF0000, 0});
    bmp.HeaderSize = 124;
    EXPECT_EQ(Decode(bmp).Pixels, Pixels{0x80112233});
}

TEST(BmpPixelOffset, FileHeaderOffsetIsHonouredAndAnOffsetIntoTheHeadersFallsBack) {
    const Rows stored{{1, 2, 0}};
    const auto palette = DistinctPalette(3);
    const Pixels expected = BottomUpColors(stored, palette);
    const uint32_t natural = 14 + 40 + 3 * 4;

    BmpBuilder gap = IndexedBmp(8, stored, palette);
    gap.Pixels = "\x01\x01\x01\x01" + gap.Pixels;
    gap.PixelOffset = natural + 4;
    EXPECT_EQ(Decode(gap).Pixels, expected);

    for (const uint32_t bogus : {0u, 2u, 20u, natural - 1 - 3 * 4}) {
        BmpBuilder fallback = IndexedBmp(8, stored, palette);
        fallback.PixelOffset = bogus;
        EXPECT_EQ(Decode(fallback).Pixels, expected) << bogus;
    }

    BmpBuilder beyond = IndexedBmp(8, stored, palette);
    beyond.PixelOffset = natural + 5;
    EXPECT_EQ(ErrorOf(beyond), "The BMP pixel data would start beyond the end of the file");
    beyond.PixelOffset = natural + 2;
    EXPECT_EQ(ErrorOf(beyond), "The BMP pixel data is truncated");
}

TEST(BmpRle, Rle8RunsEscapesAndPaddedAbsoluteRuns) {
    BmpBuilder bmp = IndexedBmp(8, {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}}, DistinctPalette(4));
    bmp.Compression = 1;
    bmp.Pixels = std::string("\x02\x01"                  // two of 1
                             "\x00\x03\x02\x03\x01\x00"  // absolute 2 3 1 and its pad byte
                             "\x00\x00"                  // end of line
                             "\x01\x03"                  // one of 3
                             "\x00\x02\x02\x01"          // delta: 2 right, 1 up
                             "\x02\x02"                  // two of 2
                             "\x00\x01", 20);            // end of bitmap
    const uint32_t p1 = 0xFF000000 | DistinctPalette(4)[1], p2 = 0xFF000000 | DistinctPalette(4)[2],
                   p3 = 0xFF000000 | DistinctPalette(4)[3], k = clBlack32;
    const Pixels bottomUp{k, k, k, p2, p2, /**/ p3, k, k, k, k, /**/ p1, p1, p2, p3, p1};
    const TDecodedPicture picture = Decode(bmp);
    EXPECT_FALSE(picture.HasAlpha);
    EXPECT_EQ(picture.Pixels, bottomUp);

    bmp.Height = -3;
    const Pixels topDown{p1, p1, p2, p3, p1, /**/ p3, k, k, k, k, /**/ k, k, k, p2, p2};
    EXPECT_EQ(Decode(bmp).Pixels, topDown);
}

TEST(BmpRle, Rle4AlternatesNibblesAndPadsOddAbsoluteRuns) {
    const auto palette = DistinctPalette(16);
    BmpBuilder bmp = IndexedBmp(4, {{0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}}, palette);
    bmp.Compression = 2;
    bmp.Pixels = std::string("\x04\x12"                  // 1 2 1 2
                             "\x00\x03\x34\x50"          // absolute 3 4 5
                             "\x00\x00"                  // end of line
                             "\x00\x05\x67\x89\xA0\x00"  // absolute 6 7 8 9 10 and its pad byte
                             "\x01\xF0"                  // one of 15
                             "\x00\x01", 18);
    std::vector<uint32_t> c;
    for (uint32_t rgb : palette) c.push_back(0xFF000000 | rgb);
    EXPECT_EQ(Decode(bmp).Pixels,
              (Pixels{c[6], c[7], c[8], c[9], c[10], c[15], clBlack32, c[1], c[2], c[1], c[2], c[3], c[4], c[5]}));
}

// Some writers encode each row's padding too: what lies past the row's end is
// dropped instead of spilling into the next row.
TEST(BmpRle, RunsPastTheEndOfARowAreCutThere) {
    const auto palette = DistinctPalette(4);
    BmpBuilder bmp = IndexedBmp(8, {{0, 0, 0, 0}, {0, 0, 0, 0}}, palette);
    bmp.Compression = 1;
    bmp.Pixels = std::string("\x05\x01"          // five of 1 in a row of four
                             "\x00\x03\x02\x02\x02\x00"  // absolute run wholly past the end
                             "\x00\x00\x01\x03\x00\x01", 14);
    const uint32_t p1 = 0xFF000000 | palette[1], p3 = 0xFF000000 | palette[3], k = clBlack32;
    EXPECT_EQ(Decode(bmp).Pixels, (Pixels{p3, k, k, k, p1, p1, p1, p1}));
}

TEST(BmpRle, StreamsThatRunOffThePictureOrTheDataFail) {
    const struct {
        std::string Stream;
        std::string Message;
    } cases[] = {
        {std::string("\x00\x02\x05\x00\x00\x01", 6), "A BMP RLE delta moves off the picture"},
        {std::string("\x00\x02\x00\x03\x00\x01", 6), "A BMP RLE delta moves off the picture"},
        {std::string("\x00\x00\x00\x00\x01\x01\x00\x01", 8), "The BMP RLE data runs past the last row"},
        {std::string("\x00\x00\x00\x00\x00\x00\x00\x01", 8), "The BMP RLE data runs past the last row"},
        {std::string("\x02\x01", 2), "The BMP RLE data ends without an end-of-bitmap mark"},
        {std::string("", 0), "The BMP RLE data ends without an end-of-bitmap mark"},
        {std::string("\x02", 1), "The BMP RLE data is truncated"},
        {std::string("\x00\x03\x01\x01", 4), "The BMP RLE data is truncated"},
        {std::string("\x00\x03\x01\x01\x01", 5), "The BMP RLE data is truncated"},  // pad byte missing
        {std::string("\x00\x02\x01", 3), "The BMP RLE data is truncated"},
    };
    for (const auto& c : cases) {
        BmpBuilder bmp = IndexedBmp(8, {{0, 0, 0, 0}, {0, 0, 0, 0}}, DistinctPalette(2));
        bmp.Compression = 1;
        bmp.Pixels = c.Stream;
        EXPECT_EQ(ErrorOf(bmp), c.Message) << testing::PrintToString(c.Stream);
    }
}

TEST(BmpCorrupt, HeadersThatCannotBeDecodedAreRefusedWithAReason) {
    const struct {
        std::function<void(BmpBuilder&)> Damage;
        std::string Message;
    } cases[] = {
        {[](BmpBuilder& b) { b.HeaderSize = 64; }, "Unsupported BMP header size 64"},
        {[](BmpBuilder& b) { b.HeaderSize = 16; }, "Unsupported BMP header size 16"},
        {[](BmpBuilder& b) { b.BitCount = 2; }, "Unsupported BMP bit count 2"},
        {[](BmpBuilder& b) { b.BitCount = 0; }, "Unsupported BMP bit count 0"},
        {[](BmpBuilder& b) { b.Compression = 4; }, "Unsupported BMP compression 4"},
        {[](BmpBuilder& b) { b.Compression = 5; }, "Unsupported BMP compression 5"},
        {[](BmpBuilder& b) { b.Compression = 1; }, "BMP compression 1 does not fit 24 bits per pixel"},
        {[](BmpBuilder& b) { b.Compression = 3; }, "BMP compression 3 does not fit 24 bits per pixel"},
        {[](BmpBuilder& b) { b.HeaderSize = 12, b.BitCount = 32; }, "Unsupported BMP bit count 32"},
        {[](BmpBuilder& b) { b.Width = 0; }, "The BMP picture has no pixels (0 x 2)"},
        {[](BmpBuilder& b) { b.Width = -2; }, "The BMP picture has no pixels (-2 x 2)"},
        {[](BmpBuilder& b) { b.Height = 0; }, "The BMP picture has no pixels (2 x 0)"},
        {[](BmpBuilder& b) { b.Width = 32769; }, "The BMP picture is too large (32769 x 2)"},
        {[](BmpBuilder& b) { b.Height = INT32_MIN; }, "The BMP picture is too large (2 x -2147483648)"},
        {[](BmpBuilder& b) { b.Width = 32768, b.Height = -32768; }, "The BMP picture is too large (32768 x -32768)"},
        {[](BmpBuilder& b) { b.Width = 32768, b.Height = 4096; }, "The BMP pixel data is truncated"},
        {[](BmpBuilder& b) { b.Pixels.resize(b.Pixels.size() - 3); }, "The BMP pixel data is truncated"},
    };
    for (const auto& c : cases) {
        BmpBuilder bmp = DirectBmp(24, {{1, 2}, {3, 4}});
        c.Damage(bmp);
        EXPECT_EQ(ErrorOf(bmp), c.Message);
    }
    std::string file = DirectBmp(24, {{1}}).Build();
    file[1] = 'A';
    EXPECT_EQ(ErrorOf(file), "Not a BMP file: the signature is not \"BM\"");
    EXPECT_EQ(ErrorOf("B"), "Not a BMP file: it is too short");
    EXPECT_EQ(ErrorOf(DirectBmp(24, {{1}}).Build().substr(0, 30)), "The BMP file is truncated inside its header");
}

TEST(BmpCorrupt, TheLastRowMayLackItsPaddingButNoPixel) {
    BmpBuilder bmp = DirectBmp(24, {{0x010203}, {0x040506}});  // rows of 3 bytes and 1 pad byte
    bmp.Pixels.pop_back();
    EXPECT_EQ(Decode(bmp).Pixels, (Pixels{0xFF040506, 0xFF010203}));
    bmp.Pixels.pop_back();
    EXPECT_EQ(ErrorOf(bmp), "The BMP pixel data is truncated");
}

TEST(BmpCorrupt, EveryPrefixOfAValidFileDecodesCompletelyOrFails) {
    for (const auto& [name, file] : BmpSamples()) {
        const TDecodedPicture whole = Decode(file);
        ASSERT_EQ(whole.Pixels.size(), size_t(whole.Width) * size_t(whole.Height)) << name;
        if (!whole.HasAlpha) {
            for (uint32_t pixel : whole.Pixels) ASSERT_EQ(AlphaOf(pixel), 255) << name;
        }
        for (size_t length = 0; length < file.size(); ++length) {
            try {
                const TDecodedPicture prefix = Decode(file.substr(0, length));
                // Only missing padding after the last row may go unnoticed.
                EXPECT_GE(length + 3, file.size()) << name << " cut at " << length;
                EXPECT_EQ(prefix.Pixels, whole.Pixels) << name << " cut at " << length;
            } catch (const EInvalidGraphic&) {
            }
        }
    }
}

TEST(BmpCorrupt, DamagedBytesDecodeOrFailCleanly) {
    for (const auto& [name, file] : BmpSamples()) {
        for (size_t at = 0; at < file.size(); ++at) {
            for (const char value : {'\x00', '\x01', '\x03', '\x7F', '\x80', '\xFF'}) {
                std::string damaged = file;
                damaged[at] = value;
                try {
                    const TDecodedPicture picture = Decode(damaged);
                    ASSERT_EQ(picture.Pixels.size(), size_t(picture.Width) * size_t(picture.Height)) << name << " at " << at;
                } catch (const EInvalidGraphic&) {
                }
            }
        }
    }
}
