// libFuzzer target of the JPEG decoder: the input is a whole .jpg file image.
// EInvalidGraphic is expected; crashes, sanitizer reports and a picture that
// does not match its own size or is not opaque are not.
#include <cstdint>

#include "skin/JpegDecoder.h"
#include "tests/fuzz/PictureCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        CheckPicture("jpeg_fuzzer", DecodeJpeg(data, size));
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
