#pragma once
// JPEG pictures decoded in memory through libjpeg (native builds; Windows
// builds load JPEG through the system's picture object instead).
#include <cstddef>
#include <cstdint>

#include "platform/DecodedPicture.h"

// Decodes a whole JPEG file held in memory: greyscale, YCbCr/RGB and
// CMYK/YCCK pictures, baseline or progressive, to opaque pixels (HasAlpha
// false). Raises EInvalidGraphic with the decoder's message on corrupt or
// truncated data, unsupported kinds of JPEG and pictures above the size limits.
TDecodedPicture DecodeJpeg(const uint8_t* data, size_t size);
