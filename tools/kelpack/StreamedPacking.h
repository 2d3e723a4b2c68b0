#pragma once
// Packs a large file without holding it in memory: it is read in blocks and
// deflated as one zlib stream (or stored, when its first block does not
// shrink), each block handed to the archive as it is made. The pack
// pipeline leaves files of StreamedFileBytes and more to this.
#include <cstdint>
#include <functional>
#include <string>

#include "archive/Sha256.h"

// Files of this size and more are streamed rather than read whole.
inline constexpr int64_t StreamedFileBytes = 64 << 20;

struct TStreamedFile {
    int64_t Size = 0;
    uint32_t CRC = 0;
    TSha256Digest Sha256{};
    bool Stored = true;
};

// Receives the entry's bytes as the archive stores them, in order.
using TPackedBytesSink = std::function<void(const uint8_t* bytes, size_t count)>;

// deflateLevel 0 stores the file; levels above zlib's highest, 9, deflate at 9.
// Raises Exception "Cannot read PATH" when the file cannot be read.
TStreamedFile PackStreamed(const std::string& path, int deflateLevel, const TPackedBytesSink& sink);
