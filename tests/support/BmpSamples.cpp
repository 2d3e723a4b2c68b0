#include "tests/support/BmpSamples.h"

#include "tests/support/BmpBuilder.h"

namespace {

// width x height values of a pattern that changes along both axes.
std::vector<std::vector<uint32_t>> Pattern(int width, int height, uint32_t modulo, uint32_t scale = 1) {
    std::vector<std::vector<uint32_t>> rows(height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) rows[y].push_back((uint32_t(x * 7 + y * 3) % modulo) * scale);
    return rows;
}

std::vector<uint32_t> Grey(int count) {
    std::vector<uint32_t> palette;
    for (int i = 0; i < count; ++i) palette.push_back(0x010101u * uint32_t(i * 255 / (count > 1 ? count - 1 : 1)) ^ uint32_t(i) << 16);
    return palette;
}

BmpBuilder Indexed(uint32_t headerSize, int bits, int width, int height) {
    BmpBuilder b;
    b.HeaderSize = headerSize;
    b.Width = width;
    b.Height = height;
    b.BitCount = uint16_t(bits);
    b.Palette = Grey(1 << bits);
    b.Pixels = PackRows(Pattern(width, height < 0 ? -height : height, 1u << bits), bits);
    return b;
}

BmpBuilder Direct(uint32_t headerSize, int bits, uint32_t compression, std::vector<uint32_t> masks) {
    BmpBuilder b;
    b.HeaderSize = headerSize;
    b.Width = 5;
    b.Height = 3;
    b.BitCount = uint16_t(bits);
    b.Compression = compression;
    b.Masks = std::move(masks);
    b.Pixels = PackRows(Pattern(5, 3, 0xFFFF, bits == 16 ? 0x1111 : 0x01020304), bits);
    if (bits == 24)
        for (char& c : b.Pixels) c = char(c * 5 + 1);
    return b;
}

BmpBuilder Rle(int bits, std::string stream) {
    BmpBuilder b;
    b.Width = 7;
    b.Height = 4;
    b.BitCount = uint16_t(bits);
    b.Compression = bits == 8 ? 1 : 2;
    b.Palette = Grey(bits == 8 ? 20 : 16);
    b.Pixels = std::move(stream);
    return b;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> BmpSamples() {
    const std::vector<uint32_t> rgb565{0xF800, 0x07E0, 0x001F};
    const std::vector<uint32_t> argb{0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    BmpBuilder shortPalette = Indexed(40, 8, 6, 2);
    shortPalette.Palette.resize(4);
    BmpBuilder zeroOffset = Indexed(40, 4, 5, 3);
    zeroOffset.PixelOffset = 0;
    return {
        {"core-1.bmp", Indexed(12, 1, 9, 3).Build()},
        {"core-4.bmp", Indexed(12, 4, 3, 2).Build()},
        {"core-24.bmp", Direct(12, 24, 0, {}).Build()},
        {"info-1.bmp", Indexed(40, 1, 33, 2).Build()},
        {"info-4.bmp", Indexed(40, 4, 5, 3).Build()},
        {"info-8.bmp", Indexed(40, 8, 3, 3).Build()},
        {"info-8-top-down.bmp", Indexed(40, 8, 3, -3).Build()},
        {"info-8-short-palette.bmp", shortPalette.Build()},
        {"info-4-zero-offset.bmp", zeroOffset.Build()},
        {"info-16.bmp", Direct(40, 16, 0, {}).Build()},
        {"info-16-565.bmp", Direct(40, 16, 3, rgb565).Build()},
        {"info-24.bmp", Direct(40, 24, 0, {}).Build()},
        {"info-32.bmp", Direct(40, 32, 0, {}).Build()},
        {"info-32-bitfields.bmp", Direct(40, 32, 3, {0x000000FF, 0x0000FF00, 0x00FF0000}).Build()},
        {"info-32-alpha-bitfields.bmp", Direct(40, 32, 6, argb).Build()},
        {"v2-52-16.bmp", Direct(52, 16, 3, rgb565).Build()},
        {"v3-56-32.bmp", Direct(56, 32, 3, {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000}).Build()},
        {"v4-108-16.bmp", Direct(108, 16, 3, {0x0F00, 0x00F0, 0x000F, 0xF000}).Build()},
        {"v4-108-32.bmp", Direct(108, 32, 3, argb).Build()},
        {"v5-124-24.bmp", Direct(124, 24, 0, {}).Build()},
        {"v5-124-32.bmp", Direct(124, 32, 6, argb).Build()},
        {"rle8.bmp", Rle(8, std::string("\x03\x05\x00\x03\x01\x02\x03\x00\x01\x07\x00\x00"
                                         "\x00\x02\x02\x01\x02\x09\x00\x00\x07\x13\x00\x01", 24)).Build()},
        {"rle4.bmp", Rle(4, std::string("\x04\x12\x00\x03\x34\x50\x00\x00"
                                         "\x00\x05\x12\x34\x50\x00\x01\xF0\x00\x02\x01\x01"
                                         "\x00\x00\x03\xAB\x00\x01", 26)).Build()},
    };
}
