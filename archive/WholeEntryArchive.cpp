#include "archive/WholeEntryArchive.h"

#include <algorithm>

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

// Reports the progress piece by piece, as the piece-by-piece way does; a
// failing progress handler leaves the file with the pieces before.
void TWholeEntryArchive::WriteWholeEntry(TFileStream& target, const TArchiveEntry& entry, int index) {
    StartEntryProgress(entry);
    int32_t done = 0;
    while (done < entry.FileSize) {
        const int32_t size = std::min(entry.FileSize - done, PieceSize);
        try {
            AddEntryProgress(size);
        } catch (...) {
            if (done != 0) WriteBytes(target, reader_.Data(), done);
            Corrupt(index);
        }
        done += size;
    }
    WriteBytes(target, reader_.Data(), entry.FileSize);
}
