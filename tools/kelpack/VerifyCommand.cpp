// kelpack verify ARCHIVE: the trailer CRC, every entry's names and CRC; nothing is written.
#include <algorithm>
#include <cstdio>
#include <memory>

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

// The CRC of what extraction would write for the entry; a stored entry that
// runs past the end of the archive yields fewer bytes and so another CRC.
uint32_t ExtractedCRC(TFileStream& archive, const TArchiveEntry& entry, const TCrc32& crc) {
    archive.SetPosition(entry.DataOffset);
    TDecompressionStream reader(archive);
    std::unique_ptr<uint8_t[]> piece(new uint8_t[PieceSize]);
    uint32_t reg = TCrc32::Preset;
    for (int32_t remaining = entry.FileSize; remaining > 0;) {
        const int32_t size = std::min(remaining, PieceSize);
        const int32_t count = entry.IsStored() ? archive.Read(piece.get(), size) : reader.Read(piece.get(), size);
        reg = crc.Update(reg, piece.get(), static_cast<size_t>(count));
        remaining -= size;
    }
    return ~reg;
}

// A compressed entry that inflates whole to its size is checked from memory;
// every other one piece by piece, as extraction would read it.
bool EntryIntact(TFileStream& archive, const TArchiveEntry& entry, const TCrc32& crc, TWholeEntryReader& whole) {
    if (entry.DataOffset < 0) return false;
    try {
        if (whole.Read(archive, entry))
            return FastCrc32(whole.Data(), static_cast<size_t>(entry.FileSize)) == entry.FileCRC;
        return ExtractedCRC(archive, entry, crc) == entry.FileCRC;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

int VerifyCommand(const TArguments& arguments) {
    const TCommandLine line = ParseCommandLine({"verify", 1, 1, {}, {}}, arguments);
    TZLBArchive archive;
    archive.OpenArchive(line.Operands[0]);  // checks the trailer CRC and reads the table
    TFileStream file(line.Operands[0], TFileMode::fmOpenReadDenyWrite);
    const TCrc32 crc;
    std::vector<TArchiveEntry> entries(static_cast<size_t>(archive.GetFileCount()));
    for (int i = 0; i < archive.GetFileCount(); ++i) archive.GetFileEntry(i, entries[static_cast<size_t>(i)]);
    TWholeEntryReader whole(FastestCodecLibrary());
    whole.Learn(entries, archive.Trailer().TableOffset, file.Size());
    int failures = 0;
    for (int i = 0; i < archive.GetFileCount(); ++i) {
        const TArchiveEntry& entry = entries[static_cast<size_t>(i)];
        if (!IsSafeEntry(entry, true)) {
            std::fprintf(stderr, "%s\n", UnsafeEntryMessage(i, entry, true).c_str());
            ++failures;
        } else if (!EntryIntact(file, entry, crc, whole)) {
            std::fprintf(stderr, "%s\n", Format("File (%d) is corrupt", i).c_str());
            ++failures;
        }
    }
    if (failures > 0) return 1;
    std::printf("%d entries intact\n", archive.GetFileCount());
    return 0;
}
