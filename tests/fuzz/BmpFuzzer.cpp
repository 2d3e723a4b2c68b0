// libFuzzer target of the BMP decoder: the input is a whole .bmp file image.
// EInvalidGraphic is expected; crashes, sanitizer reports and a picture that
// does not match its own size or opacity are not.
#include <cstdint>

#include "skin/BmpDecoder.h"
#include "tests/fuzz/PictureCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        CheckPicture("bmp_fuzzer", DecodeBmp(data, size));
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
