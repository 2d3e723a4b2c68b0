#include "app/SilentSetup.h"

#include <exception>

#include "app/Installation.h"
#include "app/RunLog.h"
#include "app/SetupPayload.h"
#include "app/SetupPreparation.h"
#include "app/SetupTexts.h"
#include "archive/ZLIBArchive.h"

namespace {

// Completes the installation unless a step of the copy failed; whatever is
// not complete by then is undone.
bool InstallCompletely(TInstallation& installation, const TSetupSettings& settings) {
    installation.InstallFiles();
    try {
        if (!installation.StepFailed()) installation.Complete(settings.DesktopIcon, false);
    } catch (const std::exception&) {
        installation.Rollback();
        throw;
    }
    if (installation.Committed()) return true;
    installation.Rollback();
    return false;
}

// Before anything is changed: a drive without room for the product's files
// is left as it is, and the log says what was needed and what was free.
bool DriveHasRoom(const TDiskSpace& space, const std::string& destination, const TSetupRun& run) {
    if (!run.Log) return space.Enough();
    const std::string told = SpaceLogText(space, destination);
    if (space.Enough()) run.Log->Step(told);
    else run.Log->Failure(told);
    return space.Enough();
}

}  // namespace

TSilentOutcome InstallSilently(const std::string& programFolder, const TSetupRun& run) {
    try {
        TZLBArchive archiver;
        TSetupPayload payload(archiver, programFolder, false, run.Log, [&run](const std::exception& error) {
            if (run.Log) run.Log->Failure(error.what());
        });
        TSetupSettings settings;
        ReadSetupSettings(payload.WorkFolder(), run, settings);
        TTextTable texts = BuiltInSetupTexts();
        const std::string language = ChooseRunLanguage(texts, payload.WorkFolder(), settings, run);
        const std::optional<TInstalledProduct> installed = FindEarlierInstallation(settings, run);
        if (!MayReplaceInstalledVersion(installed, settings, run, [] { return false; }))
            return TSilentOutcome::soNewerInstalled;
        const TInstallChoices choices{ProposedDestination(settings, run, installed), settings.Folder, settings.Scope, language};
        if (!DriveHasRoom(DiskSpaceFor(settings, payload.Entries(), choices.Destination), choices.Destination, run))
            return TSilentOutcome::soNoRoom;
        TInstallation installation(settings, payload, choices, installed, run.Log, run.Gate);
        if (!InstallCompletely(installation, settings)) return TSilentOutcome::soFailed;
        return installation.RestartReplacements().empty() ? TSilentOutcome::soInstalled : TSilentOutcome::soRestartNeeded;
    } catch (const std::exception& error) {
        if (run.Log) run.Log->Failure(error.what());
        return TSilentOutcome::soFailed;
    }
}
