#include "skin/BmpDecoder.h"

#include <new>
#include <string>

#include "skin/BmpHeader.h"
#include "skin/BmpRle.h"
#include "skin/BmpRows.h"

namespace {

// The picture filled with opaque black; a failed allocation is a picture we cannot load.
TDecodedPicture BlankPicture(const TBmpHeader& h) {
    TDecodedPicture picture;
    picture.Width = h.Width;
    picture.Height = h.Height;
    picture.HasAlpha = h.BitCount == 32;
    try {
        picture.Pixels.assign(size_t(h.Width) * size_t(h.Height), clBlack32);
    } catch (const std::bad_alloc&) {
        throw EInvalidGraphic("Not enough memory for a BMP picture of " + std::to_string(h.Width) + " x " +
                              std::to_string(h.Height) + " pixels");
    }
    return picture;
}

}  // namespace

TDecodedPicture DecodeBmp(const uint8_t* data, size_t size) {
    const TBmpHeader h = ReadBmpHeader(data, size);
    const uint8_t* pixelData = data + h.PixelOffset;
    const size_t available = size - h.PixelOffset;
    if (h.IsRle()) {
        CheckRleStream(h, pixelData, available);
        TDecodedPicture picture = BlankPicture(h);
        DecodeRleStream(h, pixelData, available, picture.Pixels);
        return picture;
    }
    if (UncompressedDataSize(h) > available) throw EInvalidGraphic("The BMP pixel data is truncated");
    TDecodedPicture picture = BlankPicture(h);
    DecodeUncompressedRows(h, pixelData, picture.Pixels);
    return picture;
}
