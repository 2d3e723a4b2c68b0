#pragma once
// A read-only stream over another one that reads the source in large blocks,
// so that many small reads and short moves back and forth cost no call on it.
#include <cstdint>
#include <memory>

#include "platform/Stream.h"

class TReadAheadStream : public TStream {
public:
    // Starts at the source's current position.
    TReadAheadStream(TStream& source, int32_t blockSize);

    // Reads up to count bytes; fewer only at the source's end.
    int32_t Read(void* buffer, int32_t count) override;
    // Writes nothing: the stream only reads.
    int32_t Write(const void* buffer, int32_t count) override;
    // Moves without touching the source; -1 and no move for a negative position.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return source_.Size(); }
    // The bytes held from position on, without copying them: at most count,
    // fewer at the end of the block read, none at the source's end (or a
    // negative position). They stay valid until the next read or peek; the
    // stream's position does not move.
    const uint8_t* Peek(int64_t position, int32_t& count);

private:
    // The block held, as a span of the source.
    bool Holds(int64_t position) const { return position >= blockStart_ && position < blockStart_ + blockLength_; }
    // Reads the block that starts at position; false when nothing is there.
    bool ReadBlock(int64_t position);

    TStream& source_;  // not owned
    std::unique_ptr<uint8_t[]> block_;
    int32_t blockSize_;
    int64_t blockStart_ = 0;
    int32_t blockLength_ = 0;
    int64_t position_;
};
