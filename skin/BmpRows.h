#pragma once
// Uncompressed BMP pixel data: rows padded to 4 bytes, palette indices of
// 1, 4 or 8 bits, or 16-, 24- and 32-bit pixels split into channels by masks.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/BmpHeader.h"

// Bytes the pixel data must hold: every row with its padding, except that the
// last row's padding may be missing (it is never read).
uint64_t UncompressedDataSize(const TBmpHeader& header);

// Converts the rows into pixels (Width x Height, top row first).
// data holds at least UncompressedDataSize(header) bytes.
void DecodeUncompressedRows(const TBmpHeader& header, const uint8_t* data, std::vector<uint32_t>& pixels);
