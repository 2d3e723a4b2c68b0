#pragma once
// The on-disk records of a payload archive: the 36-byte trailer at the end of
// the file and the 532-byte entry records of its table. All integers are
// little-endian; names are short strings (a length byte and up to 255 bytes),
// in Windows-1252 unless the trailer marks them as UTF-8.
//
// A table with entry digests holds the records, then the SHA-256 of each
// entry's bytes (32 bytes each, in entry order); readers that know only the
// records stop after them. Its trailer carries the tag "SHA2" and the CRC-32
// of the table as stored, so that the table can be trusted, and through it
// every entry, without reading the whole file.
//
// An archive whose sizes or offsets do not fit in signed 32 bits has a wide
// table: its trailer carries the
// tag "SZ64" in bytes 12 to 15 and the table offset's upper 32 bits in
// bytes 8 to 11, and each record gains 8 bytes, the upper 32 bits of the
// size and then of the data offset. Every other archive keeps the 532-byte
// records and signed 32-bit fields that older readers know.
#include <cstdint>
#include <optional>
#include <string>

#include "archive/Sha256.h"

constexpr int32_t ArchiveTrailerSize = 36;
constexpr int32_t ArchiveEntrySize = 532;
constexpr int32_t WideArchiveEntrySize = ArchiveEntrySize + 8;
constexpr int32_t ArchiveDigestSize = 32;
constexpr int32_t MaxShortString = 255;

struct TArchiveTrailer {
    uint32_t ArchiveCRC = 0;      // CRC-32 of every byte before the trailer
    int32_t FileCount = 0;        // 0 or less: no entries
    int64_t TableOffset = 0;      // where the entry table starts
    uint8_t TableCompressed = 0;  // 0: records as is; else one zlib stream
    // The names are UTF-8: the tag "UTF8" in bytes 24 to 27, which writers
    // that know only Windows-1252 names leave zero and older readers skip.
    bool NamesInUtf8 = false;
    // The table holds each entry's SHA-256 after the records: the tag "SHA2"
    // in bytes 28 to 31, the table's CRC-32 in bytes 32 to 35.
    bool HasEntryDigests = false;
    uint32_t TableCRC = 0;  // CRC-32 of the table's bytes as stored, TableOffset up to the trailer
    // Offsets and sizes are 64-bit: the tag "SZ64", and records of WideArchiveEntrySize bytes.
    bool Wide = false;

    int32_t EntrySize() const { return Wide ? WideArchiveEntrySize : ArchiveEntrySize; }
    // The bytes of the table's content: each record, and each digest when there are digests.
    int64_t TableContentSize() const;

    static TArchiveTrailer Decode(const uint8_t* bytes);
    void Encode(uint8_t* bytes) const;
};

struct TArchiveEntry {
    std::string FileName;   // the bare file name
    std::string FilePath;   // folder relative to the extraction folder
    int64_t FileSize = 0;
    uint32_t Reserved = 0;  // not read
    int64_t DataOffset = 0;
    uint32_t FileCRC = 0;
    uint8_t Stored = 0;     // 0: zlib stream; else the bytes as is
    std::optional<TSha256Digest> Sha256;  // of the entry's bytes, from a table with digests

    bool IsStored() const { return Stored != 0; }

    // The record's bytes, wide or not; the names as stored.
    static TArchiveEntry Decode(const uint8_t* bytes, bool wide = false);
    // Names longer than 255 bytes are cut; the writer refuses them first.
    // A record that is not wide holds the lower 32 bits of size and offset.
    void Encode(uint8_t* bytes, bool wide = false) const;
};

// Names as stored in an archive (Windows-1252, or UTF-8 under the trailer's
// tag) made UTF-8; false when a name under the tag is not UTF-8.
bool DecodeEntryNames(TArchiveEntry& entry, bool namesInUtf8);
