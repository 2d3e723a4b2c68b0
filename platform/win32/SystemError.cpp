#include "platform/SystemError.h"

#include <windows.h>

#include "platform/Text.h"

namespace platform {

std::string SystemErrorMessage(int errorCode) {
    char buffer[1024];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        static_cast<DWORD>(errorCode), 0, buffer, sizeof buffer, nullptr);
    std::string message(buffer, length);
    // The system ends its texts with a line break, which a message in brackets cannot use.
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message.empty() ? Format("Error %d", errorCode) : message;
}

}  // namespace platform
