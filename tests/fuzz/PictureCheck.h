#pragma once
// What every decoded picture must satisfy, for the picture decoders' fuzz
// targets: a size with pixels, as many pixels as the size says, and opaque
// pixels unless the picture carries alpha.
#include <cstdio>
#include <cstdlib>

#include "platform/DecodedPicture.h"
#include "skin/Color32.h"

[[noreturn]] inline void FatalPicture(const char* fuzzer, const char* message) {
    std::fprintf(stderr, "==%s== %s\n", fuzzer, message);
    std::fflush(stderr);
    std::abort();
}

inline void CheckPicture(const char* fuzzer, const TDecodedPicture& picture) {
    if (picture.Width <= 0 || picture.Height <= 0) FatalPicture(fuzzer, "a decoded picture without pixels");
    if (picture.Pixels.size() != size_t(picture.Width) * size_t(picture.Height))
        FatalPicture(fuzzer, "pixel count differs from the size");
    if (picture.HasAlpha) return;
    for (const uint32_t pixel : picture.Pixels)
        if (AlphaOf(pixel) != 255) FatalPicture(fuzzer, "a picture without alpha has a pixel that is not opaque");
}
