// kelpack verify ARCHIVE: the archive's CRC (or its table's), every entry's
// names, CRC and, where the table has them, SHA-256; nothing is written.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

#include "archive/DecompressionStream.h"
#include "archive/EntryNames.h"
#include "archive/FastCrc32.h"
#include "archive/WholeEntryReader.h"
#include "archive/ZLIBArchive.h"
#include "platform/FileStream.h"
#include "platform/Text.h"
#include "tools/kelpack/CommandLine.h"
#include "tools/kelpack/Commands.h"
#include "tools/kelpack/Deflater.h"

namespace {

constexpr int32_t PieceSize = 65536;

// Whether the bytes given are the entry's: its CRC, and its SHA-256 when it has one.
class TEntryCheck {
public:
    explicit TEntryCheck(const TArchiveEntry& entry) : entry_(entry) {
        if (entry.Sha256) sha_.emplace();
    }
    void Add(const uint8_t* bytes, size_t count) {
        crc_ = Crc32After(crc_, bytes, count);
        if (sha_) sha_->Update(bytes, count);
    }
    bool Passed() { return crc_ == entry_.FileCRC && (!sha_ || sha_->Finish() == *entry_.Sha256); }

private:
    const TArchiveEntry& entry_;
    uint32_t crc_ = 0;
    std::optional<TSha256> sha_;
};

// Checks what extraction would write for the entry; a stored entry that runs
// past the end of the archive yields fewer bytes and so fails.
bool ExtractedBytesPass(TFileStream& archive, const TArchiveEntry& entry) {
    archive.SetPosition(entry.DataOffset);
    TDecompressionStream reader(archive);
    std::unique_ptr<uint8_t[]> piece(new uint8_t[PieceSize]);
    TEntryCheck check(entry);
    for (int64_t remaining = entry.FileSize; remaining > 0;) {
        const int32_t size = static_cast<int32_t>(std::min<int64_t>(remaining, PieceSize));
        const int32_t count = entry.IsStored() ? archive.Read(piece.get(), size) : reader.Read(piece.get(), size);
        check.Add(piece.get(), static_cast<size_t>(count));
        remaining -= size;
    }
    return check.Passed();
}

// A compressed entry that inflates whole to its size is checked from memory;
// every other one piece by piece, as extraction would read it.
bool EntryIntact(TFileStream& archive, const TArchiveEntry& entry, TWholeEntryReader& whole) {
    if (entry.DataOffset < 0) return false;
    try {
        if (!whole.Read(archive, entry)) return ExtractedBytesPass(archive, entry);
        TEntryCheck check(entry);
        check.Add(whole.Data(), static_cast<size_t>(entry.FileSize));
        return check.Passed();
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

int VerifyCommand(const TArguments& arguments) {
    const TCommandLine line = ParseCommandLine({"verify", 1, 1, {}, {}}, arguments);
    TZLBArchive archive;
    archive.OpenArchive(line.Operands[0]);  // checks the archive's or the table's CRC and reads the table
    TFileStream file(line.Operands[0], TFileMode::fmOpenReadDenyWrite);
    const std::vector<TArchiveEntry>& entries = archive.Entries();
    TWholeEntryReader whole(FastestCodecLibrary());
    whole.Learn(entries, archive.Trailer().TableOffset, file.Size());
    int failures = 0;
    for (int i = 0; i < archive.GetFileCount(); ++i) {
        const TArchiveEntry& entry = entries[static_cast<size_t>(i)];
        if (!IsSafeEntry(entry, true)) {
            std::fprintf(stderr, "%s\n", UnsafeEntryMessage(i, entry, true).c_str());
            ++failures;
        } else if (!EntryIntact(file, entry, whole)) {
            std::fprintf(stderr, "%s\n", Format("File (%d) is corrupt", i).c_str());
            ++failures;
        }
    }
    if (failures > 0) return 1;
    std::printf("%d entries intact\n", archive.GetFileCount());
    return 0;
}
