#pragma once
// Writes a payload archive: the files' data blocks one after another, then the
// entry table (one zlib stream, or the plain records) with each file's
// SHA-256 after the records, then the trailer with the table's CRC.
// Files are read and compressed on every core while the data is written in order.
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "archive/CodecLibrary.h"
#include "archive/ZLIBArchive.h"

struct TPackItem {
    std::string SourcePath;  // the file to read
    std::string FileName;    // its name in the archive, in UTF-8
    std::string FilePath;    // its folder relative to the extraction folder, in UTF-8
    int64_t Size = 0;        // expected size, for progress
};

// Starts a thread that runs the work; raises when it cannot.
using TThreadStarter = std::function<std::thread(std::function<void()>)>;

// The deflate level of "default": with libdeflate the size and speed point
// that packs several times faster than zlib and a little smaller.
constexpr int kDefaultDeflateLevel = 6;

struct TPackOptions {
    int Level = kDefaultDeflateLevel;  // 0: store every file; 1 to MaxDeflateLevel(Library)
    bool CompressTable = true;
    unsigned Threads = 0;        // 0: one per core
    TThreadStarter StartThread;  // empty: std::thread
    TCodecLibrary Library = FastestCodecLibrary();
};

struct TPackResult {
    int Entries = 0;
    int Stored = 0;
    int64_t InputBytes = 0;
    int64_t ArchiveBytes = 0;
};

// Called after each file is written: bytes of input done so far.
using TPackProgress = std::function<void(int64_t doneBytes, const TPackItem& item)>;

// The names are stored in Windows-1252 when all of them fit, else in UTF-8
// with the trailer's tag. Raises Exception with a message for the user on
// any failure (a name or folder longer than 255 bytes as stored, among
// them); a partly written archive is removed.
TPackResult WriteArchive(const std::string& archiveName, const std::vector<TPackItem>& items,
                         const TPackOptions& options, const TPackProgress& progress = {});

// Whether an archive of these items stores its names in UTF-8 (some name
// has a character Windows-1252 lacks) rather than in Windows-1252.
bool NeedsUtf8Names(const std::vector<TPackItem>& items);
// The indices of the items whose name or folder is longer than 255 bytes in
// the form the archive stores it in.
std::vector<size_t> OverlongNames(const std::vector<TPackItem>& items);

// The deflate level a compression level stands for in the library; 0 means
// store, maximum the library's highest.
int DeflateLevelOf(TFileCompressionLevel level, TCodecLibrary library = FastestCodecLibrary());
