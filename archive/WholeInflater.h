#pragma once
// Inflates a whole zlib stream held in memory in one call, which is several
// times faster than inflating it piece by piece from a stream.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "archive/CodecLibrary.h"

class TWholeInflater {
public:
    virtual ~TWholeInflater() = default;
    // True when the zlib stream at the start of in (anything may follow it)
    // ends after giving exactly outSize bytes, all written to out. False for
    // every other stream: a damaged one, or one that gives more or fewer bytes.
    virtual bool Inflate(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize) = 0;
};

// An inflater of the library; raises Exception when it cannot be set up.
// Libdeflate falls back to zlib in a build without it.
std::unique_ptr<TWholeInflater> NewWholeInflater(TCodecLibrary library);
