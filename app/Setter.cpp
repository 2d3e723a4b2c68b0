// The program entry. Without arguments: the wizard form and the message
// loop (the folder chooser is made when Browse first asks for it); a
// start-up that fails shows its message and ends with exit code 1, the
// working folder removed. With /S the same installation runs without a
// window or a box. Exit codes: 0 installed (or the wizard ended by the
// user), 1 a failure, 2 an argument not understood, 4 (silent only) not
// installed because a newer version is installed, 3010 installed, with
// files in use replaced at the next restart. The program runs as its
// invoker; an installation for the whole machine starts it again elevated
// (the system asks for an administrator) and ends with the elevated run's
// exit code, an installation for one user needs no administrator.
#include <exception>

#include "app/ElevationChoice.h"
#include "app/JournalRollback.h"
#include "app/PayloadInAdvance.h"
#include "app/PayloadScope.h"
#include "app/SetupArguments.h"
#include "app/SetupForm.h"
#include "app/SetupPreparation.h"
#include "app/SilentSetup.h"
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

constexpr int kInstalled = 0, kFailed = 1, kBadArgument = 2, kNewerInstalled = 4, kRestartRequired = 3010;
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

// What came of a restart with elevation: the elevated run's exit code, or
// the reason why it did not start.
struct TElevatedRun {
    std::optional<int> ExitCode;
    std::string Failure;
    int FailureCode = 0;
};

// Hands the run over to an elevated one when its scope needs it; an empty
// result when this run goes on as it is.
TElevatedRun RunElevatedWhenNeeded(const TSetupArguments& arguments, TInstallScope scope) {
    if (ElevationChoiceFor(scope, platform::RunsElevated(), arguments.Elevated) != TElevationChoice::RestartElevated)
        return {};
    const std::string restartArguments = std::string(kElevatedArgument) + " " + ArgumentsOf(platform::CommandLine());
    if (const std::optional<uint32_t> exitCode = platform::RunElevatedAndWait(platform::ProgramFile(), restartArguments))
        return {static_cast<int>(*exitCode), "", 0};
    const int code = platform::LastErrorCode();
    return {std::nullopt,
            "Setup could not start with administrator rights, which installing for all users of this computer needs (" +
                platform::SystemErrorMessage(code) + ")",
            code};
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
        // Made while the window system starts up for the form.
        TPayloadInAdvance payload(ProgramFolder(), true, run.Log, TSetupForm::RemovalErrorHandler(run));
        auto& setupForm = Application().CreateForm<TSetupForm>(ProgramFolder(), run, &payload);
        setupForm.SetFolderChooser([]() -> TFolderMan& { return Application().CreateForm<TFolderMan>(); });
        if (!MayReplaceInstalledVersion(setupForm.Installed(), setupForm.Settings(), run,
                                        [&] { return setupForm.ConfirmDowngrade(); })) {
            Application().DestroyComponents();
            return kInstalled;  // ended by the user, who saw why
        }
        Application().Run();
    } catch (const std::exception& error) {
        TellFailure(run, error.what());
        return kFailed;
    }
    return kInstalled;
}

int InstallWithoutWindow(const TSetupRun& run) {
    run.Log->Step("Installing without a window");
    const TSilentOutcome outcome = InstallSilently(ProgramFolder(), run);
    if (outcome == TSilentOutcome::soNewerInstalled) return kNewerInstalled;
    if (outcome == TSilentOutcome::soNoRoom) {
        run.Log->Step("Not installed: nothing was changed");
        return kFailed;
    }
    const bool installed = outcome != TSilentOutcome::soFailed && !run.Log->HadFailure();
    const bool restart = outcome == TSilentOutcome::soRestartNeeded;
    run.Log->Step(!installed ? "Not installed completely"
                  : restart  ? "Installed; a restart completes the installation"
                             : "Installed");
    return !installed ? kFailed : restart ? kRestartRequired : kInstalled;
}

}  // namespace

int main() {
    platform::RestrictLibrarySearch();
    platform::TComInitializer com(platform::TComInitializer::OnFirstUse);  // the first window needs none
    TSetupArguments arguments = ParseSetupArguments(ArgumentsOf(platform::CommandLine()));
    MakeDestinationCanonical(arguments);
    const TInstallScope scope = ScopeOfRun(arguments);
    const TElevatedRun elevated = arguments.Unknown.empty() ? RunElevatedWhenNeeded(arguments, scope) : TElevatedRun{};
    if (elevated.ExitCode) return *elevated.ExitCode;
    TRunLog log;
    const TSetupRun run{arguments.Silent, arguments.Destination, &log, nullptr, arguments.Language, arguments.Scope, arguments.AllowDowngrade};
    try {
        if (!arguments.LogFile.empty()) log.Open(arguments.LogFile);
    } catch (const std::exception& error) {
        if (!run.Silent) Application().ShowException(error.what());
        return kFailed;
    }
    if (!elevated.Failure.empty()) {
        // The user who declined the system's question needs no box about it.
        if (elevated.FailureCode == kCancelledByUser) log.Failure(elevated.Failure);
        else TellFailure(run, elevated.Failure);
        return kFailed;
    }
    CleanUpAfterEarlierRuns(log, scope);
    if (!arguments.Unknown.empty()) {
        TellFailure(run, UnknownArgumentText(arguments.Unknown));
        return kBadArgument;
    }
    return run.Silent ? InstallWithoutWindow(run) : RunWizard(run);
}
