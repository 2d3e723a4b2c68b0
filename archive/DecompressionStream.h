#pragma once
// A stream that reads the decompressed bytes of a zlib stream from a source stream.
#include <cstdint>
#include <functional>
#include <memory>

#include <zlib.h>

#include "platform/Exception.h"
#include "platform/Stream.h"

class EZlibError : public Exception { using Exception::Exception; };
class ECompressionError : public EZlibError { using EZlibError::EZlibError; };
class EDecompressionError : public EZlibError { using EZlibError::EZlibError; };

class TCustomZlibStream : public TStream {
public:
    static constexpr int32_t InputBufferSize = 65536;
    // Raised after each refill of the input buffer.
    std::function<void(TCustomZlibStream& sender)> OnProgress;

protected:
    explicit TCustomZlibStream(TStream& source);

    TStream& source_;           // not owned
    int64_t sourcePosition_;    // where this stream last left the source
    z_stream zstream_{};
    std::unique_ptr<uint8_t[]> input_;
};

class TDecompressionStream : public TCustomZlibStream {
public:
    // Starts at the source's current position; raises EDecompressionError
    // when inflate cannot be set up.
    explicit TDecompressionStream(TStream& source);
    // Gives back the input read ahead but not consumed, so the source
    // stands right after the compressed data.
    ~TDecompressionStream() override;

    // Delivers exactly count bytes or raises EDecompressionError.
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    // Back to the start, or forward by reading and discarding.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;

private:
    void RefillInput();
    void SkipForward(int64_t count);
};
