// The program entry. Without arguments: the wizard form and the message
// loop (the folder chooser is made when Browse first asks for it); a
// start-up that fails shows its message and ends with exit code 1, the
// working folder removed. With /S the same installation runs without a
// window or a box. Exit codes: 0 installed (or the wizard ended by the
// user), 1 a failure, 2 an argument not understood, 4 (silent only) not
// installed because a newer version is installed, 3010 installed, with
// files in use replaced at the next restart.
#include <exception>

#include "app/JournalRollback.h"
#include "app/SetupArguments.h"
#include "app/SetupForm.h"
#include "app/WorkFolderMarker.h"
#include "platform/CommandLine.h"
#include "platform/Com.h"
#include "platform/FileSystem.h"
#include "platform/FullPath.h"
#include "platform/LibrarySearch.h"
#include "platform/ui/Application.h"
#include "shell/FolderMan.h"

namespace {

constexpr int kInstalled = 0, kFailed = 1, kBadArgument = 2, kNewerInstalled = 4, kRestartRequired = 3010;

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

// Before anything else: installations that were interrupted are undone, and
// the working folders of setups that were killed go.
void CleanUpAfterEarlierRuns(TRunLog& log) {
    for (const std::string& journal : RecoverInterruptedInstallations())
        log.Step("Rolled back the interrupted installation of " + journal);
    RemoveLeftWorkFolders(ProgramFolder(), true);
    RemoveLeftWorkFolders(platform::TempFolder());
}

// An older version replaces a newer one only when /ALLOWDOWNGRADE says so,
// or the user agrees; silently, it is refused.
bool MayReplaceInstalledVersion(TSetupForm& form, const TSetupRun& run) {
    if (form.VersionMeeting() != TVersionMeeting::vmDowngrade) return true;
    const std::string versions = "version " + form.Settings().Version + " of this setup is older than the installed version " +
                                 form.Installed()->Version;
    if (run.AllowDowngrade) {
        run.Log->Step("Installing although " + versions + " (/ALLOWDOWNGRADE)");
        return true;
    }
    if (!run.Silent && form.ConfirmDowngrade()) return true;
    run.Log->Failure("Not installed: " + versions + "; /ALLOWDOWNGRADE installs it anyway");
    return false;
}

int RunWizard(const TSetupRun& run) {
    try {
        auto& setupForm = Application().CreateForm<TSetupForm>(ProgramFolder(), run);
        setupForm.SetFolderChooser([]() -> TFolderMan& { return Application().CreateForm<TFolderMan>(); });
        if (!MayReplaceInstalledVersion(setupForm, run)) {
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
    bool refused = false, restart = false;
    try {
        TSetupForm& form = Application().CreateForm<TSetupForm>(ProgramFolder(), run);
        refused = !MayReplaceInstalledVersion(form, run);
        if (!refused) restart = form.InstallSilently() && form.RestartNeeded();
    } catch (const std::exception& error) {
        run.Log->Failure(error.what());
    }
    Application().DestroyComponents();  // the working folder goes with the form
    if (refused) return kNewerInstalled;
    const bool installed = !run.Log->HadFailure();
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
    TRunLog log;
    const TSetupRun run{arguments.Silent, arguments.Destination, &log, nullptr, arguments.AllowDowngrade};
    try {
        if (!arguments.LogFile.empty()) log.Open(arguments.LogFile);
    } catch (const std::exception& error) {
        if (!run.Silent) Application().ShowException(error.what());
        return kFailed;
    }
    CleanUpAfterEarlierRuns(log);
    if (!arguments.Unknown.empty()) {
        TellFailure(run, UnknownArgumentText(arguments.Unknown));
        return kBadArgument;
    }
    return run.Silent ? InstallWithoutWindow(run) : RunWizard(run);
}
