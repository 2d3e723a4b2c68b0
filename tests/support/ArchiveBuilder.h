#pragma once
// Builds payload archives byte by byte for tests, independently of kelpack's
// writer, with knobs for every way an archive can be damaged.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct BuilderEntry {
    std::string Name;
    std::string Path;
    std::string Data;
    bool Stored = false;
    std::optional<int64_t> FileSize;    // declared size; default: Data's size
    std::optional<int64_t> DataOffset;  // default: where the data was put
    std::optional<uint32_t> FileCRC;    // default: CRC of Data
    std::optional<std::string> Sha256;  // the 32 bytes of its digest; default: SHA-256 of Data
};

class ArchiveBuilder {
public:
    BuilderEntry& Add(const std::string& name, const std::string& data, const std::string& path = "",
                      bool stored = false);

    bool CompressTable = false;
    bool TableFirst = false;                 // put the table before the data blocks
    std::optional<int32_t> FileCount;        // default: number of entries
    std::optional<int64_t> TableOffset;      // default: where the table was put
    std::optional<uint32_t> ArchiveCRC;      // default: the correct CRC
    bool NamesInUtf8 = false;                // tag the names as UTF-8 rather than Windows-1252
    bool EntryDigests = false;               // the table holds each entry's SHA-256, under the tag "SHA2"
    std::optional<uint32_t> TableCRC;        // with digests; default: the CRC from the table's offset to the trailer
    bool Wide = false;                       // 64-bit sizes and offsets, under the tag "SZ64"
    int64_t Gap = 0;                         // zero bytes before the data blocks, a hole in the written file

    // The whole archive; with a Gap, its bytes too.
    std::string Build() const;
    // Writes the archive, its Gap as a hole that takes no room on disk.
    void WriteTo(const std::string& fileName) const;

    static std::string Deflate(const std::string& data);
    static uint32_t Crc(const std::string& data);
    static std::string Sha256(const std::string& data);

private:
    struct Parts {
        std::string Head, Tail;  // the archive is Head, Gap zero bytes, Tail
    };
    Parts BuildParts() const;

    std::vector<BuilderEntry> entries_;
};

// Deterministic test data: compressible text or incompressible bytes.
std::string TextData(size_t size, unsigned seed = 1);
std::string NoiseData(size_t size, unsigned seed = 1);
