#include "platform/Com.h"

#include <windows.h>
#include <objbase.h>

#include "platform/SystemError.h"
#include "platform/Text.h"

namespace platform {

namespace {

std::string SystemMessage(long result) {
    const std::string message = SystemErrorText(static_cast<int>(result));
    return message.empty() ? Format("OLE-Fehler %08lX", result) : message;
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
