#include "archive/WholeEntryReader.h"

#include <algorithm>

TWholeEntryReader::TWholeEntryReader(TCodecLibrary library) : inflater_(NewWholeInflater(library)) {}

void TWholeEntryReader::Learn(const std::vector<TArchiveEntry>& entries, int64_t tableOffset, int64_t archiveSize) {
    boundaries_.clear();
    boundaries_.reserve(entries.size() + 2);
    for (const TArchiveEntry& entry : entries) boundaries_.push_back(entry.DataOffset);
    boundaries_.push_back(tableOffset);
    boundaries_.push_back(archiveSize - ArchiveTrailerSize);
    std::sort(boundaries_.begin(), boundaries_.end());
}

int64_t TWholeEntryReader::DataEndOf(int64_t offset) const {
    const auto next = std::upper_bound(boundaries_.begin(), boundaries_.end(), offset);
    return next == boundaries_.end() ? offset : *next;
}

bool TWholeEntryReader::Read(TStream& archive, const TArchiveEntry& entry) {
    if (entry.IsStored() || entry.FileSize <= 0 || entry.FileSize > MaxWholeEntry || entry.DataOffset < 0) return false;
    // Deflate never grows data by more than a few bytes per 16 KB block, so
    // a longer span holds the stream of another entry as well.
    const int64_t bound = entry.FileSize + entry.FileSize / 1024 + 64;
    const int64_t length = std::min(DataEndOf(entry.DataOffset) - entry.DataOffset, bound);
    if (length <= 0) return false;
    packed_.resize(static_cast<size_t>(length));
    if (archive.Seek(entry.DataOffset, TSeekOrigin::soBeginning) != entry.DataOffset) return false;
    const int32_t read = archive.Read(packed_.data(), static_cast<int32_t>(length));
    if (read <= 0) return false;
    if (data_.size() < static_cast<size_t>(entry.FileSize)) data_.resize(static_cast<size_t>(entry.FileSize));
    return inflater_->Inflate(packed_.data(), static_cast<size_t>(read), data_.data(),
                              static_cast<size_t>(entry.FileSize));
}
