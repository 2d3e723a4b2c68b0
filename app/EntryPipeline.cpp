#include "app/EntryPipeline.h"

#include <exception>
#include <mutex>

#include "archive/EntryReader.h"
#include "platform/Exception.h"
#include "platform/FileStream.h"
#include "platform/FileSystem.h"

namespace {

// The thread ends its work early when the pipeline goes.
struct TStopped {};

}  // namespace

TEntryPipeline::TEntryPipeline(TEntryReader& reader, std::vector<int> entries)
    : reader_(reader), entries_(std::move(entries)), ring_(BlocksAhead), thread_([this] { Run(); }) {}

TEntryPipeline::~TEntryPipeline() {
    std::lock_guard lock(monitor_);
    stopping_ = true;
    monitor_.WakeAll();
}

void TEntryPipeline::Run() {
    try {
        for (int index : entries_) ReadEntry(index);
    } catch (const TStopped&) {
    }
}

// Every entry ends with a block marked last, which carries the failure of
// a damaged one; an empty entry is one empty block.
void TEntryPipeline::ReadEntry(int index) {
    bool last = false;
    try {
        reader_.Start(index);
        while (!last) {
            TBlock& block = FreeBlock();
            block.Size = reader_.Read(block.Bytes.get(), BlockSize);
            last = block.Size < BlockSize;
            block.Last = last;
            block.Failure.clear();
            Hand();
        }
    } catch (const TStopped&) {
        throw;
    } catch (const std::exception& error) {
        TBlock& block = FreeBlock();
        block.Size = 0;
        block.Last = true;
        block.Failure = error.what();
        Hand();
    }
}

// The block after the ones handed, once the writer has released it.
TEntryPipeline::TBlock& TEntryPipeline::FreeBlock() {
    std::lock_guard lock(monitor_);
    while (count_ == ring_.size() && !stopping_) monitor_.Wait();
    if (stopping_) throw TStopped{};
    TBlock& block = ring_[(first_ + count_) % ring_.size()];
    if (!block.Bytes) block.Bytes.reset(new uint8_t[BlockSize]);
    return block;
}

void TEntryPipeline::Hand() {
    std::lock_guard lock(monitor_);
    ++count_;
    monitor_.WakeAll();
}

TEntryPipeline::TBlock& TEntryPipeline::Take() {
    std::lock_guard lock(monitor_);
    while (count_ == 0) monitor_.Wait();
    return ring_[first_];
}

void TEntryPipeline::Release() {
    std::lock_guard lock(monitor_);
    first_ = (first_ + 1) % ring_.size();
    --count_;
    monitor_.WakeAll();
}

// A write that fails stops writing; the rest of the entry is passed over
// when the turn ends.
bool TEntryPipeline::TTurn::WriteTo(TFileStream& stream, const std::function<void(uint64_t bytes)>& onBytes) {
    while (!ended_) {
        TBlock& block = pipeline_.Take();
        const std::string failure = block.Failure;
        const int32_t size = block.Size;
        const bool written = size == 0 || stream.Write(block.Bytes.get(), size) == size;
        ended_ = block.Last;
        pipeline_.Release();
        if (!failure.empty()) throw Exception(failure);
        if (!written) {
            platform::SetLastErrorCode(stream.WriteErrorCode());
            return false;
        }
        if (onBytes && size > 0) onBytes(static_cast<uint64_t>(size));
    }
    return true;
}

TEntryPipeline::TTurn::~TTurn() {
    while (!ended_) {
        ended_ = pipeline_.Take().Last;
        pipeline_.Release();
    }
}
