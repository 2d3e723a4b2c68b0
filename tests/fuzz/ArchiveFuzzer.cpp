// libFuzzer target of the archive reader: the input is written as an archive
// file, opened and extracted twice (flat, then with folders) into a
// destination folder, each time piece by piece as the setup reads and again
// with kelpack's whole-entry reader (libdeflate in a build that has it),
// which must leave the same files and raise the same error. The files live in memory (MemoryFiles.h), so a run
// makes no system call and leaves nothing behind. Errors are expected;
// crashes, sanitizer reports and anything written outside the destination
// folder are not, nor an entry name the reader gives that is not UTF-8.
//
// The last byte of an input of trailer size or more lies in the trailer's
// padding, which the reader never reads; the target takes its options from it:
//   0x01  check CRCs on the extraction with folders instead of the flat one
//   0x80  keep the archive CRC as given; otherwise it is set to the correct
//         value, so that mutations reach the table and the entries instead of
//         stopping at the archive check every time
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "archive/Crc32.h"
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

// The input as the archive file holds it, in a buffer kept from run to run.
const std::vector<uint8_t>& ArchiveBytes(const uint8_t* data, size_t size) {
    static std::vector<uint8_t> bytes;
    bytes.assign(data, data + size);
    const bool keepCRC = size >= ArchiveTrailerSize && (bytes.back() & OptKeepArchiveCRC);
    if (size >= ArchiveTrailerSize && !keepCRC) {
        static const TCrc32 crc;
        const size_t body = size - ArchiveTrailerSize;
        const uint32_t value = crc.Of(bytes.data(), body);
        for (int i = 0; i < 4; ++i) bytes[body + i] = static_cast<uint8_t>(value >> (8 * i));
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
    }
    archive.CloseArchive();
    whole.CloseArchive();
    return 0;
}
