#pragma once
// A program that starts another and waits for one result byte from it,
// while the started one may wait for the starter to end. The started program
// inherits two handles, which the starter names on its command line: one to
// the starter's process and the write end of a pipe. Windows only.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The starting side.
class TReportingChild {
public:
    // Makes the pipe and the inheritable handle to this process; raises
    // EInOutError when it cannot.
    TReportingChild();
    ~TReportingChild();
    TReportingChild(const TReportingChild&) = delete;
    TReportingChild& operator=(const TReportingChild&) = delete;

    // The numbers of the handles that the started program inherits.
    uintptr_t ParentHandle() const;
    uintptr_t ReportHandle() const;

    // Starts the program with the command line (which names the program
    // first) in the folder, handing down the two handles, and lets it bring
    // its windows to the front. False when it could not be started.
    bool Start(const std::string& program, const std::string& commandLine, const std::string& folder);
    // Waits for the byte the started program reports; nothing when it ends
    // without reporting.
    std::optional<uint8_t> WaitForReport();
    // Waits until the started program has ended, at most timeoutMs
    // milliseconds; its exit code, or nothing when it still runs.
    std::optional<uint32_t> WaitForEnd(uint32_t timeoutMs);

private:
    void CloseInherited();

    void* read_ = nullptr;
    void* write_ = nullptr;
    void* self_ = nullptr;
    void* process_ = nullptr;  // the started program's
};

// The number by which the system knows the running process.
uint32_t CurrentProcessId();

// The started side: writes the byte on the inherited pipe and closes it;
// false when it could not be written.
bool ReportToParent(uintptr_t reportHandle, uint8_t value);
// Waits until the process of the inherited handle has ended, at most
// timeoutMs milliseconds, and closes the handle; true when it has ended.
bool WaitForParentToEnd(uintptr_t parentHandle, uint32_t timeoutMs);

}  // namespace platform
