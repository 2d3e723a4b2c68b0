#include "platform/ProcessLink.h"

#include <windows.h>

#include "platform/Exception.h"
#include "platform/win32/WideText.h"

namespace platform {

TReportingChild::TReportingChild() {
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr, self = nullptr;
    if (!CreatePipe(&read, &write, &inheritable, 0)) throw EInOutError(int(GetLastError()));
    read_ = read;
    write_ = write;
    // Only the write end goes to the started program.
    if (!SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0) ||
        !DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self, SYNCHRONIZE, TRUE, 0)) {
        const int error = int(GetLastError());
        CloseInherited();
        CloseHandle(read);
        throw EInOutError(error);
    }
    self_ = self;
}

TReportingChild::~TReportingChild() {
    CloseInherited();
    if (read_) CloseHandle(read_);
    if (process_) CloseHandle(process_);
}

void TReportingChild::CloseInherited() {
    if (write_) CloseHandle(write_);
    if (self_) CloseHandle(self_);
    write_ = self_ = nullptr;
}

uintptr_t TReportingChild::ParentHandle() const { return reinterpret_cast<uintptr_t>(self_); }
uintptr_t TReportingChild::ReportHandle() const { return reinterpret_cast<uintptr_t>(write_); }

bool TReportingChild::Start(const std::string& program, const std::string& commandLine, const std::string& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::wstring line = Wide(commandLine);  // the call may write into it
    const std::wstring wideFolder = Wide(folder);
    if (!CreateProcessW(Wide(program).c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        folder.empty() ? nullptr : wideFolder.c_str(), &startup, &started))
        return false;
    AllowSetForegroundWindow(started.dwProcessId);
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    // Once the started program holds the only write end, the pipe breaks when it ends.
    CloseInherited();
    return true;
}

std::optional<uint8_t> TReportingChild::WaitForReport() {
    uint8_t value = 0;
    DWORD read = 0;
    if (!ReadFile(read_, &value, 1, &read, nullptr) || read != 1) return std::nullopt;
    return value;
}

std::optional<uint32_t> TReportingChild::WaitForEnd(uint32_t timeoutMs) {
    DWORD exitCode = 0;
    if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0 || !GetExitCodeProcess(process_, &exitCode))
        return std::nullopt;
    return exitCode;
}

uint32_t CurrentProcessId() { return GetCurrentProcessId(); }

bool ReportToParent(uintptr_t reportHandle, uint8_t value) {
    HANDLE pipe = reinterpret_cast<HANDLE>(reportHandle);
    DWORD written = 0;
    const bool reported = WriteFile(pipe, &value, 1, &written, nullptr) && written == 1;
    CloseHandle(pipe);
    return reported;
}

bool WaitForParentToEnd(uintptr_t parentHandle, uint32_t timeoutMs) {
    HANDLE parent = reinterpret_cast<HANDLE>(parentHandle);
    const bool ended = WaitForSingleObject(parent, timeoutMs) == WAIT_OBJECT_0;
    CloseHandle(parent);
    return ended;
}

}  // namespace platform
