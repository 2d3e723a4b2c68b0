#pragma once
// Builds .bmp file images byte by byte for tests and fuzz seeds, independently
// of the decoder, with every header field open to damage.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct BmpBuilder {
    uint32_t HeaderSize = 40;              // 12 writes the core header
    int32_t Width = 1;
    int32_t Height = 1;                    // as stored: negative for top-down rows
    uint16_t BitCount = 24;
    uint32_t Compression = 0;
    std::vector<uint32_t> Palette;         // 0x00RRGGBB; 3 bytes each in a core file
    std::optional<uint32_t> ColorsUsed;    // default: the palette's size
    std::vector<uint32_t> Masks;           // red, green, blue[, alpha]: inside headers of 52+ bytes, else after the header
    std::string Pixels;                    // the pixel data as stored
    std::optional<uint32_t> PixelOffset;   // default: where the pixel data is put

    std::string Build() const;
};

// Rows of values, each row packed and padded to 4 bytes: values of fewer than
// 8 bits from the most significant bit of each byte, wider ones little-endian.
std::string PackRows(const std::vector<std::vector<uint32_t>>& rows, int bits);

// Writes a width x height picture of one colour (0x00RRGGBB) whose four
// corner pixels are magenta, the skins' transparent colour.
void WriteCornerPicture(const std::string& path, int32_t width, int32_t height, uint32_t color);

// Writes a picture of 24 or 32 bits with the given rows of colours, top row first.
void WriteBmp(const std::string& path, const std::vector<std::vector<uint32_t>>& rows, uint16_t bits = 24);
