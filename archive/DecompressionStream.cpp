#include "archive/DecompressionStream.h"

#include <algorithm>

namespace {

[[noreturn]] void Fail() { throw EDecompressionError("error"); }
[[noreturn]] void InvalidOperation() { throw ECompressionError("Invalid stream operation"); }

}  // namespace

TCustomZlibStream::TCustomZlibStream(TStream& source)
    : source_(source), sourcePosition_(source.Position()), input_(new uint8_t[InputBufferSize]) {}

TDecompressionStream::TDecompressionStream(TStream& source) : TCustomZlibStream(source) {
    if (inflateInit(&zstream_) != Z_OK) Fail();
}

TDecompressionStream::~TDecompressionStream() {
    if (zstream_.avail_in > 0) source_.Seek(-static_cast<int64_t>(zstream_.avail_in), TSeekOrigin::soCurrent);
    inflateEnd(&zstream_);
}

void TDecompressionStream::RefillInput() {
    const int32_t n = source_.Read(input_.get(), InputBufferSize);
    if (n <= 0) Fail();  // the source ended inside the compressed data
    zstream_.next_in = input_.get();
    zstream_.avail_in = static_cast<uInt>(n);
    sourcePosition_ = source_.Position();
    if (OnProgress) OnProgress(*this);
}

int32_t TDecompressionStream::Read(void* buffer, int32_t count) {
    if (count <= 0) return 0;
    zstream_.next_out = static_cast<Bytef*>(buffer);
    zstream_.avail_out = static_cast<uInt>(count);
    if (source_.Position() != sourcePosition_) source_.SetPosition(sourcePosition_);
    while (zstream_.avail_out > 0) {
        if (zstream_.avail_in == 0) RefillInput();
        const int result = inflate(&zstream_, Z_NO_FLUSH);
        // A stream made with a preset dictionary cannot be read without it, and
        // inflate would make no progress on it however often it is called.
        if (result < 0 || result == Z_NEED_DICT) Fail();
        if (result == Z_STREAM_END && zstream_.avail_out > 0) Fail();  // data ended early
    }
    return count;
}

int32_t TDecompressionStream::Write(const void*, int32_t) { InvalidOperation(); }

void TDecompressionStream::SkipForward(int64_t count) {
    uint8_t discard[4096];
    while (count > 0) {
        const int32_t piece = static_cast<int32_t>(std::min<int64_t>(count, sizeof discard));
        Read(discard, piece);
        count -= piece;
    }
}

int64_t TDecompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int64_t produced = static_cast<int64_t>(zstream_.total_out);
    if (origin == TSeekOrigin::soBeginning && offset == 0) {
        inflateReset(&zstream_);
        zstream_.next_in = input_.get();
        zstream_.avail_in = 0;
        sourcePosition_ = 0;
        source_.SetPosition(0);
    } else if (origin == TSeekOrigin::soCurrent && offset >= 0) {
        SkipForward(offset);
    } else if (origin == TSeekOrigin::soBeginning && offset > produced) {
        SkipForward(offset - produced);
    } else {
        InvalidOperation();
    }
    return static_cast<int64_t>(zstream_.total_out);
}
