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
        TInstallation installation(settings, payload, choices, installed, run.Log, run.Gate);
        if (!InstallCompletely(installation, settings)) return TSilentOutcome::soFailed;
        return installation.RestartReplacements().empty() ? TSilentOutcome::soInstalled : TSilentOutcome::soRestartNeeded;
    } catch (const std::exception& error) {
        if (run.Log) run.Log->Failure(error.what());
        return TSilentOutcome::soFailed;
    }
}
