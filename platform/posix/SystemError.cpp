#include "platform/SystemError.h"

#include <cstring>

#include "platform/Text.h"

namespace platform {

std::string SystemErrorMessage(int errorCode) {
    char buffer[256] = "";
    // The GNU form returns the text, which need not lie in the buffer.
    const char* message = strerror_r(errorCode, buffer, sizeof buffer);
    return message && *message ? std::string(message) : Format("Error %d", errorCode);
}

}  // namespace platform
