#include "uninstall/SelfCopy.h"

#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/ProcessLink.h"
#include "platform/Text.h"
#include "uninstall/UninstallArguments.h"

namespace {

constexpr int kNamesTried = 100;

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

}  // namespace

std::optional<int> RemoveThroughCopy(const std::string& programFile, bool silent) {
    const std::string copy = CopyToTemp(programFile, platform::CurrentProcessId());
    if (copy.empty()) return std::nullopt;
    try {
        platform::TReportingChild child;
        const TOriginal original{child.ParentHandle(), child.ReportHandle(), programFile};
        const std::string commandLine = Quoted(copy) + (silent ? " /S " : " ") + Quoted(CopyOfArgument(original));
        if (child.Start(copy, commandLine, platform::TempFolder())) {
            const std::optional<uint8_t> result = child.WaitForReport();
            if (result) return *result;
            platform::RemoveFile(copy);  // it ended without its report
            return 1;
        }
    } catch (const EInOutError&) {
    }
    platform::RemoveFile(copy);
    return std::nullopt;
}
