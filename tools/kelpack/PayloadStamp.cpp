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

// Where the slot after the marker starts; the program's end when it has none.
std::vector<uint8_t>::const_iterator SlotAfter(const std::vector<uint8_t>& program, const char (&marker)[16],
                                               const std::string& setupExe) {
    const auto found = std::search(program.begin(), program.end(), std::begin(marker), std::end(marker));
    if (found == program.end()) return found;
    const auto slot = found + std::size(marker);
    if (std::search(slot, program.end(), std::begin(marker), std::end(marker)) != program.end())
        throw Exception(setupExe + " holds the payload digest's marker more than once");
    if (program.end() - slot < int64_t(sizeof(TSha256Digest))) throw Exception(setupExe + " ends inside its payload digest");
    return slot;
}

}  // namespace

bool StampPayloadDigest(const std::string& setupExe, const std::string& payloadFile) {
    const std::vector<uint8_t> program = ReadWholeFile(setupExe, kLargestProgram);
    auto slot = SlotAfter(program, kPayloadDigestMarker, setupExe);
    const bool wholeFile = slot == program.end();
    if (wholeFile) slot = SlotAfter(program, kWholePayloadDigestMarker, setupExe);
    if (slot == program.end()) return false;
    TFileStream payload(payloadFile, TFileMode::fmOpenReadDenyWrite);
    const TSha256Digest digest = wholeFile ? DigestOf(payload) : PayloadDigestOf(payload);
    TFileStream stream(setupExe, TFileMode::fmOpenReadWrite);
    stream.Seek(slot - program.begin(), TSeekOrigin::soBeginning);
    stream.WriteBuffer(digest.data(), int32_t(digest.size()));
    return true;
}
