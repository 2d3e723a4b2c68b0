#include "platform/Com.h"

#include <windows.h>
#include <objbase.h>

#include "platform/Text.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

std::string SystemMessage(long result) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = length && text ? Utf8Of(text, length) : Format("OLE-Fehler %08lX", result);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message;
}

}  // namespace

EOleSysError::EOleSysError(long result) : Exception(SystemMessage(result)), result_(result) {}

namespace {

thread_local TComInitializer* threadSession = nullptr;  // the innermost session of this thread

}  // namespace

TComInitializer::TComInitializer(TWhen when) : outer_(threadSession) {
    threadSession = this;
    if (when == Now) Initialize();
}

TComInitializer::~TComInitializer() {
    threadSession = outer_;
    if (initialized_) CoUninitialize();
}

void TComInitializer::Initialize() {
    if (!initialized_) initialized_ = SUCCEEDED(CoInitialize(nullptr));
}

void NeedCom() {
    if (threadSession) threadSession->Initialize();
}

}  // namespace platform
