#include "platform/UnguessableName.h"

#include <windows.h>
#include <ntsecapi.h>

namespace platform {

std::string UnguessableName() {
    unsigned char bytes[16];
    if (!RtlGenRandom(bytes, sizeof(bytes))) return {};
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string name;
    for (const unsigned char byte : bytes) {
        name += kDigits[byte >> 4];
        name += kDigits[byte & 15];
    }
    return name;
}

}  // namespace platform
