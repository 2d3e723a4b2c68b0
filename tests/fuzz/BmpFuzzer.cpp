// libFuzzer target of the BMP decoder: the input is a whole .bmp file image.
// EInvalidGraphic is expected; crashes, sanitizer reports and a picture that
// does not match its own size or opacity are not.
#include <cstdint>

#include "skin/BmpDecoder.h"
#include "skin/BmpHeader.h"
#include "tests/fuzz/PictureCheck.h"

namespace {

// A run-length stream of a few bytes may stand for a picture of the largest
// allowed size, which takes seconds to fill and check. Such a header is
// still read, but only pictures up to this many pixels are decoded (the
// widest and the tallest allowed sides included).
constexpr uint64_t MaxDecodedPixels = uint64_t{1} << 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const TBmpHeader header = ReadBmpHeader(data, size);
        if (uint64_t(header.Width) * uint64_t(header.Height) > MaxDecodedPixels) return 0;
        CheckPicture("bmp_fuzzer", DecodeBmp(data, size));
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
