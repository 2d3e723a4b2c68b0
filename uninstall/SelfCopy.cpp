#include "uninstall/SelfCopy.h"

#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/ProcessLink.h"
#include "platform/NewFolder.h"
#include "platform/RestartRemoval.h"
#include "platform/UnguessableName.h"
#include "shell/PathParts.h"
#include "uninstall/UninstallArguments.h"

namespace {

constexpr int kNamesTried = 10;
// How long a copy that ended without its report may take to end entirely.
constexpr uint32_t kCopyEndTimeoutMs = 10000;

// Copies the program into a fresh folder of its own in the temporary
// folder, under a name nobody can guess, so that nobody can have put a
// library or a folder there first; empty when it cannot.
std::string CopyToTemp(const std::string& programFile) {
    for (int i = 0; i < kNamesTried; ++i) {
        const std::string name = platform::UnguessableName();
        if (name.empty()) return {};
        const std::string folder = platform::TempFolder() + kCopyFolderPrefix + name;
        if (!platform::CreateNewFolder(folder)) continue;
        const std::string copy = folder + "\\" + kCopyName;
        if (platform::CopyFileTo(programFile, copy, true)) return copy;
        platform::RemoveDir(folder);
    }
    return {};
}

std::string FolderOfCopy(const std::string& copy) { return copy.substr(0, copy.find_last_of('\\')); }

// The copy and its folder, now or at the next restart.
void RemoveCopy(const std::string& copy, bool now) {
    if (now && platform::RemoveFile(copy) && platform::RemoveDir(FolderOfCopy(copy))) return;
    platform::RemoveAtRestart(copy);
    platform::RemoveAtRestart(FolderOfCopy(copy));
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The copy failed before it removed anything (it refused an argument or
// failed at its start) and its pipe broke. Its file can be deleted only once
// its process has ended and its image is gone, so that is waited for; should
// it not end in time, or the file not go, the restart removes it. The copy's
// exit code is the result, 1 when it has none.
int EndedWithoutReport(platform::TReportingChild& child, const std::string& copy) {
    const std::optional<uint32_t> exitCode = child.WaitForEnd(kCopyEndTimeoutMs);
    RemoveCopy(copy, exitCode.has_value());
    return exitCode ? static_cast<int>(*exitCode) : 1;
}

}  // namespace

std::optional<int> RemoveThroughCopy(const std::string& programFile, bool silent) {
    const std::string copy = CopyToTemp(programFile);
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
    RemoveCopy(copy, true);
    return std::nullopt;
}

void RemoveOwnCopyAtRestart(const std::string& copy) {
    platform::RemoveAtRestart(copy);
    if (ExtractFileName(FolderOfCopy(copy)).rfind(kCopyFolderPrefix, 0) == 0) platform::RemoveAtRestart(FolderOfCopy(copy));
}
