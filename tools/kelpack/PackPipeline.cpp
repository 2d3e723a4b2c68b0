#include "tools/kelpack/PackPipeline.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "archive/FastCrc32.h"
#include "platform/Exception.h"
#include "platform/FileStream.h"
#include "platform/Text.h"
#include "tools/kelpack/Deflater.h"
#include "tools/kelpack/StreamedPacking.h"

namespace {

// Files read ahead of the writer at most, counted in bytes of input.
constexpr int64_t ReadAheadBudget = 256 << 20;
// Buffers larger than this go back to the system once written rather than
// being kept for the next files.
constexpr size_t KeptBufferBytes = 64 << 20;

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

// A worker's means of packing: one compressor kept for all its files (setting
// one up for every file cost more than compressing a small file), and the
// buffers it reads and compresses into.
class TFilePacker {
public:
    TFilePacker(TCodecLibrary library, int deflateLevel) {
        if (deflateLevel <= 0) return;
        deflater_ = NewDeflater(library, deflateLevel);
        prober_ = NewDeflater(library, 1);
    }

    // Compressed when deflate shrinks the data, stored otherwise (and at once
    // when a large file's samples do not shrink). The buffer that leaves with
    // the data is replaced by the spare one.
    TPackedFile Pack(const TPackItem& item, TByteBuffer&& spare) {
        TPackedFile packed;
        const std::optional<size_t> read = ReadWholeFile(item.SourcePath);
        if (!read) {
            packed.Streamed = true;
            return packed;
        }
        const size_t size = *read;
        packed.Size = static_cast<int64_t>(size);
        packed.CRC = FastCrc32(raw_.Data(), size);
        TSha256 sha;
        sha.Update(raw_.Data(), size);
        packed.Sha256 = sha.Finish();
        const size_t deflated = size && deflater_ && !LooksIncompressible(*prober_, raw_.Data(), size) ? Deflate(size) : 0;
        packed.Stored = deflated == 0;
        packed.Data = std::exchange(packed.Stored ? raw_ : deflated_, std::move(spare));
        packed.Data.Resize(packed.Stored ? size : deflated);
        return packed;
    }

private:
    // Reads the file into raw_; its size. Nothing for a file to be streamed.
    std::optional<size_t> ReadWholeFile(const std::string& path) {
        try {
            TFileStream file(path, TFileMode::fmOpenRead);
            const int64_t size = file.Size();
            if (size >= StreamedFileBytes) return std::nullopt;
            raw_.Resize(static_cast<size_t>(size));
            file.ReadBuffer(raw_.Data(), static_cast<int32_t>(size));
            return static_cast<size_t>(size);
        } catch (const EStreamError&) {
            throw Exception(Format("Cannot read %s", path.c_str()));
        }
    }

    // Deflates the first size bytes of raw_ into deflated_: the length of the
    // zlib stream when it is shorter than the data, 0 when it is not.
    size_t Deflate(size_t size) {
        deflated_.Resize(size);
        return deflater_->Compress(raw_.Data(), size, deflated_.Data(), size - 1);
    }

    std::unique_ptr<TDeflater> deflater_;  // none: every file is stored
    std::unique_ptr<TDeflater> prober_;
    TByteBuffer raw_;
    TByteBuffer deflated_;
};

}  // namespace

TPackPipeline::TPackPipeline(const std::vector<TPackItem>& items, TCodecLibrary library, int deflateLevel,
                             unsigned threads, const TThreadStarter& startThread)
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

TPackPipeline::~TPackPipeline() { StopWorkers(); }

TPackedFile TPackPipeline::Take(size_t i) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return slots_[i].Ready; });
    TPackedFile file = std::move(slots_[i]);
    taken_ = i + 1;
    readAhead_ -= ReadAheadOf(i);
    lock.unlock();
    changed_.notify_all();
    if (!file.Error.empty()) throw Exception(file.Error);
    return file;
}

void TPackPipeline::Recycle(TByteBuffer&& buffer) {
    if (buffer.Capacity() > KeptBufferBytes) return;
    std::lock_guard lock(mutex_);
    spare_.push_back(std::move(buffer));
}

void TPackPipeline::StopWorkers() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

bool TPackPipeline::MayStart(size_t i) const {
    if (i == taken_) return true;  // the writer waits for this one
    return i < taken_ + window_ && readAhead_ + ReadAheadOf(i) <= ReadAheadBudget;
}

// What file i holds in memory while it waits for the writer: nothing when it is streamed.
int64_t TPackPipeline::ReadAheadOf(size_t i) const {
    return items_[i].Size >= StreamedFileBytes ? 0 : items_[i].Size;
}

void TPackPipeline::Work() {
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
        readAhead_ += ReadAheadOf(i);
        TByteBuffer spare;
        if (!spare_.empty()) {
            spare = std::move(spare_.back());
            spare_.pop_back();
        }
        lock.unlock();

        TPackedFile file;
        try {
            if (!packer) throw Exception(startError);
            file = packer->Pack(items_[i], std::move(spare));
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
