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

// The largest picture file read and the largest picture decoded, checked
// before memory is taken, so that a small damaged file cannot demand gigabytes.
constexpr int64_t kMaxPictureFileSize = int64_t{256} << 20;
constexpr int64_t kMaxPictureSide = 32768;
constexpr uint64_t kMaxPicturePixels = uint64_t{1} << 27;  // 512 MiB of 32-bit pixels

constexpr bool PictureSizeAllowed(int64_t width, int64_t height) {
    return width <= kMaxPictureSide && height <= kMaxPictureSide &&
           uint64_t(width) * uint64_t(height) <= kMaxPicturePixels;
}

// A picture file that cannot be decoded: unknown format, corrupt or truncated data.
class EInvalidGraphic : public Exception { using Exception::Exception; };
