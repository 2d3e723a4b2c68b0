#include "tools/kelpack/Deflater.h"

#include <climits>

#include <zlib.h>
#ifdef KEL_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

#include "platform/Exception.h"

namespace {

constexpr int kZlibMaxLevel = Z_BEST_COMPRESSION;
constexpr int kLibdeflateMaxLevel = 12;

class TZlibDeflater : public TDeflater {
public:
    explicit TZlibDeflater(int level) {
        if (deflateInit(&stream_, level) != Z_OK)
            throw Exception("Cannot start the compression");
    }
    ~TZlibDeflater() override { deflateEnd(&stream_); }

    size_t Compress(const uint8_t* in, size_t size, uint8_t* out, size_t room) override {
        if (size > UINT_MAX || deflateReset(&stream_) != Z_OK) return 0;
        stream_.next_in = const_cast<uint8_t*>(in);
        stream_.avail_in = static_cast<uInt>(size);
        stream_.next_out = out;
        stream_.avail_out = static_cast<uInt>(room < UINT_MAX ? room : UINT_MAX);
        // A stream that runs out of room ends the attempt early.
        if (deflate(&stream_, Z_FINISH) != Z_STREAM_END) return 0;
        return static_cast<size_t>(stream_.total_out);
    }

private:
    z_stream stream_{};
};

#ifdef KEL_HAVE_LIBDEFLATE
class TLibdeflateDeflater : public TDeflater {
public:
    explicit TLibdeflateDeflater(int level) : compressor_(libdeflate_alloc_compressor(level)) {
        if (!compressor_) throw Exception("Cannot start the compression");
    }
    ~TLibdeflateDeflater() override { libdeflate_free_compressor(compressor_); }

    size_t Compress(const uint8_t* in, size_t size, uint8_t* out, size_t room) override {
        return libdeflate_zlib_compress(compressor_, in, size, out, room);
    }

private:
    libdeflate_compressor* compressor_;
};
#endif

}  // namespace

std::unique_ptr<TDeflater> NewDeflater(TCodecLibrary library, int level) {
    if (level < 1 || level > MaxDeflateLevel(library)) throw Exception("No such compression level");
#ifdef KEL_HAVE_LIBDEFLATE
    if (library == TCodecLibrary::Libdeflate) return std::make_unique<TLibdeflateDeflater>(level);
#endif
    return std::make_unique<TZlibDeflater>(level);
}

int MaxDeflateLevel(TCodecLibrary library) {
    return library == TCodecLibrary::Libdeflate && HasLibdeflate() ? kLibdeflateMaxLevel : kZlibMaxLevel;
}

size_t DeflateBound(size_t size) {
    // zlib's bound, widened for libdeflate's stored blocks.
    return size + size / 1024 + (size >> 12) + 64;
}
