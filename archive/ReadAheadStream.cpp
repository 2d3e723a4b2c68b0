#include "archive/ReadAheadStream.h"

#include <algorithm>
#include <cstring>

TReadAheadStream::TReadAheadStream(TStream& source, int32_t blockSize)
    : source_(source), block_(new uint8_t[static_cast<size_t>(blockSize)]), blockSize_(blockSize),
      position_(source.Position()) {}

int32_t TReadAheadStream::Read(void* buffer, int32_t count) {
    uint8_t* out = static_cast<uint8_t*>(buffer);
    int32_t done = 0;
    while (done < count) {
        if (Holds(position_)) {
            const int64_t held = blockStart_ + blockLength_ - position_;
            const int32_t n = static_cast<int32_t>(std::min<int64_t>(count - done, held));
            std::memcpy(out + done, block_.get() + (position_ - blockStart_), static_cast<size_t>(n));
            done += n;
            position_ += n;
        } else if (!ReadBlock(position_)) {
            break;
        }
    }
    return done;
}

const uint8_t* TReadAheadStream::Peek(int64_t position, int32_t& count) {
    if (!Holds(position) && !ReadBlock(position)) {
        count = 0;
        return nullptr;
    }
    count = static_cast<int32_t>(std::min<int64_t>(count, blockStart_ + blockLength_ - position));
    return block_.get() + (position - blockStart_);
}

bool TReadAheadStream::ReadBlock(int64_t position) {
    if (position < 0) return false;
    if (source_.Position() != position) source_.SetPosition(position);
    blockStart_ = position;
    blockLength_ = 0;  // nothing held should the read fail
    blockLength_ = std::max(source_.Read(block_.get(), blockSize_), 0);
    return blockLength_ > 0;
}

int32_t TReadAheadStream::Write(const void*, int32_t) { return 0; }

int64_t TReadAheadStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int64_t base = origin == TSeekOrigin::soBeginning ? 0
                         : origin == TSeekOrigin::soCurrent ? position_
                                                            : Size();
    int64_t position = 0;
    if (__builtin_add_overflow(base, offset, &position) || position < 0) return -1;
    return position_ = position;
}
