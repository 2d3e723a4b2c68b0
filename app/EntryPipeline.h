#pragma once
// Reads the payload's entries on a thread of its own, in the order the copy
// writes them, and hands their checked bytes over in blocks: decompressing
// and checking one file overlaps with creating, writing and naming the
// files before it. The thread stays at most BlocksAhead blocks ahead, so
// memory stays bounded whatever the product's size. Portable.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Thread.h"

class TEntryReader;
class TFileStream;

class TEntryPipeline {
public:
    static constexpr int32_t BlockSize = 1 << 20;
    static constexpr size_t BlocksAhead = 8;

    // Starts reading the entries in order through reader, which the thread
    // uses alone until the pipeline goes.
    TEntryPipeline(TEntryReader& reader, std::vector<int> entries);
    // Stops the thread after the block it is reading.
    ~TEntryPipeline();
    TEntryPipeline(const TEntryPipeline&) = delete;
    TEntryPipeline& operator=(const TEntryPipeline&) = delete;

    // One entry's turn, in the order given: its bytes are written once at
    // most, and whatever of them is not taken is passed over when the turn
    // ends, so that the next turn starts with the next entry.
    class TTurn {
    public:
        explicit TTurn(TEntryPipeline& pipeline) : pipeline_(pipeline) {}
        ~TTurn();
        TTurn(const TTurn&) = delete;
        TTurn& operator=(const TTurn&) = delete;

        // Writes the entry's bytes into stream; false when the system refused
        // to write them, with its code as LastErrorCode gives it. Raises
        // Exception with the reader's reason when the entry is damaged. Each
        // block written is told to onBytes with its size.
        bool WriteTo(TFileStream& stream, const std::function<void(uint64_t bytes)>& onBytes = {});

    private:
        TEntryPipeline& pipeline_;
        bool ended_ = false;
    };

private:
    struct TBlock {
        std::unique_ptr<uint8_t[]> Bytes;
        int32_t Size = 0;
        bool Last = false;     // the entry's last block
        std::string Failure;   // why the entry's bytes could not be had; its last block then
    };

    void Run();
    void ReadEntry(int index);
    TBlock& FreeBlock();
    void Hand();
    TBlock& Take();
    void Release();

    TEntryReader& reader_;
    const std::vector<int> entries_;
    std::vector<TBlock> ring_;
    platform::TMonitor monitor_;
    size_t first_ = 0;  // the block taken next
    size_t count_ = 0;  // blocks handed and not yet released
    bool stopping_ = false;
    platform::TWorkerThread thread_;  // last: starts when everything else is ready
};
