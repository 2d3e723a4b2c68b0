#include "skin/BmpRle.h"

#include "skin/ByteReader.h"

namespace {

// One pass over the stream; with no pixel buffer it only checks.
class TRleDecoder {
public:
    TRleDecoder(const TBmpHeader& header, const uint8_t* data, size_t size, TColor32* pixels)
        : h_(header), in_(data, size, "The BMP RLE data is truncated"), pixels_(pixels) {}

    void Run() {
        for (;;) {
            if (in_.Remaining() == 0) throw EInvalidGraphic("The BMP RLE data ends without an end-of-bitmap mark");
            const uint8_t count = in_.U8();
            const uint8_t value = in_.U8();
            if (count > 0)
                EncodedRun(count, value);
            else if (value == 0)
                EndOfLine();
            else if (value == 1)
                return;
            else if (value == 2)
                Delta();
            else
                AbsoluteRun(value);
        }
    }

private:
    bool IsRle4() const { return h_.Compression == TBmpCompression::Rle4; }

    // Where the next count pixels of the current row go, and how many of them
    // fit: pixels past the row's end are dropped, since some writers encode
    // the row padding too. None go to a row past the last.
    struct TSpan {
        TColor32* Out;
        unsigned Count;
    };
    TSpan ClaimPixels(unsigned count) {
        if (y_ >= h_.Height) throw EInvalidGraphic("The BMP RLE data runs past the last row");
        const unsigned room = unsigned(h_.Width - x_);
        const unsigned fitting = count < room ? count : room;
        TColor32* out = pixels_ ? pixels_ + size_t(h_.OutputRow(y_)) * size_t(h_.Width) + size_t(x_) : nullptr;
        x_ += int32_t(fitting);
        return {out, fitting};
    }

    // RLE8 repeats the value; RLE4 alternates its high and low nibble.
    void EncodedRun(unsigned count, uint8_t value) {
        const TSpan span = ClaimPixels(count);
        if (!span.Out) return;
        const TColor32 first = h_.ColorAt(IsRle4() ? value >> 4 : value);
        const TColor32 second = h_.ColorAt(IsRle4() ? value & 0x0F : value);
        for (unsigned i = 0; i < span.Count; ++i) span.Out[i] = i % 2 == 0 ? first : second;
    }

    // count literal pixels, one per byte (RLE8) or nibble (RLE4), padded to an even byte count.
    void AbsoluteRun(unsigned count) {
        const size_t bytes = IsRle4() ? (count + 1) / 2 : count;
        const uint8_t* literal = in_.Bytes(bytes);
        if (bytes % 2) in_.Skip(1);
        const TSpan span = ClaimPixels(count);
        if (!span.Out) return;
        for (unsigned i = 0; i < span.Count; ++i) {
            const unsigned index = IsRle4() ? (i % 2 == 0 ? literal[i / 2] >> 4 : literal[i / 2] & 0x0F) : literal[i];
            span.Out[i] = h_.ColorAt(index);
        }
    }

    void EndOfLine() {
        if (y_ >= h_.Height) throw EInvalidGraphic("The BMP RLE data runs past the last row");
        x_ = 0;
        ++y_;
    }

    void Delta() {
        const uint8_t right = in_.U8();
        const uint8_t up = in_.U8();
        if (right > h_.Width - x_ || up > h_.Height - y_) throw EInvalidGraphic("A BMP RLE delta moves off the picture");
        x_ += right;
        y_ += up;
    }

    const TBmpHeader& h_;
    TByteReader in_;
    TColor32* pixels_;
    int32_t x_ = 0;
    int32_t y_ = 0;  // counted from the first row in the file
};

}  // namespace

void CheckRleStream(const TBmpHeader& header, const uint8_t* data, size_t size) {
    TRleDecoder(header, data, size, nullptr).Run();
}

void DecodeRleStream(const TBmpHeader& header, const uint8_t* data, size_t size, std::vector<uint32_t>& pixels) {
    TRleDecoder(header, data, size, pixels.data()).Run();
}
