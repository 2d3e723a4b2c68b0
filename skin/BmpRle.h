#pragma once
// Run-length encoded BMP pixel data (8 and 4 bits per pixel): encoded runs,
// absolute runs padded to 16 bits, and the escapes end of line, end of
// bitmap and delta. Rows are counted from the first one in the file. Pixels
// of a run that reach past the end of their row are dropped.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/BmpHeader.h"

// Walks the stream without writing anything; raises EInvalidGraphic when it
// is truncated, lacks its end-of-bitmap mark or runs off the picture. Lets a
// caller refuse a bad stream before allocating the picture.
void CheckRleStream(const TBmpHeader& header, const uint8_t* data, size_t size);

// Decodes the stream into pixels (Width x Height, top row first), which the
// caller has filled with opaque black: pixels the stream skips stay black.
void DecodeRleStream(const TBmpHeader& header, const uint8_t* data, size_t size, std::vector<uint32_t>& pixels);
