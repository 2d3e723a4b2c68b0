#pragma once
// JPEG pictures decoded in memory through libjpeg (native builds; Windows
// builds load JPEG through the system's picture object instead).
#include <cstddef>
#include <cstdint>

#include "platform/DecodedPicture.h"

// Decodes a whole JPEG file held in memory: greyscale, YCbCr/RGB and
// CMYK/YCCK pictures, baseline or progressive, to opaque pixels (HasAlpha
// false). Raises EInvalidGraphic with the decoder's message on corrupt or
// truncated data, unsupported kinds of JPEG and pictures above the size cap.
TDecodedPicture DecodeJpeg(const uint8_t* data, size_t size);

// The largest picture DecodeJpeg accepts, checked before any pixel memory
// is taken: each side at most this many pixels ...
constexpr uint32_t MaxJpegSide = 32768;
// ... and at most this many pixels in all (512 MiB of 32-bit pixels).
constexpr uint64_t MaxJpegPixels = uint64_t{1} << 27;
