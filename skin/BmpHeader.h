#pragma once
// The headers of a .bmp file image: the 14-byte file header, the info header
// (12, 40, 52, 56, 108 or 124 bytes), the colour masks and the palette, read
// and checked so that the pixel decoders can trust every field.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/Color32.h"

enum class TBmpCompression : uint32_t { None = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

// Where one colour channel sits in a 16- or 32-bit pixel, and how to widen it to 0..255.
struct TChannelMask {
    uint32_t Mask = 0;
    int Shift = 0;     // position of the lowest set bit
    uint32_t Max = 0;  // the largest value the channel can hold; 0: no channel

    static TChannelMask Of(uint32_t mask);
    uint8_t Extract(uint32_t pixel) const;
};

struct TBmpMasks {
    TChannelMask Red, Green, Blue, Alpha;
};

struct TBmpHeader {
    int32_t Width = 0;
    int32_t Height = 0;    // always positive
    bool TopDown = false;  // the first row in the file is the top row
    int BitCount = 0;
    TBmpCompression Compression = TBmpCompression::None;
    TBmpMasks Masks;                  // 16 and 32 bits
    std::vector<TColor32> Palette;    // 1, 4 and 8 bits; opaque colours
    size_t PixelOffset = 0;           // where the pixel data starts in the file

    bool UsesMasks() const {
        return Compression == TBmpCompression::BitFields || Compression == TBmpCompression::AlphaBitFields;
    }
    // The palette colour of an index; black for indices beyond the palette.
    TColor32 ColorAt(unsigned index) const { return index < Palette.size() ? Palette[index] : clBlack32; }
    // The output row (top row 0) of the row stored at position fileRow.
    int32_t OutputRow(int32_t fileRow) const { return TopDown ? fileRow : Height - 1 - fileRow; }
    bool IsRle() const { return Compression == TBmpCompression::Rle8 || Compression == TBmpCompression::Rle4; }
    // Bytes of one stored row of uncompressed pixels, padded to 4 bytes.
    uint64_t RowStride() const { return (uint64_t(Width) * uint64_t(BitCount) + 31) / 32 * 4; }
};

// Reads and checks the headers of the file image data[0..size).
// Raises EInvalidGraphic when they are corrupt, truncated or unsupported.
TBmpHeader ReadBmpHeader(const uint8_t* data, size_t size);
