#include "tools/kelpack/VendorText.h"

#include <cstdint>
#include <vector>

#include "platform/FileStream.h"

std::string VendorTextOf(const std::string& bytes) {
    const std::string body = StartsWithByteOrderMark(bytes) ? bytes.substr(kUtf8ByteOrderMark.size()) : bytes;
    return IsUtf8(body) ? body : Windows1252ToUtf8(body);
}

std::string ReadVendorText(const std::string& path) {
    const int64_t maxBytes = 16 << 20;  // far more than any description or licence text
    const std::vector<uint8_t> bytes = ReadWholeFile(path, maxBytes);
    return VendorTextOf(std::string(bytes.begin(), bytes.end()));
}

std::string PayloadNameOf(const std::string& systemName) {
    return IsUtf8(systemName) ? systemName : Windows1252ToUtf8(systemName);
}
