#include "tools/kelpack/PayloadStamp.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "app/PayloadDigest.h"
#include "platform/Exception.h"
#include "platform/FileStream.h"

namespace {

// Larger than any Setup.exe the kit builds.
constexpr int64_t kLargestProgram = 64 << 20;

}  // namespace

TSha256Digest PayloadFileDigest(const std::string& file) {
    TFileStream stream(file, TFileMode::fmOpenReadDenyWrite);
    return PayloadDigestOf(stream);
}

bool StampPayloadDigest(const std::string& setupExe, const TSha256Digest& digest) {
    const std::vector<uint8_t> program = ReadWholeFile(setupExe, kLargestProgram);
    const auto marker = std::begin(kPayloadDigestMarker), markerEnd = std::end(kPayloadDigestMarker);
    const auto found = std::search(program.begin(), program.end(), marker, markerEnd);
    if (found == program.end()) return false;
    const auto slot = found + std::size(kPayloadDigestMarker);
    if (std::search(slot, program.end(), marker, markerEnd) != program.end())
        throw Exception(setupExe + " holds the payload digest's marker more than once");
    if (program.end() - slot < int64_t(digest.size())) throw Exception(setupExe + " ends inside its payload digest");
    TFileStream stream(setupExe, TFileMode::fmOpenReadWrite);
    stream.Seek(slot - program.begin(), TSeekOrigin::soBeginning);
    stream.WriteBuffer(digest.data(), int32_t(digest.size()));
    return true;
}
