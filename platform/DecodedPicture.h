#pragma once
// A picture file decoded into plain pixels, whatever its format was.
#include <cstdint>
#include <vector>

#include "platform/Exception.h"

struct TDecodedPicture {
    int32_t Width = 0;
    int32_t Height = 0;
    // True when the file gave every pixel a fourth byte (32-bit pictures):
    // that byte is kept as alpha. Otherwise the pixels are made opaque.
    bool HasAlpha = false;
    // Width x Height pixels 0xAARRGGBB, top row first, no padding.
    std::vector<uint32_t> Pixels;
};

// A picture file that cannot be decoded: unknown format, corrupt or truncated data.
class EInvalidGraphic : public Exception { using Exception::Exception; };
