#pragma once
// The CRC-32 of the archive format by the fastest library of the build
// (libdeflate's folding one where the build has it, else zlib's): of the
// bytes alone, and of the bytes after those whose CRC is crc.
#include <cstddef>
#include <cstdint>

uint32_t Crc32After(uint32_t crc, const uint8_t* bytes, size_t count);
inline uint32_t FastCrc32(const uint8_t* bytes, size_t count) { return Crc32After(0, bytes, count); }
