#pragma once
// Reads the compressed entries of an archive whole: the entry's data is read
// into memory in one piece and inflated in one call. An entry's data ends
// where the next entry's data, the entry table or the trailer begins.
#include <cstdint>
#include <memory>
#include <vector>

#include "archive/ArchiveFormat.h"
#include "archive/WholeInflater.h"
#include "platform/Stream.h"

class TWholeEntryReader {
public:
    // Entries larger than this are left to the piece-by-piece reader, which
    // needs no memory in proportion to them.
    static constexpr int32_t MaxWholeEntry = 64 << 20;

    explicit TWholeEntryReader(TCodecLibrary library);

    // Learns where each entry's data ends: from the entries' data offsets,
    // the table's offset and the archive's size.
    void Learn(const std::vector<TArchiveEntry>& entries, int64_t tableOffset, int64_t archiveSize);

    // Reads and inflates a compressed entry from the archive; true when its
    // stream gave exactly the entry's size, which Data() then holds. False
    // for a stored entry, an empty or overlarge one, and any stream that
    // gives other bytes than extraction piece by piece would (it may stand at
    // any position then).
    bool Read(TStream& archive, const TArchiveEntry& entry);
    const uint8_t* Data() const { return data_.data(); }

private:
    int64_t DataEndOf(int64_t offset) const;

    std::unique_ptr<TWholeInflater> inflater_;
    std::vector<int64_t> boundaries_;  // sorted: data offsets, table offset, trailer
    std::vector<uint8_t> packed_;
    std::vector<uint8_t> data_;
};
