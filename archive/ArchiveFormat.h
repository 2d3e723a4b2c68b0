#pragma once
// The on-disk records of a payload archive: the 36-byte trailer at the end of
// the file and the 532-byte entry records of its table. All integers are
// little-endian; names are short strings (a length byte and up to 255 bytes).
#include <cstdint>
#include <string>

constexpr int32_t ArchiveTrailerSize = 36;
constexpr int32_t ArchiveEntrySize = 532;
constexpr int32_t MaxShortString = 255;

struct TArchiveTrailer {
    uint32_t ArchiveCRC = 0;      // CRC-32 of every byte before the trailer
    int32_t FileCount = 0;        // 0 or less: no entries
    uint32_t Reserved1 = 0;       // not read
    uint32_t Reserved2 = 0;       // not read
    int32_t TableOffset = 0;      // where the entry table starts
    uint8_t TableCompressed = 0;  // 0: records as is; else one zlib stream

    static TArchiveTrailer Decode(const uint8_t* bytes);
    void Encode(uint8_t* bytes) const;
};

struct TArchiveEntry {
    std::string FileName;   // the bare file name
    std::string FilePath;   // folder relative to the extraction folder
    int32_t FileSize = 0;
    uint32_t Reserved = 0;  // not read
    int32_t DataOffset = 0;
    uint32_t FileCRC = 0;
    uint8_t Stored = 0;     // 0: zlib stream; else the bytes as is

    bool IsStored() const { return Stored != 0; }

    static TArchiveEntry Decode(const uint8_t* bytes);
    // Names longer than 255 bytes are cut; the writer refuses them first.
    void Encode(uint8_t* bytes) const;
};
