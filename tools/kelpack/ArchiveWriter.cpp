#include "tools/kelpack/ArchiveWriter.h"

#include <algorithm>
#include <memory>
#include <thread>

#include "archive/FastCrc32.h"
#include "platform/Exception.h"
#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/TextCoding.h"
#include "tools/kelpack/Deflater.h"
#include "tools/kelpack/PackPipeline.h"
#include "tools/kelpack/StreamedPacking.h"

namespace {

// The archive file being written, with the running CRC of its bytes.
class TArchiveOutput {
public:
    explicit TArchiveOutput(const std::string& name) : name_(name) {
        try {
            file_ = std::make_unique<TFileStream>(name, TFileMode::fmCreate);
        } catch (const EStreamError&) {
            throw Exception(Format("Cannot create %s", name.c_str()));
        }
    }

    ~TArchiveOutput() {
        if (committed_) return;
        file_.reset();
        platform::RemoveFile(name_);  // no half-written archive is left behind
    }

    int64_t Offset() const { return offset_; }

    void Append(const uint8_t* bytes, size_t count) {
        Write(bytes, count);
        crc_ = Crc32After(crc_, bytes, count);
    }

    void Finish(TArchiveTrailer trailer) {
        trailer.ArchiveCRC = crc_;
        uint8_t bytes[ArchiveTrailerSize];
        trailer.Encode(bytes);
        Write(bytes, sizeof bytes);
        file_.reset();
        committed_ = true;
    }

private:
    void Write(const uint8_t* bytes, size_t count) {
        try {
            file_->WriteBuffer(bytes, static_cast<int32_t>(count));
        } catch (const EStreamError&) {
            throw Exception(Format("Cannot write %s", name_.c_str()));
        }
        offset_ += static_cast<int64_t>(count);
    }

    std::string name_;
    std::unique_ptr<TFileStream> file_;
    int64_t offset_ = 0;
    uint32_t crc_ = 0;  // the running CRC-32: the final value at every point
    bool committed_ = false;
};

// The table is deflated at zlib's highest level, 9, with either library: its
// records, mostly padding, shrink well there, while libdeflate's higher
// levels take seconds over the long runs of zeros for a few bytes less.
constexpr int kTableDeflateLevel = 9;

// The table as stored: the records, then each entry's SHA-256.
std::vector<uint8_t> EncodeTable(const std::vector<TArchiveEntry>& entries, const TArchiveTrailer& trailer,
                                 TCodecLibrary library) {
    const size_t recordSize = static_cast<size_t>(trailer.EntrySize());
    std::vector<uint8_t> content(entries.size() * (recordSize + ArchiveDigestSize));
    uint8_t* const digests = content.data() + entries.size() * recordSize;
    for (size_t i = 0; i < entries.size(); ++i) {
        entries[i].Encode(content.data() + i * recordSize, trailer.Wide);
        std::copy(entries[i].Sha256->begin(), entries[i].Sha256->end(), digests + i * ArchiveDigestSize);
    }
    if (!trailer.TableCompressed) return content;
    std::vector<uint8_t> deflated(DeflateBound(content.size()));
    const size_t length = NewDeflater(library, kTableDeflateLevel)
                              ->Compress(content.data(), content.size(), deflated.data(), deflated.size());
    if (length == 0) throw Exception("Cannot compress the entry table");
    deflated.resize(length);
    return deflated;
}

// Whether a size or offset that the table holds, the table's own offset
// included, does not fit the signed 32 bits of the narrow form.
bool NeedsWideTable(const std::vector<TArchiveEntry>& entries, int64_t tableOffset) {
    if (tableOffset > INT32_MAX) return true;
    return std::any_of(entries.begin(), entries.end(),
                       [](const TArchiveEntry& entry) { return entry.FileSize > INT32_MAX; });
}

// A name as the archive stores it.
std::string StoredName(const std::string& utf8, bool inUtf8) {
    return inUtf8 ? utf8 : Utf8ToWindows1252(utf8).value_or(utf8);
}

bool FitsWindows1252(const std::string& utf8) { return Utf8ToWindows1252(utf8).has_value(); }

}  // namespace

bool NeedsUtf8Names(const std::vector<TPackItem>& items) {
    return std::any_of(items.begin(), items.end(),
                       [](const TPackItem& item) { return !FitsWindows1252(item.FileName) || !FitsWindows1252(item.FilePath); });
}

std::vector<size_t> OverlongNames(const std::vector<TPackItem>& items) {
    const bool inUtf8 = NeedsUtf8Names(items);
    std::vector<size_t> overlong;
    for (size_t i = 0; i < items.size(); ++i)
        if (StoredName(items[i].FileName, inUtf8).size() > MaxShortString ||
            StoredName(items[i].FilePath, inUtf8).size() > MaxShortString)
            overlong.push_back(i);
    return overlong;
}

int DeflateLevelOf(TFileCompressionLevel level, TCodecLibrary library) {
    switch (level) {
        case fcNone: return 0;
        case fcFastest: return 1;
        case fcDefault: return kDefaultDeflateLevel;
        case fcMaximum: return MaxDeflateLevel(library);
    }
    return kDefaultDeflateLevel;
}

TPackResult WriteArchive(const std::string& archiveName, const std::vector<TPackItem>& items,
                         const TPackOptions& options, const TPackProgress& progress) {
    for (const TPackItem& item : items)
        if (!IsUtf8(item.FileName) || !IsUtf8(item.FilePath))
            throw Exception(Format("%s: the name in the archive is not UTF-8", item.SourcePath.c_str()));
    if (const std::vector<size_t> overlong = OverlongNames(items); !overlong.empty())
        throw Exception(Format("%s: names and folders in an archive hold at most 255 bytes",
                               items[overlong[0]].SourcePath.c_str()));
    const bool namesInUtf8 = NeedsUtf8Names(items);
    TArchiveOutput output(archiveName);
    TPackResult result;
    std::vector<TArchiveEntry> entries;
    entries.reserve(items.size());
    {
        const unsigned threads = options.Threads ? options.Threads : std::max(1u, std::thread::hardware_concurrency());
        const TThreadStarter start =
            options.StartThread ? options.StartThread : [](std::function<void()> work) { return std::thread(std::move(work)); };
        if (options.Level < 0 || options.Level > MaxDeflateLevel(options.Library))
            throw Exception(Format("No compression level %d: 0 to %d", options.Level, MaxDeflateLevel(options.Library)));
        TPackPipeline pipeline(items, options.Library, options.Level, threads, start);
        for (size_t i = 0; i < items.size(); ++i) {
            TPackedFile file = pipeline.Take(i);
            TArchiveEntry entry;
            entry.FileName = StoredName(items[i].FileName, namesInUtf8);
            entry.FilePath = StoredName(items[i].FilePath, namesInUtf8);
            entry.DataOffset = output.Offset();
            if (file.Streamed) {
                const TStreamedFile streamed = PackStreamed(
                    items[i].SourcePath, options.Level, [&](const uint8_t* bytes, size_t count) { output.Append(bytes, count); });
                file.Size = streamed.Size;
                file.CRC = streamed.CRC;
                file.Sha256 = streamed.Sha256;
                file.Stored = streamed.Stored;
            }
            entry.FileSize = file.Size;
            entry.FileCRC = file.CRC;
            entry.Sha256 = file.Sha256;
            entry.Stored = file.Stored ? 1 : 0;
            output.Append(file.Data.Data(), file.Data.Size());
            pipeline.Recycle(std::move(file.Data));
            entries.push_back(entry);
            result.Stored += file.Stored;
            result.InputBytes += file.Size;
            if (progress) progress(result.InputBytes, items[i]);
        }
    }
    TArchiveTrailer trailer;
    trailer.FileCount = static_cast<int32_t>(entries.size());
    trailer.TableOffset = output.Offset();
    trailer.TableCompressed = options.CompressTable ? 1 : 0;
    trailer.NamesInUtf8 = namesInUtf8;
    trailer.Wide = NeedsWideTable(entries, trailer.TableOffset);
    const std::vector<uint8_t> table = EncodeTable(entries, trailer, options.Library);
    trailer.HasEntryDigests = true;
    trailer.TableCRC = FastCrc32(table.data(), table.size());
    output.Append(table.data(), table.size());
    result.ArchiveBytes = output.Offset() + ArchiveTrailerSize;
    output.Finish(trailer);
    result.Entries = static_cast<int>(entries.size());
    return result;
}
