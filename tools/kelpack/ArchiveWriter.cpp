#include "tools/kelpack/ArchiveWriter.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/Exception.h"
#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/TextCoding.h"
#include "tools/kelpack/Deflater.h"

namespace {

constexpr int64_t MaxArchiveBytes = INT32_MAX;
// Files read ahead of the writer at most, counted in bytes of input.
constexpr int64_t ReadAheadBudget = 256 << 20;

// One file's data as it goes into the archive.
struct TPackedFile {
    std::vector<uint8_t> Data;
    uint32_t CRC = 0;
    int32_t Size = 0;
    bool Stored = true;
    std::string Error;
    bool Ready = false;
};

// Files of at least kProbeMinimum bytes are sampled before deflate runs over
// them: when windows from their start, middle and end do not shrink, the
// file is taken for compressed data already (pictures, media, archives) and
// stored at once, sparing the time deflate would take to find that out.
constexpr size_t kProbeMinimum = 1 << 20;
constexpr size_t kProbeWindow = 64 << 10;
constexpr size_t kProbeShrinkPercent = 97;  // a sample that comes out at least this large did not shrink

// The sample's stream shows whether it shrank.
bool LooksIncompressible(TDeflater& prober, const uint8_t* data, size_t size) {
    if (size < kProbeMinimum) return false;
    std::vector<uint8_t> sample(DeflateBound(kProbeWindow));
    for (const size_t start : {size_t{0}, (size - kProbeWindow) / 2, size - kProbeWindow}) {
        const size_t length = prober.Compress(data + start, kProbeWindow, sample.data(), sample.size());
        if (length == 0) return false;
        if (length * 100 < kProbeWindow * kProbeShrinkPercent) return false;
    }
    return true;
}

// A worker's reusable means of packing: one compressor, and buffers that grow
// to the largest file. Setting up a compressor and allocating fresh,
// zero-filled buffers for every file cost more than compressing a small file.
class TFilePacker {
public:
    TFilePacker(TCodecLibrary library, int deflateLevel) {
        if (deflateLevel <= 0) return;
        deflater_ = NewDeflater(library, deflateLevel);
        prober_ = NewDeflater(library, 1);
    }

    // Compressed when deflate shrinks the data, stored otherwise (and at once
    // when a large file's samples do not shrink).
    TPackedFile Pack(const TPackItem& item) {
        const size_t size = ReadWholeFile(item.SourcePath);
        TPackedFile packed;
        packed.Size = static_cast<int32_t>(size);
        packed.CRC = FastCrc32(raw_.data(), size);
        const size_t deflated = size && deflater_ && !LooksIncompressible(*prober_, raw_.data(), size) ? Deflate(size) : 0;
        if (deflated) {
            packed.Data.assign(deflated_.data(), deflated_.data() + deflated);
            packed.Stored = false;
        } else {
            packed.Data.assign(raw_.data(), raw_.data() + size);
        }
        return packed;
    }

private:
    // Reads the file into raw_; its size.
    size_t ReadWholeFile(const std::string& path) {
        try {
            TFileStream file(path, TFileMode::fmOpenRead);
            const int64_t size = file.Size();
            if (size > MaxArchiveBytes)
                throw Exception(Format("%s is too large for an archive (2 GiB at most)", path.c_str()));
            if (raw_.size() < static_cast<size_t>(size)) raw_.resize(static_cast<size_t>(size));
            file.ReadBuffer(raw_.data(), static_cast<int32_t>(size));
            return static_cast<size_t>(size);
        } catch (const EStreamError&) {
            throw Exception(Format("Cannot read %s", path.c_str()));
        }
    }

    // Deflates the first size bytes of raw_ into deflated_: the length of the
    // zlib stream when it is shorter than the data, 0 when it is not.
    size_t Deflate(size_t size) {
        if (deflated_.size() < size) deflated_.resize(size);
        return deflater_->Compress(raw_.data(), size, deflated_.data(), size - 1);
    }

    std::unique_ptr<TDeflater> deflater_;  // none: every file is stored
    std::unique_ptr<TDeflater> prober_;
    std::vector<uint8_t> raw_;
    std::vector<uint8_t> deflated_;
};

// Packs files on worker threads, handing them to the writer in order.
class TPackPipeline {
public:
    TPackPipeline(const std::vector<TPackItem>& items, TCodecLibrary library, int deflateLevel, unsigned threads,
                  const TThreadStarter& startThread)
        : items_(items), slots_(items.size()), library_(library), deflateLevel_(deflateLevel) {
        const unsigned count = std::max(1u, std::min<unsigned>(threads, static_cast<unsigned>(items.size())));
        window_ = 2 * count + 2;
        workers_.reserve(count);
        try {
            for (unsigned t = 0; t < count && !items.empty(); ++t) workers_.push_back(startThread([this] { Work(); }));
        } catch (const std::exception& error) {
            // The workers that did start use this object: they end before it does.
            StopWorkers();
            throw Exception(Format("Cannot start a worker thread (%s)", error.what()));
        }
    }

    ~TPackPipeline() { StopWorkers(); }

    // Waits for file i and takes its data; raises the worker's error.
    TPackedFile Take(size_t i) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return slots_[i].Ready; });
        TPackedFile file = std::move(slots_[i]);
        taken_ = i + 1;
        readAhead_ -= items_[i].Size;
        lock.unlock();
        changed_.notify_all();
        if (!file.Error.empty()) throw Exception(file.Error);
        return file;
    }

private:
    void StopWorkers() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        for (std::thread& worker : workers_) worker.join();
    }

    bool MayStart(size_t i) const {
        if (i == taken_) return true;  // the writer waits for this one
        return i < taken_ + window_ && readAhead_ + items_[i].Size <= ReadAheadBudget;
    }

    void Work() {
        std::unique_ptr<TFilePacker> packer;
        std::string startError;
        try {
            packer = std::make_unique<TFilePacker>(library_, deflateLevel_);
        } catch (const std::exception& error) {
            startError = error.what();
        }
        for (;;) {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return stop_ || next_ == items_.size() || MayStart(next_); });
            if (stop_ || next_ == items_.size()) return;
            const size_t i = next_++;
            readAhead_ += items_[i].Size;
            lock.unlock();

            TPackedFile file;
            try {
                if (!packer) throw Exception(startError);
                file = packer->Pack(items_[i]);
            } catch (const std::exception& error) {
                file.Error = error.what();
            }
            lock.lock();
            slots_[i] = std::move(file);
            slots_[i].Ready = true;
            lock.unlock();
            changed_.notify_all();
        }
    }

    const std::vector<TPackItem>& items_;
    std::vector<TPackedFile> slots_;
    const TCodecLibrary library_;
    const int deflateLevel_;
    size_t window_ = 4;
    std::mutex mutex_;
    std::condition_variable changed_;
    size_t next_ = 0;
    size_t taken_ = 0;
    int64_t readAhead_ = 0;
    bool stop_ = false;
    std::vector<std::thread> workers_;
};

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

    int32_t Offset() const { return static_cast<int32_t>(offset_); }

    void Append(const std::vector<uint8_t>& bytes) {
        if (offset_ + static_cast<int64_t>(bytes.size()) + ArchiveTrailerSize > MaxArchiveBytes)
            throw Exception(Format("%s would reach 2 GiB, more than an archive can hold", name_.c_str()));
        Write(bytes.data(), bytes.size());
        crc_ = Crc32After(crc_, bytes.data(), bytes.size());
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

std::vector<uint8_t> EncodeTable(const std::vector<TArchiveEntry>& entries, bool compress, TCodecLibrary library) {
    std::vector<uint8_t> records(entries.size() * ArchiveEntrySize);
    for (size_t i = 0; i < entries.size(); ++i) entries[i].Encode(records.data() + i * ArchiveEntrySize);
    if (!compress) return records;
    std::vector<uint8_t> deflated(DeflateBound(records.size()));
    const size_t length = NewDeflater(library, kTableDeflateLevel)
                              ->Compress(records.data(), records.size(), deflated.data(), deflated.size());
    if (length == 0) throw Exception("Cannot compress the entry table");
    deflated.resize(length);
    return deflated;
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
            entry.FileSize = file.Size;
            entry.DataOffset = output.Offset();
            entry.FileCRC = file.CRC;
            entry.Stored = file.Stored ? 1 : 0;
            output.Append(file.Data);
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
    output.Append(EncodeTable(entries, options.CompressTable, options.Library));
    result.ArchiveBytes = output.Offset() + ArchiveTrailerSize;
    output.Finish(trailer);
    result.Entries = static_cast<int>(entries.size());
    return result;
}
