#include "archive/ArchiveDigest.h"

#include <vector>

namespace {

constexpr int32_t kBlockSize = 1 << 16;

}  // namespace

std::optional<TArchiveTrailer> ReadArchiveTrailer(TStream& archive) {
    uint8_t bytes[ArchiveTrailerSize];
    if (archive.Size() < ArchiveTrailerSize || archive.Seek(-ArchiveTrailerSize, TSeekOrigin::soEnd) < 0 ||
        archive.Read(bytes, ArchiveTrailerSize) != ArchiveTrailerSize)
        return std::nullopt;
    return TArchiveTrailer::Decode(bytes);
}

int64_t DigestStart(const TArchiveTrailer& trailer, int64_t archiveSize) {
    const bool tableInside = trailer.TableOffset >= 0 && trailer.TableOffset <= archiveSize - ArchiveTrailerSize;
    return trailer.HasEntryDigests && tableInside ? trailer.TableOffset : 0;
}

TSha256Digest ArchiveDigestOf(TStream& archive) {
    const std::optional<TArchiveTrailer> trailer = ReadArchiveTrailer(archive);
    const int64_t start = trailer ? DigestStart(*trailer, archive.Size()) : 0;
    TSha256 sha;
    std::vector<uint8_t> block(kBlockSize);
    archive.Seek(start, TSeekOrigin::soBeginning);
    for (int32_t n; (n = archive.Read(block.data(), kBlockSize)) > 0;) sha.Update(block.data(), size_t(n));
    return sha.Finish();
}
