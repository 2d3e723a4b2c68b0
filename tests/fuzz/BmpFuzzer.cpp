// libFuzzer target of the BMP decoder: the input is a whole .bmp file image.
// EInvalidGraphic is expected; crashes, sanitizer reports and a picture that
// does not match its own size or opacity are not.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "skin/BmpDecoder.h"
#include "skin/Color32.h"

namespace {

[[noreturn]] void Fatal(const char* message) {
    std::fprintf(stderr, "==bmp_fuzzer== %s\n", message);
    std::fflush(stderr);
    std::abort();
}

void CheckPicture(const TDecodedPicture& picture) {
    if (picture.Width <= 0 || picture.Height <= 0) Fatal("a decoded picture without pixels");
    if (picture.Pixels.size() != size_t(picture.Width) * size_t(picture.Height)) Fatal("pixel count differs from the size");
    if (picture.HasAlpha) return;
    for (const uint32_t pixel : picture.Pixels)
        if (AlphaOf(pixel) != 255) Fatal("a picture without alpha has a pixel that is not opaque");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        CheckPicture(DecodeBmp(data, size));
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
