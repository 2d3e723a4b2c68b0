#pragma once
// The libraries that can make and read the archive's zlib streams. Both give
// streams that zlib's inflate, which the setup uses, reads.
#include <cstdint>

enum class TCodecLibrary : uint8_t {
    Zlib,        // everywhere
    Libdeflate,  // faster whole-buffer compression and decompression; native builds that have it
};

// Whether this build holds libdeflate.
constexpr bool HasLibdeflate() {
#ifdef KEL_HAVE_LIBDEFLATE
    return true;
#else
    return false;
#endif
}

// The fastest library this build holds.
constexpr TCodecLibrary FastestCodecLibrary() { return HasLibdeflate() ? TCodecLibrary::Libdeflate : TCodecLibrary::Zlib; }
