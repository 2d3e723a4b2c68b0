// The product's uninstaller: reads setup.log from its own folder, asks once,
// removes what the setup made and says what stayed; with /S it does the same
// without asking and without any window. It leaves nothing behind: the
// removal runs in a copy of it in the temporary folder, which deletes this
// program's file and folders once this program has ended. It runs as its
// invoker: the removal of a machine installation starts it again elevated,
// that of an installation for one user needs no administrator.
#include <exception>
#include <string>
#include <vector>

#include "app/ElevationChoice.h"
#include "app/InstallationFiles.h"
#include "app/JournalRollback.h"
#include "platform/Elevation.h"
#include "platform/FileSystem.h"
#include "platform/LibrarySearch.h"
#include "platform/ProgramArguments.h"
#include "platform/UserLanguage.h"
#include "uninstall/UninstallRun.h"

namespace {

// The scope the log beside the uninstaller records; the machine's when the
// log cannot be read (the run then tells what is wrong with it).
TInstallScope InstalledScope(const std::string& programFile) {
    try {
        if (const std::optional<TRemovalPlan> plan = PlanOfLogFile(LogFileOf(programFile), programFile))
            return plan->Scope;
    } catch (const std::exception&) {
        // The run reads the log again and fails in the same way.
    }
    return {};
}

// The arguments again as a command line, each in quotation marks when it
// holds a blank.
std::string CommandLineOf(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) line += ' ';
        line += argument.find_first_of(" \t") == std::string::npos ? argument : "\"" + argument + "\"";
    }
    return line;
}

// The exit code of the elevated run, when this one must hand over to it;
// 1 when the elevation was not given.
std::optional<int> RunElevatedWhenNeeded(TInstallScope scope, const std::vector<std::string>& given, bool restarted) {
    if (ElevationChoiceFor(scope, platform::RunsElevated(), restarted) != TElevationChoice::RestartElevated)
        return std::nullopt;
    std::vector<std::string> arguments{kElevatedArgument};
    arguments.insert(arguments.end(), given.begin(), given.end());
    const std::optional<uint32_t> exitCode = platform::RunElevatedAndWait(platform::ProgramFile(), CommandLineOf(arguments));
    return exitCode ? static_cast<int>(*exitCode) : 1;
}

}  // namespace

int main(int argc, char** argv) {
    platform::RestrictLibrarySearch();
    const std::vector<std::string> given = platform::ProgramArguments(argc, argv);
    const TUninstallArguments arguments = ParseUninstallArguments(given);
    TUninstaller uninstaller(UninstallLanguageOf(platform::UserInterfaceLanguage()), arguments.Silent);
    try {
        if (!arguments.NotUnderstood.empty()) return uninstaller.RefuseArgument(arguments.NotUnderstood);
        if (arguments.Original) return uninstaller.RunCopy(*arguments.Original);
        const TInstallScope scope = InstalledScope(platform::ProgramFile());
        if (const std::optional<int> elevatedResult = RunElevatedWhenNeeded(scope, given, arguments.Elevated))
            return *elevatedResult;
        // An installation that was interrupted is undone first, so that what
        // is removed is what the last complete installation left.
        RecoverInterruptedInstallations(scope);
        return uninstaller.RunOriginal(platform::ProgramFile());
    } catch (const std::exception&) {
        return 1;  // a failure, told by nothing else when a box is what failed
    }
}
