#include "archive/EntryReader.h"

#include <algorithm>
#include <cstring>

#include <zlib.h>

#include "archive/ArchiveDigest.h"
#include "archive/FastCrc32.h"
#include "archive/ReadAheadStream.h"
#include "archive/WholeEntryReader.h"
#include "archive/ZLIBArchive.h"
#include "platform/Exception.h"
#include "platform/FileStream.h"
#include "platform/Text.h"

// One zlib inflater for every streamed entry, reset for each.
class TEntryReader::TInflation {
public:
    TInflation() {
        if (inflateInit(&stream_) != Z_OK) throw Exception("Cannot start the decompression");
    }
    ~TInflation() { inflateEnd(&stream_); }
    TInflation(const TInflation&) = delete;
    TInflation& operator=(const TInflation&) = delete;

    void Reset() { inflateReset(&stream_); }
    z_stream& Stream() { return stream_; }

private:
    z_stream stream_{};
};

TEntryReader::TEntryReader(const std::string& archiveFile, std::vector<TArchiveEntry> entries)
    : entries_(std::move(entries)) {
    Open(archiveFile);
}

TEntryReader::TEntryReader(const TZLBArchive& archive) : entries_(archive.Entries()) {
    Open(archive.ArchiveFileName());
}

TEntryReader::~TEntryReader() = default;

void TEntryReader::Open(const std::string& archiveFile) {
    try {
        file_ = std::make_unique<TFileStream>(archiveFile, TFileMode::fmOpenReadDenyWrite);
    } catch (const EStreamError&) {
        throw Exception(Format("Unable to open file (%s)", archiveFile.c_str()));
    }
    const std::optional<TArchiveTrailer> trailer = ReadArchiveTrailer(*file_);
    if (!trailer) throw Exception("The archive file appears to be corrupted");
    hasEntryDigests_ = trailer->HasEntryDigests;
    dataEnd_ = file_->Size() - ArchiveTrailerSize;
    input_ = std::make_unique<TReadAheadStream>(*file_, ReadBlockSize);
    whole_ = std::make_unique<TWholeEntryReader>(FastestCodecLibrary());
    whole_->Learn(entries_, trailer->TableOffset, file_->Size());
    inflation_ = std::make_unique<TInflation>();
}

TSha256Digest TEntryReader::ArchiveDigest() { return ArchiveDigestOf(*file_); }

// An empty entry's data is never read, as extraction never reads it. A
// compressed entry that does not inflate whole to its size goes the
// streaming way, which finds where it goes wrong.
void TEntryReader::Start(int index) {
    if (index < 0 || index >= Count()) throw Exception("Index out of bounds");
    const TArchiveEntry& entry = entries_[static_cast<size_t>(index)];
    index_ = index;
    source_ = TSource::None;
    given_ = 0;
    position_ = entry.DataOffset;
    crc_ = 0;
    sha_.reset();
    if (entry.Sha256) sha_.emplace();
    if (entry.FileSize < 0 || entry.DataOffset < 0 || entry.DataOffset > dataEnd_) Corrupt();
    if (entry.IsStored() || entry.FileSize == 0) {
        if (entry.FileSize > dataEnd_ - entry.DataOffset) Corrupt();
        source_ = TSource::Stored;
    } else if (entry.FileSize <= MaxWholeEntry && whole_->Read(*input_, entry)) {
        source_ = TSource::Whole;
    } else {
        inflation_->Reset();
        source_ = TSource::Stream;
    }
}

int32_t TEntryReader::Read(uint8_t* buffer, int32_t count) {
    if (source_ == TSource::None || count <= 0) return 0;
    const TArchiveEntry& entry = entries_[static_cast<size_t>(index_)];
    const int32_t n = static_cast<int32_t>(std::min<int64_t>(count, entry.FileSize - given_));
    Deliver(buffer, n);
    crc_ = Crc32After(crc_, buffer, static_cast<size_t>(n));
    if (sha_) sha_->Update(buffer, static_cast<size_t>(n));
    given_ += n;
    if (given_ == entry.FileSize) Finish();
    return n;
}

void TEntryReader::Deliver(uint8_t* buffer, int32_t count) {
    switch (source_) {
        case TSource::Stored: return ReadStored(buffer, count);
        case TSource::Whole: std::memcpy(buffer, whole_->Data() + given_, static_cast<size_t>(count)); return;
        case TSource::Stream:
            if (Inflate(buffer, count) != count) Corrupt();  // the stream ended early
            return;
        case TSource::None: return;
    }
}

// Start made sure that the stored bytes lie inside the file.
void TEntryReader::ReadStored(uint8_t* buffer, int32_t count) {
    input_->Seek(position_, TSeekOrigin::soBeginning);
    if (input_->Read(buffer, count) != count) Corrupt();
    position_ += count;
}

// Inflates straight into buffer from the read block, never from beyond the
// data's end; the bytes given, fewer than count when the stream ends.
int32_t TEntryReader::Inflate(uint8_t* buffer, int32_t count) {
    z_stream& z = inflation_->Stream();
    z.next_out = buffer;
    z.avail_out = static_cast<uInt>(count);
    while (z.avail_out > 0) {
        int32_t held = static_cast<int32_t>(std::min<int64_t>(ReadBlockSize, dataEnd_ - position_));
        const uint8_t* input = held > 0 ? input_->Peek(position_, held) : nullptr;
        z.next_in = const_cast<uint8_t*>(input);
        z.avail_in = static_cast<uInt>(held);
        const int result = inflate(&z, Z_NO_FLUSH);
        position_ += held - static_cast<int32_t>(z.avail_in);
        if (result == Z_STREAM_END) break;
        // Z_BUF_ERROR: the data ended inside the stream. Z_NEED_DICT: a
        // stream made with a preset dictionary, which cannot be read without it.
        if (result != Z_OK) Corrupt();
    }
    return count - static_cast<int32_t>(z.avail_out);
}

// A streamed entry's stream must end with its last byte.
void TEntryReader::Finish() {
    uint8_t beyond = 0;
    if (source_ == TSource::Stream && Inflate(&beyond, 1) != 0) Corrupt();
    const TArchiveEntry& entry = entries_[static_cast<size_t>(index_)];
    if (crc_ != entry.FileCRC || (sha_ && sha_->Finish() != *entry.Sha256)) Corrupt();
    source_ = TSource::None;
}

void TEntryReader::Corrupt() {
    source_ = TSource::None;
    throw Exception(Format("File (%d) is corrupt", index_));
}
