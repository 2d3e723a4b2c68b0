#pragma once
// Compresses whole buffers into zlib streams with zlib or libdeflate. Both
// give streams that zlib's inflate reads; libdeflate is several times faster
// at the same level and knows higher levels that give smaller streams.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "archive/CodecLibrary.h"

class TDeflater {
public:
    virtual ~TDeflater() = default;
    // The length of the zlib stream of the bytes when it fits in room bytes,
    // which it then holds; 0 when it does not fit.
    virtual size_t Compress(const uint8_t* in, size_t size, uint8_t* out, size_t room) = 0;
};

// A deflater of the library at level 1 to MaxDeflateLevel(library); raises
// Exception when it cannot be set up. Libdeflate falls back to zlib in a
// build without it.
std::unique_ptr<TDeflater> NewDeflater(TCodecLibrary library, int level);

// The highest level the library knows: 9 for zlib, 12 for libdeflate.
int MaxDeflateLevel(TCodecLibrary library);

// The length of the longest zlib stream of size bytes at any level of either library.
size_t DeflateBound(size_t size);
