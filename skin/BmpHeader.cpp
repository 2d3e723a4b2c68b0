#include "skin/BmpHeader.h"

#include <string>

#include "skin/ByteReader.h"

namespace {

constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t InfoHeaderSize = 40;

// The info header's fields, whichever of its sizes the file uses.
struct TInfoFields {
    uint32_t HeaderSize = 0;
    int64_t Width = 0;
    int64_t Height = 0;  // negative: top-down
    int BitCount = 0;
    uint32_t Compression = 0;
    uint32_t ColorsUsed = 0;
    uint32_t Masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    int MasksInHeader = 0;

    bool IsCore() const { return HeaderSize == CoreHeaderSize; }
};

const char* const TruncatedHeader = "The BMP file is truncated inside its header";

bool IsKnownInfoSize(uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// The file header: "BM", file size, two reserved words, offset of the pixels.
uint32_t ReadFileHeader(TByteReader& in) {
    if (in.Remaining() < 2) throw EInvalidGraphic("Not a BMP file: it is too short");
    const uint8_t* magic = in.Bytes(2);
    if (magic[0] != 'B' || magic[1] != 'M') throw EInvalidGraphic("Not a BMP file: the signature is not \"BM\"");
    in.Skip(8);
    return in.U32();
}

TInfoFields ReadCoreHeader(TByteReader& in) {
    TInfoFields f;
    f.HeaderSize = CoreHeaderSize;
    f.Width = in.U16();
    f.Height = in.U16();
    in.Skip(2);  // planes
    f.BitCount = in.U16();
    return f;
}

TInfoFields ReadInfoHeader(TByteReader& in, uint32_t headerSize) {
    TInfoFields f;
    f.HeaderSize = headerSize;
    f.Width = in.I32();
    f.Height = in.I32();
    in.Skip(2);  // planes
    f.BitCount = in.U16();
    f.Compression = in.U32();
    in.Skip(12);  // image size, resolution
    f.ColorsUsed = in.U32();
    in.Skip(4);  // important colours
    f.MasksInHeader = headerSize == 52 ? 3 : headerSize > 52 ? 4 : 0;
    for (int i = 0; i < f.MasksInHeader; ++i) f.Masks[i] = in.U32();
    in.Skip(headerSize - InfoHeaderSize - 4 * uint32_t(f.MasksInHeader));
    return f;
}

TInfoFields ReadAnyInfoHeader(TByteReader& in) {
    const uint32_t headerSize = in.U32();
    if (headerSize == CoreHeaderSize) return ReadCoreHeader(in);
    if (!IsKnownInfoSize(headerSize))
        throw EInvalidGraphic("Unsupported BMP header size " + std::to_string(headerSize));
    return ReadInfoHeader(in, headerSize);
}

void CheckDimensions(const TInfoFields& f) {
    const int64_t height = f.Height < 0 ? -f.Height : f.Height;
    const std::string size = std::to_string(f.Width) + " x " + std::to_string(f.Height);
    if (f.Width <= 0 || height == 0) throw EInvalidGraphic("The BMP picture has no pixels (" + size + ")");
    if (!PictureSizeAllowed(f.Width, height))
        throw EInvalidGraphic("The BMP picture is too large (" + size + ")");
}

bool FitsBitCount(TBmpCompression compression, int bitCount) {
    switch (compression) {
    case TBmpCompression::None: return true;
    case TBmpCompression::Rle8: return bitCount == 8;
    case TBmpCompression::Rle4: return bitCount == 4;
    case TBmpCompression::BitFields:
    case TBmpCompression::AlphaBitFields: return bitCount == 16 || bitCount == 32;
    }
    return false;
}

TBmpCompression CheckFormat(const TInfoFields& f) {
    const int bits = f.BitCount;
    const bool known = f.IsCore() ? bits == 1 || bits == 4 || bits == 8 || bits == 24
                                  : bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (!known) throw EInvalidGraphic("Unsupported BMP bit count " + std::to_string(bits));
    const uint32_t c = f.Compression;
    if (c != 0 && c != 1 && c != 2 && c != 3 && c != 6)
        throw EInvalidGraphic("Unsupported BMP compression " + std::to_string(c));
    const auto compression = TBmpCompression(c);
    if (!FitsBitCount(compression, bits))
        throw EInvalidGraphic("BMP compression " + std::to_string(c) + " does not fit " + std::to_string(bits) +
                              " bits per pixel");
    return compression;
}

// Masks of bit-field pictures follow a 40-byte header; the longer headers hold them.
void ReadMasksAfterHeader(TByteReader& in, TInfoFields& f, TBmpCompression compression) {
    if (f.MasksInHeader > 0) return;
    const int count = compression == TBmpCompression::AlphaBitFields ? 4 : 3;
    for (int i = 0; i < count; ++i) f.Masks[i] = in.U32();
}

TBmpMasks MasksOf(const TInfoFields& f, bool useFileMasks) {
    uint32_t m[4] = {0, 0, 0, 0};
    if (useFileMasks) {
        for (int i = 0; i < 4; ++i) m[i] = f.Masks[i];
    } else if (f.BitCount == 16) {
        m[0] = 0x7C00, m[1] = 0x03E0, m[2] = 0x001F;
    } else {
        m[0] = 0x00FF0000, m[1] = 0x0000FF00, m[2] = 0x000000FF, m[3] = 0xFF000000;
    }
    if (f.BitCount != 32) m[3] = 0;  // only 32-bit pictures carry alpha
    return {TChannelMask::Of(m[0]), TChannelMask::Of(m[1]), TChannelMask::Of(m[2]), TChannelMask::Of(m[3])};
}

// Entries the palette declares: "colours used", 0 meaning all that the bit count can index.
uint64_t DeclaredPaletteEntries(const TInfoFields& f) {
    if (f.BitCount > 8) return f.IsCore() ? 0 : f.ColorsUsed;
    return f.ColorsUsed == 0 ? uint64_t(1) << f.BitCount : f.ColorsUsed;
}

// The file header's offset when it points between the palette's start and
// the end of the file; directly after the declared palette when it points
// into the headers (0 included), which no writer means.
size_t ChoosePixelOffset(uint32_t declared, size_t paletteStart, uint64_t paletteBytes, size_t fileSize) {
    if (declared > fileSize) throw EInvalidGraphic("The BMP pixel data would start beyond the end of the file");
    if (declared >= paletteStart) return declared;
    const uint64_t natural = uint64_t(paletteStart) + paletteBytes;
    if (natural > fileSize) throw EInvalidGraphic("The BMP file is truncated inside its palette");
    return size_t(natural);
}

// Reads the palette entries that lie before the pixel data; indices beyond
// them decode as black.
std::vector<TColor32> ReadPalette(TByteReader& in, const TInfoFields& f, uint64_t declared, size_t pixelOffset) {
    std::vector<TColor32> palette;
    if (f.BitCount > 8) return palette;
    const size_t entrySize = f.IsCore() ? 3 : 4;
    uint64_t count = declared < (uint64_t(1) << f.BitCount) ? declared : uint64_t(1) << f.BitCount;
    const uint64_t room = (pixelOffset - in.Position()) / entrySize;
    if (count > room) count = room;
    palette.reserve(size_t(count));
    for (uint64_t i = 0; i < count; ++i) {
        const uint8_t* bgr = in.Bytes(entrySize);
        palette.push_back(MakeColor32(bgr[2], bgr[1], bgr[0]));
    }
    return palette;
}

}  // namespace

TChannelMask TChannelMask::Of(uint32_t mask) {
    TChannelMask channel;
    channel.Mask = mask;
    if (mask == 0) return channel;
    while (!(mask >> channel.Shift & 1)) ++channel.Shift;
    channel.Max = mask >> channel.Shift;
    return channel;
}

uint8_t TChannelMask::Extract(uint32_t pixel) const {
    if (Max == 0) return 0;
    const uint64_t value = (pixel & Mask) >> Shift;
    return uint8_t((value * 255 + Max / 2) / Max);
}

TBmpHeader ReadBmpHeader(const uint8_t* data, size_t size) {
    TByteReader in(data, size, TruncatedHeader);
    const uint32_t declaredOffset = ReadFileHeader(in);
    TInfoFields f = ReadAnyInfoHeader(in);
    CheckDimensions(f);
    const TBmpCompression compression = CheckFormat(f);

    TBmpHeader h;
    h.Width = int32_t(f.Width);
    h.Height = int32_t(f.Height < 0 ? -f.Height : f.Height);
    h.TopDown = f.Height < 0;
    h.BitCount = f.BitCount;
    h.Compression = compression;
    if (h.UsesMasks()) ReadMasksAfterHeader(in, f, compression);
    h.Masks = MasksOf(f, h.UsesMasks());

    const uint64_t entries = DeclaredPaletteEntries(f);
    const uint64_t paletteBytes = entries * (f.IsCore() ? 3 : 4);
    h.PixelOffset = ChoosePixelOffset(declaredOffset, in.Position(), paletteBytes, size);
    h.Palette = ReadPalette(in, f, entries, h.PixelOffset);
    return h;
}
