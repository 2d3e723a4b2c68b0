#pragma once
// TEntryReader gives the bytes of a payload archive's entries to its caller
// piece by piece, any entry in any order, from one handle on the archive
// file, so that the setup decompresses each product file straight into its
// place. Every entry is checked as it is read: its size, its CRC-32 and, in
// an archive with entry digests, its SHA-256. Memory stays bounded whatever
// the entries' sizes: compressed entries up to MaxWholeEntry are inflated
// whole in one call, larger ones stream through the read block.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive/ArchiveFormat.h"
#include "archive/Sha256.h"

class TFileStream;
class TReadAheadStream;
class TWholeEntryReader;
class TZLBArchive;

class TEntryReader {
public:
    // Compressed entries up to this size are inflated whole, which is faster
    // than streaming them; the two buffers that takes stay below 9 MB.
    static constexpr int32_t MaxWholeEntry = 4 << 20;
    // The archive is read in blocks of this size.
    static constexpr int32_t ReadBlockSize = 256 << 10;

    // Opens the archive file for reading, others may not write to it, to
    // read the entries its table gave. Raises "Unable to open file (NAME)"
    // when it cannot be opened, "The archive file appears to be corrupted"
    // when it holds no trailer.
    TEntryReader(const std::string& archiveFile, std::vector<TArchiveEntry> entries);
    // The entries of an open archive, from its file.
    explicit TEntryReader(const TZLBArchive& archive);
    ~TEntryReader();
    TEntryReader(const TEntryReader&) = delete;
    TEntryReader& operator=(const TEntryReader&) = delete;

    int Count() const { return static_cast<int>(entries_.size()); }
    // Whether the archive's table holds each entry's SHA-256.
    bool HasEntryDigests() const { return hasEntryDigests_; }
    // The digest that ties the archive to its setup (ArchiveDigestOf): of
    // its table and trailer when it has entry digests, else of the whole file.
    TSha256Digest ArchiveDigest();

    // Starts reading entry index from its first byte; raises "Index out of
    // bounds" for an index the archive lacks.
    void Start(int index);
    // Copies the entry's next bytes into buffer, up to count; 0 once all are
    // given, when no entry is started and for a count of 0. The call that
    // gives the last bytes checks the entry. Raises "File (N) is corrupt"
    // when its bytes are not the ones the table describes, its stream is
    // damaged or its data lies outside the file; the entry is then ended.
    int32_t Read(uint8_t* buffer, int32_t count);

private:
    class TInflation;
    enum class TSource : uint8_t { None, Stored, Whole, Stream };

    void Open(const std::string& archiveFile);
    [[noreturn]] void Corrupt();
    void Deliver(uint8_t* buffer, int32_t count);
    void ReadStored(uint8_t* buffer, int32_t count);
    int32_t Inflate(uint8_t* buffer, int32_t count);
    void Finish();

    std::vector<TArchiveEntry> entries_;
    std::unique_ptr<TFileStream> file_;
    std::unique_ptr<TReadAheadStream> input_;
    std::unique_ptr<TWholeEntryReader> whole_;
    std::unique_ptr<TInflation> inflation_;
    int64_t dataEnd_ = 0;  // where the trailer starts: no entry's data lies beyond
    bool hasEntryDigests_ = false;

    // The entry being read.
    int index_ = -1;
    TSource source_ = TSource::None;
    int64_t given_ = 0;
    int64_t position_ = 0;  // of its stored bytes, or of its stream's input still to inflate
    uint32_t crc_ = 0;
    std::optional<TSha256> sha_;
};
