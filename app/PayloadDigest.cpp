#include "app/PayloadDigest.h"

#include <vector>

#include "archive/ArchiveDigest.h"
#include "platform/Exception.h"
#include "platform/FileStream.h"

namespace {

constexpr int32_t kBlockSize = 1 << 16;

}  // namespace

bool HoldsDigest(const TSha256Digest& slot) {
    for (const uint8_t byte : slot)
        if (byte != 0) return true;
    return false;
}

TSha256Digest DigestOf(TFileStream& stream) {
    TSha256 sha;
    std::vector<uint8_t> block(kBlockSize);
    stream.Seek(0, TSeekOrigin::soBeginning);
    for (int32_t n; (n = stream.Read(block.data(), kBlockSize)) > 0;) sha.Update(block.data(), size_t(n));
    return sha.Finish();
}

TSha256Digest PayloadDigestOf(TFileStream& payload) { return ArchiveDigestOf(payload); }

std::unique_ptr<TFileStream> OpenPayloadOf(const std::string& payloadFile, const TSha256Digest& digest) {
    auto payload = std::make_unique<TFileStream>(payloadFile, TFileMode::fmOpenReadDenyWrite);
    if (PayloadDigestOf(*payload) != digest)
        throw Exception("The setup's files do not belong together: " + payloadFile +
                        " is not the payload this Setup.exe was built with. Nothing was unpacked.");
    return payload;
}
