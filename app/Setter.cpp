// The program entry. Without arguments: the wizard form and the message
// loop (the folder chooser is made when Browse first asks for it); a
// start-up that fails shows its message and ends with exit code 1, the
// working folder removed. With /S the same installation runs without a
// window or a box. Exit codes: 0 installed (or the wizard ended by the
// user), 1 a failure, 2 an argument not understood. The program runs as its
// invoker; an installation for the whole machine starts it again elevated
// (the system asks for an administrator) and ends with the elevated run's
// exit code, an installation for one user needs no administrator.
#include <exception>

#include "app/ElevationChoice.h"
#include "app/JournalRollback.h"
#include "app/PayloadScope.h"
#include "app/SetupArguments.h"
#include "app/SetupForm.h"
#include "app/WorkFolderMarker.h"
#include "platform/CommandLine.h"
#include "platform/Com.h"
#include "platform/Elevation.h"
#include "platform/FileSystem.h"
#include "platform/FullPath.h"
#include "platform/LibrarySearch.h"
#include "platform/SystemError.h"
#include "platform/ui/Application.h"
#include "shell/FolderMan.h"

namespace {

constexpr int kInstalled = 0, kFailed = 1, kBadArgument = 2;
constexpr int kCancelledByUser = 1223;  // the system's code for a declined elevation

std::string ProgramFolder() { return platform::ProgramFolder() + "\\"; }

// Tells a failure that ends the run: in the step log, and in a box unless silent.
void TellFailure(const TSetupRun& run, const std::string& message) {
    run.Log->Failure(message);
    if (!run.Silent) Application().ShowException(message);
}

// Makes "/D=" the full, canonical destination; when it cannot be one, the
// argument is one not understood.
void MakeDestinationCanonical(TSetupArguments& arguments) {
    if (!arguments.Destination) return;
    if (const std::optional<std::string> canonical =
            CanonicalDestination(platform::FullLongPath(*arguments.Destination)))
        arguments.Destination = canonical;
    else if (arguments.Unknown.empty())
        arguments.Unknown = "/D=" + *arguments.Destination;
}

// The scope this run installs for: the command line's, else the description's.
TInstallScope ScopeOfRun(const TSetupArguments& arguments) {
    if (arguments.Scope) return *arguments.Scope;
    return DescribedScope(ProgramFolder() + kPayloadFile).value_or(TInstallScope());
}

// The elevated run's exit code when this run hands over to it; nothing when
// this run goes on, with the reason in failure when elevation was refused.
std::optional<int> RunElevatedWhenNeeded(const TSetupArguments& arguments, TInstallScope scope, std::string& failure,
                                         int& failureCode) {
    if (ElevationChoiceFor(scope, platform::RunsElevated(), arguments.Elevated) != TElevationChoice::RestartElevated)
        return std::nullopt;
    const std::string restartArguments = std::string(kElevatedArgument) + " " + ArgumentsOf(platform::CommandLine());
    if (const std::optional<uint32_t> exitCode = platform::RunElevatedAndWait(platform::ProgramFile(), restartArguments))
        return static_cast<int>(*exitCode);
    failureCode = platform::LastErrorCode();
    failure = "Setup could not start with administrator rights, which installing for all users of this computer "
              "needs (" + platform::SystemErrorMessage(failureCode) + ")";
    return std::nullopt;
}

// Before anything else: installations that were interrupted are undone, and
// the working folders of setups that were killed go.
void CleanUpAfterEarlierRuns(TRunLog& log, TInstallScope scope) {
    for (const std::string& journal : RecoverInterruptedInstallations(scope))
        log.Step("Rolled back the interrupted installation of " + journal);
    RemoveLeftWorkFolders(ProgramFolder(), true);
    RemoveLeftWorkFolders(platform::TempFolder());
}

int RunWizard(const TSetupRun& run) {
    try {
        auto& setupForm = Application().CreateForm<TSetupForm>(ProgramFolder(), run);
        setupForm.SetFolderChooser([]() -> TFolderMan& { return Application().CreateForm<TFolderMan>(); });
        Application().Run();
    } catch (const std::exception& error) {
        TellFailure(run, error.what());
        return kFailed;
    }
    return kInstalled;
}

int InstallWithoutWindow(const TSetupRun& run) {
    run.Log->Step("Installing without a window");
    try {
        Application().CreateForm<TSetupForm>(ProgramFolder(), run).InstallSilently();
    } catch (const std::exception& error) {
        run.Log->Failure(error.what());
    }
    Application().DestroyComponents();  // the working folder goes with the form
    const bool installed = !run.Log->HadFailure();
    run.Log->Step(installed ? "Installed" : "Not installed completely");
    return installed ? kInstalled : kFailed;
}

}  // namespace

int main() {
    platform::RestrictLibrarySearch();
    platform::TComInitializer com(platform::TComInitializer::OnFirstUse);  // the first window needs none
    TSetupArguments arguments = ParseSetupArguments(ArgumentsOf(platform::CommandLine()));
    MakeDestinationCanonical(arguments);
    const TInstallScope scope = ScopeOfRun(arguments);
    std::string elevationFailure;
    int elevationFailureCode = 0;
    if (arguments.Unknown.empty())
        if (const std::optional<int> exitCode = RunElevatedWhenNeeded(arguments, scope, elevationFailure, elevationFailureCode))
            return *exitCode;
    TRunLog log;
    const TSetupRun run{arguments.Silent, arguments.Destination, &log, nullptr, arguments.Scope};
    try {
        if (!arguments.LogFile.empty()) log.Open(arguments.LogFile);
    } catch (const std::exception& error) {
        if (!run.Silent) Application().ShowException(error.what());
        return kFailed;
    }
    if (!elevationFailure.empty()) {
        // The user who declined the system's question needs no box about it.
        if (elevationFailureCode == kCancelledByUser) log.Failure(elevationFailure);
        else TellFailure(run, elevationFailure);
        return kFailed;
    }
    CleanUpAfterEarlierRuns(log, scope);
    if (!arguments.Unknown.empty()) {
        TellFailure(run, UnknownArgumentText(arguments.Unknown));
        return kBadArgument;
    }
    return run.Silent ? InstallWithoutWindow(run) : RunWizard(run);
}
