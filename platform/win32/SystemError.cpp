#include "platform/SystemError.h"

#include <windows.h>

#include "platform/Text.h"

namespace platform {

std::string SystemErrorMessage(int errorCode) {
    char buffer[1024];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        static_cast<DWORD>(errorCode), 0, buffer, sizeof buffer, nullptr);
    // The system ends its texts with a line break and breaks long ones; a
    // reason in brackets reads as one line.
    std::string message;
    for (DWORD i = 0; i < length; ++i) {
        const bool space = buffer[i] == '\r' || buffer[i] == '\n' || buffer[i] == ' ';
        if (!space) message += buffer[i];
        else if (!message.empty() && message.back() != ' ') message += ' ';
    }
    if (!message.empty() && message.back() == ' ') message.pop_back();
    return message.empty() ? Format("Error %d", errorCode) : message;
}

}  // namespace platform
