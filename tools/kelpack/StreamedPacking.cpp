#include "tools/kelpack/StreamedPacking.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <zlib.h>

#include "archive/FastCrc32.h"
#include "platform/Exception.h"
#include "platform/FileStream.h"
#include "platform/Text.h"

namespace {

constexpr int32_t kBlockBytes = 1 << 20;
constexpr int kShrinkPercent = 97;  // a first block that comes out at least this large did not shrink

// zlib's streaming deflater, which writes what it makes to the sink.
class TStreamDeflater {
public:
    TStreamDeflater(int level, const TPackedBytesSink& sink) : sink_(sink), out_(kBlockBytes) {
        if (deflateInit(&stream_, std::min(level, Z_BEST_COMPRESSION)) != Z_OK)
            throw Exception("Cannot start the compression");
    }
    ~TStreamDeflater() { deflateEnd(&stream_); }
    TStreamDeflater(const TStreamDeflater&) = delete;
    TStreamDeflater& operator=(const TStreamDeflater&) = delete;

    void Add(const uint8_t* bytes, size_t count, bool last) {
        stream_.next_in = const_cast<uint8_t*>(bytes);
        stream_.avail_in = static_cast<uInt>(count);
        int result = Z_OK;
        do {
            stream_.next_out = out_.data();
            stream_.avail_out = static_cast<uInt>(out_.size());
            result = deflate(&stream_, last ? Z_FINISH : Z_NO_FLUSH);
            if (result == Z_STREAM_ERROR) throw Exception("Cannot compress");
            sink_(out_.data(), out_.size() - stream_.avail_out);
        } while (stream_.avail_out == 0 || (last && result != Z_STREAM_END));
    }

private:
    TPackedBytesSink sink_;
    std::vector<uint8_t> out_;
    z_stream stream_{};
};

// Whether a block deflates to less than kShrinkPercent of itself.
bool Shrinks(const uint8_t* bytes, size_t count, int level) {
    std::vector<uint8_t> kept;
    TStreamDeflater probe(level, [&](const uint8_t* b, size_t n) { kept.insert(kept.end(), b, b + n); });
    probe.Add(bytes, count, true);
    return kept.size() * 100 < count * kShrinkPercent;
}

int32_t ReadBlock(TFileStream& file, const std::string& path, uint8_t* block) {
    try {
        return file.Read(block, kBlockBytes);
    } catch (const EStreamError&) {
        throw Exception(Format("Cannot read %s", path.c_str()));
    }
}

}  // namespace

TStreamedFile PackStreamed(const std::string& path, int deflateLevel, const TPackedBytesSink& sink) {
    std::unique_ptr<TFileStream> file;
    try {
        file = std::make_unique<TFileStream>(path, TFileMode::fmOpenRead);
    } catch (const EStreamError&) {
        throw Exception(Format("Cannot read %s", path.c_str()));
    }
    TStreamedFile packed;
    TSha256 sha;
    std::vector<uint8_t> block(kBlockBytes), next(kBlockBytes);
    std::unique_ptr<TStreamDeflater> deflater;
    int32_t count = ReadBlock(*file, path, block.data());
    if (deflateLevel > 0 && count > 0 && Shrinks(block.data(), static_cast<size_t>(count), deflateLevel))
        deflater = std::make_unique<TStreamDeflater>(deflateLevel, sink);
    packed.Stored = !deflater;
    // Each block is read before the one before it is given, so that the last can end the stream.
    while (count > 0) {
        packed.CRC = Crc32After(packed.CRC, block.data(), static_cast<size_t>(count));
        sha.Update(block.data(), static_cast<size_t>(count));
        packed.Size += count;
        const int32_t nextCount = ReadBlock(*file, path, next.data());
        if (deflater) deflater->Add(block.data(), static_cast<size_t>(count), nextCount <= 0);
        else sink(block.data(), static_cast<size_t>(count));
        block.swap(next);
        count = nextCount;
    }
    packed.Sha256 = sha.Finish();
    return packed;
}
