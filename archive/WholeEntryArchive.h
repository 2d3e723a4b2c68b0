#pragma once
// TWholeEntryArchive extracts as TZLBArchive does, but reads each compressed
// entry that fits in memory whole and inflates it in one call, which is
// several times faster than inflating it piece by piece. An entry that the
// one call does not give exactly (a damaged stream, one that runs longer or
// shorter than the entry, one too large) goes the piece-by-piece way, so the
// files, errors and progress reports are the same as TZLBArchive's.
#include <string>

#include "archive/WholeEntryReader.h"
#include "archive/ZLIBArchive.h"

class TWholeEntryArchive : public TZLBArchive {
public:
    explicit TWholeEntryArchive(TCodecLibrary library = FastestCodecLibrary(), TComponent* owner = nullptr);
    // A component of owner, with the fastest library.
    explicit TWholeEntryArchive(TComponent* owner) : TWholeEntryArchive(FastestCodecLibrary(), owner) {}

protected:
    void CopyEntryData(TStream& archive, TFileStream& target, const TArchiveEntry& entry, int index) override;
    uint32_t CrcAfter(uint32_t crc, const uint8_t* bytes, size_t count) const override;

private:
    // Learns the entries' extents once per opened archive.
    void LearnArchive(TStream& archive);
    void WriteWholeEntry(TFileStream& target, const TArchiveEntry& entry, int index);

    TWholeEntryReader reader_;
    TArchiveTrailer learnedTrailer_;
    std::string learnedName_;
};
