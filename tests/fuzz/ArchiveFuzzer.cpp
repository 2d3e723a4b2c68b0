// libFuzzer target of the archive reader: the input is written as an archive
// file, opened and extracted twice (flat, then with folders) into a
// destination folder, each time piece by piece as the setup reads and again
// with kelpack's whole-entry reader (libdeflate in a build that has it),
// which must leave the same files and raise the same error. Then the entry
// reader of the copy phase reads the entries, each of which it must give
// exactly when, and only when, a plain inflate of its data gives the bytes
// its size, CRC and digest describe. The files live in memory
// (MemoryFiles.h), so a run makes no system call and leaves nothing behind.
// Errors are expected; crashes, sanitizer reports and anything written
// outside the destination folder are not, nor an entry name the reader
// gives that is not UTF-8.
//
// The target takes its options from the input's last byte, before the CRCs
// are set (in a trailer with entry digests that byte is the table CRC's last):
//   0x01  check CRCs on the extraction with folders instead of the flat one
//   0x80  keep the archive CRC and the table CRC as given; otherwise they are
//         set to the correct values, so that mutations reach the table and
//         the entries instead of stopping at the archive check every time
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <zlib.h>

#include "archive/ArchiveDigest.h"
#include "archive/Crc32.h"
#include "archive/EntryReader.h"
#include "archive/WholeEntryArchive.h"
#include "archive/ZLIBArchive.h"
#include "platform/Exception.h"
#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "platform/TextCoding.h"
#include "tests/fuzz/MemoryFiles.h"

namespace {

constexpr size_t MaxInput = 1 << 20;
// An archive can declare 2 GiB of zeros in a few kilobytes, or a stored entry
// far past its end; the progress handler stops each run after about 256 KB,
// which every loop of the reader reaches many times over.
constexpr int MaxPiecesPerRun = 64;
constexpr int MaxFilesPerRun = 256;
// The entry reader reads entries up to this size, and this many bytes per run.
constexpr int32_t MaxEntryReadSize = 256 << 10;
constexpr int64_t MaxEntryReadBytes = 1 << 20;
constexpr uint8_t OptCrcWithPaths = 0x01;
constexpr uint8_t OptKeepArchiveCRC = 0x80;

// The paths as the setup writes them, and as the file system lists them.
// The destination lies four folders deep: a climb out of it leaves a new name
// in one of the folders above, and one past the root stops at the root,
// where the check looks as well.
const std::string Archive = "\\Data.Kel";
const std::string Destination = "\\g1\\g2\\g3\\dest";
const std::string ListedDestination = "/g1/g2/g3/dest";
const std::vector<std::string> Scaffold = {"/Data.Kel", "/g1", "/g1/g2", "/g1/g2/g3", ListedDestination};

[[noreturn]] void Fatal(const std::string& message) {
    std::fprintf(stderr, "==archive_fuzzer== %s\n", message.c_str());
    std::fflush(stderr);
    std::abort();
}

void PutU32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

// The input as the archive file holds it, in a buffer kept from run to run.
const std::vector<uint8_t>& ArchiveBytes(const uint8_t* data, size_t size) {
    static std::vector<uint8_t> bytes;
    bytes.assign(data, data + size);
    const bool keepCRC = size >= ArchiveTrailerSize && (bytes.back() & OptKeepArchiveCRC);
    if (size >= ArchiveTrailerSize && !keepCRC) {
        static const TCrc32 crc;
        const size_t body = size - ArchiveTrailerSize;
        uint8_t* const trailer = bytes.data() + body;
        PutU32(trailer, crc.Of(bytes.data(), body));
        const TArchiveTrailer decoded = TArchiveTrailer::Decode(trailer);
        if (decoded.HasEntryDigests && decoded.TableOffset >= 0 && static_cast<size_t>(decoded.TableOffset) <= body)
            PutU32(trailer + 32, crc.Of(bytes.data() + decoded.TableOffset, body - decoded.TableOffset));
    }
    return bytes;
}

// Writes the archive; the folders stay from run to run.
void WriteArchive(const std::vector<uint8_t>& archive) {
    static const bool madeDestination = platform::ForceDirectories(Destination);
    if (!madeDestination) Fatal("cannot make " + Destination);
    TFileStream file(Archive, TFileMode::fmCreate);
    file.WriteBuffer(archive.data(), static_cast<int32_t>(archive.size()));
}

// Nothing exists but the scaffold and what lies below the destination, and
// the archive still has its bytes.
void CheckNothingEscaped(const std::vector<uint8_t>& archive) {
    if (MemoryFileCount(ListedDestination) == Scaffold.size() && platform::DirectoryExists(Destination) &&
        MemoryFileHolds(Archive, archive))
        return;
    for (const std::string& path : MemoryFilePaths(ListedDestination))
        if (std::find(Scaffold.begin(), Scaffold.end(), path) == Scaffold.end())
            Fatal("written outside the destination folder: " + path);
    Fatal(platform::DirectoryExists(Destination) ? "the archive file was overwritten or removed"
                                                 : "the destination is no longer a folder");
}

// A run writes the archive and empties the destination when it ends, so
// that it frees what it takes and the fuzzer's leak check stays quiet.
struct TRunFiles {
    explicit TRunFiles(const std::vector<uint8_t>& archive) { WriteArchive(archive); }
    ~TRunFiles() { ClearMemoryFiles(Destination); }
};

// One archive object of each reader serves every run, as the setup's one
// archive object serves every archive it unpacks: opened, extracted, closed.
TZLBArchive& TheArchive() {
    static TZLBArchive archive;
    return archive;
}

TZLBArchive& TheWholeEntryArchive() {
    static TWholeEntryArchive archive;
    return archive;
}

// What an extraction left in the destination: each path, and each file's bytes.
struct TExtraction {
    std::vector<std::string> Paths;
    std::vector<std::vector<uint8_t>> Contents;
    std::string Error;
    bool operator==(const TExtraction&) const = default;
};

TExtraction Extract(TZLBArchive& archive, bool withPaths, bool checkCRC) {
    ClearMemoryFiles(Destination);
    TExtraction result;
    archive.ExtractWithPath = withPaths;
    archive.CheckCRC = checkCRC;
    try {
        archive.ExtractFiles(Destination + "\\");  // as the setup passes it
    } catch (const std::exception& error) {
        result.Error = error.what();
    }
    for (const std::string& path : MemoryFilePaths())
        if (path.rfind(ListedDestination + "/", 0) == 0 && platform::FileExists(path)) {
            TFileStream file(path, TFileMode::fmOpenRead);
            std::vector<uint8_t> bytes(static_cast<size_t>(file.Size()));
            if (!bytes.empty()) file.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
            result.Paths.push_back(path);
            result.Contents.push_back(std::move(bytes));
        }
    return result;
}

// The entry's bytes as a plain inflate of its data (up to the trailer) gives
// them, when they are exactly what the entry describes: its size, CRC and
// digest. Nothing otherwise. An empty entry's data is not looked at.
std::optional<std::vector<uint8_t>> ExpectedBytes(const std::vector<uint8_t>& archive, const TArchiveEntry& entry) {
    static const TCrc32 crc;
    const int64_t dataEnd = static_cast<int64_t>(archive.size()) - ArchiveTrailerSize;
    if (entry.FileSize < 0 || entry.DataOffset < 0 || entry.DataOffset > dataEnd) return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(entry.FileSize));
    const uint8_t* const data = archive.data() + entry.DataOffset;
    const size_t available = static_cast<size_t>(dataEnd - entry.DataOffset);
    if (entry.IsStored() || entry.FileSize == 0) {
        if (bytes.size() > available) return std::nullopt;
        std::copy_n(data, bytes.size(), bytes.begin());
    } else {
        uint8_t beyond = 0;
        z_stream z{};
        if (inflateInit(&z) != Z_OK) Fatal("inflateInit failed");
        z.next_in = const_cast<uint8_t*>(data);
        z.avail_in = static_cast<uInt>(available);
        z.next_out = bytes.data();
        z.avail_out = static_cast<uInt>(bytes.size());
        int result = inflate(&z, Z_FINISH);
        if (result == Z_BUF_ERROR && z.avail_out == 0) {  // the output is full: the stream must end here
            z.next_out = &beyond;
            z.avail_out = 1;
            result = inflate(&z, Z_FINISH);
        }
        const bool exact = result == Z_STREAM_END && z.total_out == bytes.size();
        inflateEnd(&z);
        if (!exact) return std::nullopt;
    }
    if (crc.Of(bytes.data(), bytes.size()) != entry.FileCRC) return std::nullopt;
    if (entry.Sha256) {
        TSha256 sha;
        sha.Update(bytes.data(), bytes.size());
        if (sha.Finish() != *entry.Sha256) return std::nullopt;
    }
    return bytes;
}

// Reads every entry of a bounded size with the entry reader, in pieces of
// sizes that vary with the entry, last to first and then the first again
// (the reader serves any order), and compares it with a plain inflate.
void CheckEntryReader(const std::vector<uint8_t>& archiveBytes, TZLBArchive& archive) {
    TEntryReader reader(archive);
    if (reader.HasEntryDigests() != archive.Trailer().HasEntryDigests) Fatal("the entry reader reads another trailer");
    if (reader.ArchiveDigest() != [&] {
            TFileStream file(Archive, TFileMode::fmOpenRead);
            return ArchiveDigestOf(file);
        }())
        Fatal("the entry reader's archive digest differs");
    std::vector<int> order;
    for (int i = reader.Count() - 1; i >= 0 && order.size() < MaxFilesPerRun; --i) order.push_back(i);
    if (!order.empty()) order.push_back(order.back());
    int64_t budget = MaxEntryReadBytes;
    std::vector<uint8_t> piece(MaxEntryReadSize + 1);
    for (const int index : order) {
        TArchiveEntry entry;
        archive.GetFileEntry(index, entry);
        if (entry.FileSize > MaxEntryReadSize || entry.FileSize > budget) continue;
        budget -= std::max<int64_t>(entry.FileSize, 1);
        const int32_t pieceSize = 1 + static_cast<int32_t>((static_cast<uint32_t>(index) * 7919u + 61u) % piece.size());
        std::vector<uint8_t> given;
        std::string error;
        try {
            reader.Start(index);
            for (int32_t n; (n = reader.Read(piece.data(), pieceSize)) > 0;) given.insert(given.end(), piece.data(), piece.data() + n);
        } catch (const std::exception& failure) {
            error = failure.what();
        }
        const std::optional<std::vector<uint8_t>> expected = ExpectedBytes(archiveBytes, entry);
        if (!expected && error != "File (" + std::to_string(index) + ") is corrupt")
            Fatal("the entry reader gave entry " + std::to_string(index) + " that a plain inflate refuses (" + error + ")");
        if (expected && !(error.empty() && given == *expected))
            Fatal("the entry reader gave other bytes for entry " + std::to_string(index) + " (" + error + ")");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > MaxInput) return 0;
    const uint8_t options = size >= ArchiveTrailerSize ? data[size - 1] : 0;
    const std::vector<uint8_t>& bytes = ArchiveBytes(data, size);
    const TRunFiles files(bytes);

    TZLBArchive& archive = TheArchive();
    TZLBArchive& whole = TheWholeEntryArchive();
    int pieces = 0;
    int extracted = 0;
    for (TZLBArchive* reader : {&archive, &whole}) {
        reader->OnProgress = [&pieces, reader](const std::string&, int percentage) {
            if (percentage < 0 || percentage > 100) Fatal("progress out of range: " + std::to_string(percentage));
            if (reader->ProgressActivity() != paIdle && ++pieces > MaxPiecesPerRun) throw Exception("work limit reached");
        };
        reader->OnFileExtracted = [&](const std::string&) {
            if (++extracted > MaxFilesPerRun) throw Exception("file limit reached");
        };
    }

    bool opened = false;
    try {
        opened = archive.OpenArchive(Archive);
        for (int i = 0; i < archive.GetFileCount(); ++i) {
            TArchiveEntry entry;
            archive.GetFileEntry(i, entry);
            if (!IsUtf8(entry.FileName) || !IsUtf8(entry.FilePath)) Fatal("entry " + std::to_string(i) + " has a name that is not UTF-8");
        }
    } catch (const std::exception&) {
        opened = false;
    }
    CheckNothingEscaped(bytes);

    if (opened && whole.OpenArchive(Archive)) {
        for (const bool withPaths : {false, true}) {
            const bool checkCRC = withPaths == ((options & OptCrcWithPaths) != 0);
            pieces = 0;
            extracted = 0;
            const TExtraction byPieces = Extract(archive, withPaths, checkCRC);
            CheckNothingEscaped(bytes);
            pieces = 0;
            extracted = 0;
            const TExtraction byWholeEntries = Extract(whole, withPaths, checkCRC);
            CheckNothingEscaped(bytes);
            if (!(byWholeEntries == byPieces))
                Fatal("the whole-entry reader left other files or another error (" + byWholeEntries.Error + ") than the "
                      "piece reader (" + byPieces.Error + ")");
        }
        CheckEntryReader(bytes, archive);
        CheckNothingEscaped(bytes);
    }
    archive.CloseArchive();
    whole.CloseArchive();
    return 0;
}
