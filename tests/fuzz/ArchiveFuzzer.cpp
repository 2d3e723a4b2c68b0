// libFuzzer target of the archive reader: the input is written as an archive
// file, opened and extracted twice (flat, then with folders) into a scratch
// destination. Errors are expected; crashes, sanitizer reports and files that
// land outside the destination folder are not.
//
// The last byte of an input of trailer size or more lies in the trailer's
// padding, which the reader never reads; the target takes its options from it:
//   0x01  check CRCs on the extraction with folders instead of the flat one
//   0x80  keep the archive CRC as given; otherwise it is set to the correct
//         value, so that mutations reach the table and the entries instead of
//         stopping at the archive check every time
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "archive/Crc32.h"
#include "archive/ZLIBArchive.h"
#include "platform/Exception.h"
#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "shell/FolderTree.h"

namespace {

constexpr size_t MaxInput = 1 << 20;
// An archive can declare 2 GiB of zeros in a few kilobytes, or a stored entry
// far past its end; the progress handler stops each run after about 8 MB.
constexpr int MaxPiecesPerRun = 2048;
constexpr int MaxFilesPerRun = 256;
constexpr uint8_t OptCrcWithPaths = 0x01;
constexpr uint8_t OptKeepArchiveCRC = 0x80;

// root\Data.Kel and root\g1\g2\g3\dest: a climb of up to four levels out of
// dest would leave something in one of the guard folders.
struct Scratch {
    std::string Root;
    std::string Archive;
    std::vector<std::string> Guards;  // root, g1, g2, g3
    std::vector<std::string> GuardChild;
    std::string Destination;          // without the trailing separator
};

[[noreturn]] void Fatal(const std::string& message) {
    std::fprintf(stderr, "==archive_fuzzer== %s\n", message.c_str());
    std::fflush(stderr);
    std::abort();
}

void RemoveRoot();

const Scratch& TheScratch() {
    static const Scratch scratch = [] {
        Scratch s;
        s.Root = platform::CreateTempFile(platform::TempFolder(), "kfz");
        if (s.Root.empty() || !platform::RemoveFile(s.Root) || !platform::CreateDir(s.Root))
            Fatal("cannot make a scratch folder in " + platform::TempFolder());
        s.Archive = s.Root + "\\Data.Kel";
        std::string folder = s.Root;
        for (const char* child : {"g1", "g2", "g3", "dest"}) {
            s.Guards.push_back(folder);
            s.GuardChild.push_back(child);
            folder += std::string("\\") + child;
            if (!platform::CreateDir(folder)) Fatal("cannot make " + folder);
        }
        s.Destination = folder;
        return s;
    }();
    static const bool cleanupRegistered = (std::atexit(RemoveRoot), true);
    (void)cleanupRegistered;
    return scratch;
}

void RemoveRoot() {
    try {
        DeleteFolderTree(TheScratch().Root);
    } catch (const std::exception&) {
    }
}

std::set<std::string> Listing(const std::string& folder) {
    std::set<std::string> names;
    platform::TFindEnum find;
    platform::TSearchRec item;
    for (bool more = find.First(folder + "\\*.*", platform::faAnyFile, item); more; more = find.Next(item))
        if (item.Name != "." && item.Name != "..") names.insert(item.Name);
    return names;
}

// Every guard folder holds exactly its one child (the root also the archive),
// and the archive still has the bytes it was given.
void CheckNothingEscaped(const Scratch& s, int64_t archiveSize) {
    for (size_t level = 0; level < s.Guards.size(); ++level) {
        std::set<std::string> expected{s.GuardChild[level]};
        if (level == 0) expected.insert("Data.Kel");
        const std::set<std::string> found = Listing(s.Guards[level]);
        for (const std::string& name : found)
            if (!expected.count(name)) Fatal("written outside the destination folder: " + s.Guards[level] + "\\" + name);
        if (found != expected) Fatal("a guard folder lost an entry: " + s.Guards[level]);
    }
    if (!platform::DirectoryExists(s.Destination)) Fatal("the destination is no longer a folder");
    if (platform::FileSizeOf(s.Archive) != archiveSize) Fatal("the archive file was overwritten");
}

// Empties the destination for the next run; a tree that cannot be removed
// would spoil every later run, so that is a finding too.
void ClearDestination(const Scratch& s) {
    try {
        DeleteFolderTree(s.Destination);
    } catch (const std::exception& error) {
        Fatal(std::string("cannot clear the destination: ") + error.what());
    }
    if (!platform::CreateDir(s.Destination)) Fatal("cannot make " + s.Destination);
}

void WriteArchive(const Scratch& s, const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    const bool keepCRC = size >= ArchiveTrailerSize && (bytes.back() & OptKeepArchiveCRC);
    if (size >= ArchiveTrailerSize && !keepCRC) {
        static const TCrc32 crc;
        const size_t body = size - ArchiveTrailerSize;
        const uint32_t value = crc.Of(bytes.data(), body);
        for (int i = 0; i < 4; ++i) bytes[body + i] = static_cast<uint8_t>(value >> (8 * i));
    }
    TFileStream file(s.Archive, TFileMode::fmCreate);
    file.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > MaxInput) return 0;
    const Scratch& s = TheScratch();
    const uint8_t options = size >= ArchiveTrailerSize ? data[size - 1] : 0;
    WriteArchive(s, data, size);

    TZLBArchive archive;
    int pieces = 0;
    int files = 0;
    archive.OnProgress = [&](const std::string&, int percentage) {
        if (percentage < 0 || percentage > 100) Fatal("progress out of range: " + std::to_string(percentage));
        if (archive.ProgressActivity() != paIdle && ++pieces > MaxPiecesPerRun) throw Exception("work limit reached");
    };
    archive.OnFileExtracted = [&](const std::string&) {
        if (++files > MaxFilesPerRun) throw Exception("file limit reached");
    };

    bool opened = false;
    try {
        opened = archive.OpenArchive(s.Archive);
        for (int i = 0; i < archive.GetFileCount(); ++i) {
            TArchiveEntry entry;
            archive.GetFileEntry(i, entry);
        }
    } catch (const std::exception&) {
        opened = false;
    }
    CheckNothingEscaped(s, static_cast<int64_t>(size));
    if (!opened) return 0;

    const std::string destination = s.Destination + "\\";  // as the setup passes it
    for (const bool withPaths : {false, true}) {
        pieces = 0;
        files = 0;
        archive.ExtractWithPath = withPaths;
        archive.CheckCRC = withPaths == ((options & OptCrcWithPaths) != 0);
        try {
            archive.ExtractFiles(destination);
        } catch (const std::exception&) {
        }
        CheckNothingEscaped(s, static_cast<int64_t>(size));
        ClearDestination(s);
    }
    return 0;
}
