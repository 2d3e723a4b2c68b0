#include "skin/BmpRows.h"

namespace {

// Palette indices are packed from the most significant bit of each byte.
void DecodeIndexedRow(const TBmpHeader& h, const uint8_t* row, TColor32* out) {
    const unsigned bits = unsigned(h.BitCount);
    const unsigned valueMask = (1u << bits) - 1;
    for (int32_t x = 0; x < h.Width; ++x) {
        const uint64_t bit = uint64_t(x) * bits;
        const unsigned shift = 8 - bits - unsigned(bit % 8);
        out[x] = h.ColorAt(row[bit / 8] >> shift & valueMask);
    }
}

uint32_t ReadLittleEndian(const uint8_t* p, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
    return value;
}

TColor32 ColorOfMasked(const TBmpMasks& m, uint32_t pixel) {
    const uint8_t alpha = m.Alpha.Max ? m.Alpha.Extract(pixel) : 255;
    return MakeColor32(m.Red.Extract(pixel), m.Green.Extract(pixel), m.Blue.Extract(pixel), alpha);
}

void DecodeMaskedRow(const TBmpHeader& h, const uint8_t* row, TColor32* out) {
    const int bytes = h.BitCount / 8;
    for (int32_t x = 0; x < h.Width; ++x) out[x] = ColorOfMasked(h.Masks, ReadLittleEndian(row + size_t(x) * bytes, bytes));
}

// A channel of a whole byte of the pixel needs no widening: the byte is the value.
bool IsWholeByte(const TChannelMask& channel) { return channel.Max == 255 && channel.Shift % 8 == 0; }

// The usual 24- and 32-bit layouts: each channel a byte of the pixel, read
// straight from the row, many times faster than extracting and widening each.
bool HasByteChannels(const TBmpHeader& h) {
    const TBmpMasks& m = h.Masks;
    const bool colours = IsWholeByte(m.Red) && IsWholeByte(m.Green) && IsWholeByte(m.Blue);
    return (h.BitCount == 24 || h.BitCount == 32) && colours && (m.Alpha.Max == 0 || IsWholeByte(m.Alpha));
}

void DecodeByteChannelRow(const TBmpHeader& h, const uint8_t* row, TColor32* out) {
    const TBmpMasks& m = h.Masks;
    const size_t bytes = size_t(h.BitCount / 8);
    const int red = m.Red.Shift / 8, green = m.Green.Shift / 8, blue = m.Blue.Shift / 8;
    const int alpha = m.Alpha.Max ? m.Alpha.Shift / 8 : -1;
    for (int32_t x = 0; x < h.Width; ++x, row += bytes)
        out[x] = MakeColor32(row[red], row[green], row[blue], alpha < 0 ? 255 : row[alpha]);
}

}  // namespace

uint64_t UncompressedDataSize(const TBmpHeader& h) {
    const uint64_t lastRow = (uint64_t(h.Width) * uint64_t(h.BitCount) + 7) / 8;
    return h.RowStride() * uint64_t(h.Height - 1) + lastRow;
}

void DecodeUncompressedRows(const TBmpHeader& h, const uint8_t* data, std::vector<uint32_t>& pixels) {
    const size_t stride = size_t(h.RowStride());
    const bool byteChannels = HasByteChannels(h);
    for (int32_t fileRow = 0; fileRow < h.Height; ++fileRow) {
        const uint8_t* row = data + size_t(fileRow) * stride;
        TColor32* out = pixels.data() + size_t(h.OutputRow(fileRow)) * size_t(h.Width);
        if (h.BitCount <= 8)
            DecodeIndexedRow(h, row, out);
        else if (byteChannels)
            DecodeByteChannelRow(h, row, out);
        else
            DecodeMaskedRow(h, row, out);
    }
}
