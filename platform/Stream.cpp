#include "platform/Stream.h"

#include <algorithm>
#include <cstring>

#include "platform/Exception.h"

int64_t TStream::Size() {
    const int64_t position = Position();
    const int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(position, TSeekOrigin::soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, int32_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream-Lesefehler");
}

void TStream::WriteBuffer(const void* buffer, int32_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream-Schreibfehler");
}

int32_t TMemoryStream::Read(void* buffer, int32_t count) {
    const int64_t available = Size() - position_;
    if (count <= 0 || available <= 0) return 0;
    const int32_t n = static_cast<int32_t>(std::min<int64_t>(count, available));
    std::memcpy(buffer, bytes_.data() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
    if (count <= 0 || position_ < 0) return 0;
    const size_t end = static_cast<size_t>(position_) + static_cast<size_t>(count);
    if (end > bytes_.size()) bytes_.resize(end);
    std::memcpy(bytes_.data() + position_, buffer, static_cast<size_t>(count));
    position_ += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    switch (origin) {
        case TSeekOrigin::soBeginning: position_ = offset; break;
        case TSeekOrigin::soCurrent: position_ += offset; break;
        case TSeekOrigin::soEnd: position_ = Size() + offset; break;
    }
    return position_;
}
