#include "uninstall/SelfCopy.h"

#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/ProcessLink.h"
#include "platform/RestartRemoval.h"
#include "platform/Text.h"
#include "uninstall/UninstallArguments.h"

namespace {

constexpr int kNamesTried = 100;
// How long a copy that ended without its report may take to end entirely.
constexpr uint32_t kCopyEndTimeoutMs = 10000;

// Copies the program to a name of its own in the temporary folder; empty when it cannot.
std::string CopyToTemp(const std::string& programFile, uint32_t processId) {
    const std::string folder = platform::TempFolder();
    for (int i = 0; i < kNamesTried; ++i) {
        const std::string copy = folder + Format("Uninstall-%X-%d.exe", unsigned(processId), i);
        if (platform::CopyFileTo(programFile, copy, true)) return copy;
    }
    return {};
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The copy failed before it removed anything (it refused an argument or
// failed at its start) and its pipe broke. Its file can be deleted only once
// its process has ended and its image is gone, so that is waited for; should
// it not end in time, or the file not go, the restart removes it. The copy's
// exit code is the result, 1 when it has none.
int EndedWithoutReport(platform::TReportingChild& child, const std::string& copy) {
    const std::optional<uint32_t> exitCode = child.WaitForEnd(kCopyEndTimeoutMs);
    if (!exitCode || !platform::RemoveFile(copy)) platform::RemoveAtRestart(copy);
    return exitCode ? static_cast<int>(*exitCode) : 1;
}

}  // namespace

std::optional<int> RemoveThroughCopy(const std::string& programFile, bool silent) {
    const std::string copy = CopyToTemp(programFile, platform::CurrentProcessId());
    if (copy.empty()) return std::nullopt;
    try {
        platform::TReportingChild child;
        const TOriginal original{child.ParentHandle(), child.ReportHandle(), programFile};
        const std::string commandLine = Quoted(copy) + (silent ? " /S " : " ") + Quoted(CopyOfArgument(original));
        if (child.Start(copy, commandLine, platform::TempFolder())) {
            if (const std::optional<uint8_t> result = child.WaitForReport()) return *result;
            return EndedWithoutReport(child, copy);
        }
    } catch (const EInOutError&) {
    }
    platform::RemoveFile(copy);
    return std::nullopt;
}
