#include "platform/SystemError.h"

#include <cstring>

#include "platform/Text.h"

namespace platform {

std::string SystemErrorText(int errorCode) {
    char buffer[256] = "";
    // The GNU form returns the text, which need not lie in the buffer.
    const char* message = strerror_r(errorCode, buffer, sizeof buffer);
    return message ? std::string(message) : std::string();
}

std::string SystemErrorMessage(int errorCode) {
    const std::string message = SystemErrorText(errorCode);
    return message.empty() ? Format("Error %d", errorCode) : message;
}

}  // namespace platform
