#include "archive/WholeEntryArchive.h"

#include <algorithm>

#include "archive/FastCrc32.h"
#include "platform/FileStream.h"

TWholeEntryArchive::TWholeEntryArchive(TCodecLibrary library, TComponent* owner)
    : TZLBArchive(owner), reader_(library) {}

void TWholeEntryArchive::LearnArchive(TStream& archive) {
    const TArchiveTrailer& trailer = Trailer();
    if (learnedName_ == ArchiveFileName() && learnedTrailer_.ArchiveCRC == trailer.ArchiveCRC &&
        learnedTrailer_.TableOffset == trailer.TableOffset && learnedTrailer_.FileCount == trailer.FileCount)
        return;
    reader_.Learn(Entries(), trailer.TableOffset, archive.Size());
    learnedName_ = ArchiveFileName();
    learnedTrailer_ = trailer;
}

void TWholeEntryArchive::CopyEntryData(TStream& archive, TFileStream& target, const TArchiveEntry& entry, int index) {
    if (!entry.IsStored()) {
        LearnArchive(archive);
        if (reader_.Read(archive, entry)) return WriteWholeEntry(target, entry, index);
    }
    TZLBArchive::CopyEntryData(archive, target, entry, index);
}

uint32_t TWholeEntryArchive::CrcAfter(uint32_t crc, const uint8_t* bytes, size_t count) const {
    return Crc32After(crc, bytes, count);
}

// Reports the progress piece by piece and writes the blocks between, as the
// piece-by-piece way does, so that a failing write comes after the same
// reports; a failing progress handler leaves the file with the pieces before.
void TWholeEntryArchive::WriteWholeEntry(TFileStream& target, const TArchiveEntry& entry, int index) {
    const uint8_t* const data = reader_.Data();
    const int32_t fileSize = static_cast<int32_t>(entry.FileSize);  // at most MaxWholeEntry
    StartEntryProgress(entry);
    int32_t written = 0;
    int32_t done = 0;
    while (done < fileSize) {
        const int32_t size = std::min(fileSize - done, PieceSize);
        if (done - written + size > WriteBlockSize) {
            WriteBytes(target, data + written, done - written);
            written = done;
        }
        try {
            AddEntryProgress(size);
        } catch (...) {
            if (done != written) WriteBytes(target, data + written, done - written);
            Corrupt(index);
        }
        done += size;
    }
    if (done != written) WriteBytes(target, data + written, done - written);
}
