#pragma once
// Decodes a whole .bmp file image in memory: the "BM" file header, an info
// header of 12 to 124 bytes, 1 to 32 bits per pixel, uncompressed, RLE8, RLE4
// or bit fields, bottom-up or top-down.
#include <cstddef>
#include <cstdint>

#include "platform/DecodedPicture.h"

// Raises EInvalidGraphic when the data is not a BMP file image we can decode,
// is corrupt or truncated; never reads outside data[0..size).
TDecodedPicture DecodeBmp(const uint8_t* data, size_t size);
