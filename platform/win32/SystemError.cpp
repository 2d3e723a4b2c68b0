#include "platform/SystemError.h"

#include <windows.h>

#include "platform/Text.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

// The system's text for the code, as long as it is; empty when it has none.
std::string SystemText(int errorCode) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(errorCode), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = length && text ? Utf8Of(text, length) : std::string();
    if (text) LocalFree(text);
    return message;
}

}  // namespace

std::string SystemErrorText(int errorCode) {
    // The system ends its texts with a line break and breaks long ones; a
    // reason in brackets reads as one line.
    std::string message;
    for (const char c : SystemText(errorCode)) {
        const bool space = c == '\r' || c == '\n' || c == ' ';
        if (!space) message += c;
        else if (!message.empty() && message.back() != ' ') message += ' ';
    }
    if (!message.empty() && message.back() == ' ') message.pop_back();
    return message;
}

std::string SystemErrorMessage(int errorCode) {
    const std::string message = SystemErrorText(errorCode);
    return message.empty() ? Format("Error %d", errorCode) : message;
}

}  // namespace platform
