#pragma once
// Reads and compresses the files of an archive on worker threads and hands
// them to the writer in order. The buffers that carry the files' data go back
// to the workers once written: allocating fresh memory for every file cost
// more than copying the data, in page faults.
#include <climits>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "archive/CodecLibrary.h"
#include "archive/Sha256.h"
#include "tools/kelpack/ArchiveWriter.h"

// Bytes whose storage is kept when they are filled again; growing leaves the
// new bytes unset, since a file's data overwrites them at once.
class TByteBuffer {
public:
    uint8_t* Data() { return bytes_.get(); }
    const uint8_t* Data() const { return bytes_.get(); }
    size_t Size() const { return size_; }
    size_t Capacity() const { return capacity_; }
    void Resize(size_t size) {
        if (size > capacity_) {
            bytes_.reset(new uint8_t[size]);
            capacity_ = size;
        }
        size_ = size;
    }

private:
    std::unique_ptr<uint8_t[]> bytes_;
    size_t capacity_ = 0;
    size_t size_ = 0;
};

// One file's data as it goes into the archive.
struct TPackedFile {
    TByteBuffer Data;
    uint32_t CRC = 0;
    TSha256Digest Sha256{};
    int64_t Size = 0;
    bool Stored = true;
    bool Streamed = false;  // a large file, left for the writer to stream: no data, no checksums
    std::string Error;
    bool Ready = false;
};

class TPackPipeline {
public:
    TPackPipeline(const std::vector<TPackItem>& items, TCodecLibrary library, int deflateLevel, unsigned threads,
                  const TThreadStarter& startThread);
    ~TPackPipeline();

    // Waits for file i and takes its data; raises the worker's error.
    TPackedFile Take(size_t i);
    // Gives a written file's buffer back for the files still to come.
    void Recycle(TByteBuffer&& buffer);

private:
    void StopWorkers();
    bool MayStart(size_t i) const;
    int64_t ReadAheadOf(size_t i) const;
    void Work();

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
    std::vector<TByteBuffer> spare_;
    std::vector<std::thread> workers_;
};
