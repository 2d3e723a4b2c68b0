#include "archive/WholeInflater.h"

#include <climits>

#include <zlib.h>
#ifdef KEL_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

#include "platform/Exception.h"

namespace {

class TZlibWholeInflater : public TWholeInflater {
public:
    TZlibWholeInflater() {
        if (inflateInit(&stream_) != Z_OK) throw Exception("Cannot start the decompression");
    }
    ~TZlibWholeInflater() override { inflateEnd(&stream_); }

    bool Inflate(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize) override {
        if (inSize > UINT_MAX || outSize > UINT_MAX || inflateReset(&stream_) != Z_OK) return false;
        stream_.next_in = const_cast<uint8_t*>(in);
        stream_.avail_in = static_cast<uInt>(inSize);
        stream_.next_out = out;
        stream_.avail_out = static_cast<uInt>(outSize);
        return inflate(&stream_, Z_FINISH) == Z_STREAM_END && stream_.avail_out == 0;
    }

private:
    z_stream stream_{};
};

#ifdef KEL_HAVE_LIBDEFLATE
class TLibdeflateWholeInflater : public TWholeInflater {
public:
    TLibdeflateWholeInflater() : decompressor_(libdeflate_alloc_decompressor()) {
        if (!decompressor_) throw Exception("Cannot start the decompression");
    }
    ~TLibdeflateWholeInflater() override { libdeflate_free_decompressor(decompressor_); }

    bool Inflate(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize) override {
        size_t consumed = 0;
        size_t produced = 0;
        // With both counts asked for, data after the stream is allowed and a
        // short stream is told rather than refused; the counts decide.
        return libdeflate_zlib_decompress_ex(decompressor_, in, inSize, out, outSize, &consumed, &produced) ==
                   LIBDEFLATE_SUCCESS &&
               produced == outSize;
    }

private:
    libdeflate_decompressor* decompressor_;
};
#endif

}  // namespace

std::unique_ptr<TWholeInflater> NewWholeInflater(TCodecLibrary library) {
#ifdef KEL_HAVE_LIBDEFLATE
    if (library == TCodecLibrary::Libdeflate) return std::make_unique<TLibdeflateWholeInflater>();
#endif
    (void)library;
    return std::make_unique<TZlibWholeInflater>();
}
