#include "uninstall/UninstallRun.h"

#include <memory>

#include "app/InstallationFiles.h"
#include "app/ProductBounds.h"
#include "app/UninstallEntryValues.h"
#include "platform/FileSystem.h"
#include "platform/ProcessLink.h"
#include "platform/RestartRemoval.h"
#include "uninstall/RemovalProgressForm.h"
#include "uninstall/SelfCopy.h"

namespace {

// The original ends as soon as it has read the copy's report.
constexpr uint32_t kOriginalEndTimeoutMs = 60000;

int ExitCodeOf(const TRemovalResult& result) { return RemovedCompletely(result) ? 0 : 1; }

}  // namespace

void TUninstaller::Tell(const std::string& text, const std::string& caption, TMsgDlgType type) {
    if (!silent_) OwnMessageDlg(text, caption, type, WordsOf(language_).Ok, "");
}

int TUninstaller::RefuseArgument(const std::string& argument) {
    Tell(ArgumentNotUnderstoodText(language_, argument), UninstallCaption(language_, ""), mtError);
    return 2;
}

bool TUninstaller::ReadPlan(const std::string& programFile, TRemovalPlan& plan) {
    const std::string logFile = LogFileOf(programFile);
    TLogReading reading = ReadSetupLog(logFile, programFile);
    if (!reading.Plan) {
        Tell(LogProblemText(language_, reading.Problem, logFile, reading.Detail), UninstallCaption(language_, ""),
             mtError);
        return false;
    }
    plan = std::move(*reading.Plan);
    language_ = UninstallLanguageOf(InstallationLanguage(plan.Scope, plan.Key), language_);
    ConfinePlan(plan, ProductBounds(plan, programFile));
    return true;
}

int TUninstaller::RunOriginal(const std::string& programFile) {
    TRemovalPlan plan;
    if (!ReadPlan(programFile, plan)) return 1;
    if (!silent_) {
        const TUninstallWords words = WordsOf(language_);
        if (OwnMessageDlg(RemovalQuestion(language_, plan), UninstallCaption(language_, plan.Name), mtConfirmation,
                          words.Yes, words.No) != mrYes)
            return 1;
    }
    if (const std::optional<int> result = RemoveThroughCopy(programFile, silent_)) return *result;
    return RemoveHere(plan);
}

int TUninstaller::RemoveHere(const TRemovalPlan& plan) {
    TRemovalResult result = Remove(plan);
    FinishRemoval(result, platform::RemoveAtRestart);
    TellSummary(plan, result);
    return ExitCodeOf(result);
}

int TUninstaller::RunCopy(const TOriginal& original) {
    RemoveOwnCopyAtRestart(platform::ProgramFile());
    TRemovalPlan plan;
    if (!ReadPlan(original.File, plan)) {
        platform::ReportToParent(original.Report, 1);
        return 1;
    }
    TRemovalResult result = Remove(plan);
    const int exitCode = ExitCodeOf(result);
    platform::ReportToParent(original.Report, uint8_t(exitCode));
    // Should the original not end, its file is marked for the restart instead.
    platform::WaitForParentToEnd(original.Process, kOriginalEndTimeoutMs);
    FinishRemoval(result, platform::RemoveAtRestart);
    TellSummary(plan, result);
    return exitCode;
}

TRemovalResult TUninstaller::Remove(const TRemovalPlan& plan) {
    if (silent_ || plan.Steps.size() < kStepsShowingProgress) return CarryOutRemoval(plan);
    const auto window = std::make_unique<TRemovalProgressForm>(nullptr, UninstallCaption(language_, plan.Name),
                                                               RemovalProgressHead(language_, plan));
    return CarryOutRemoval(plan, [&](size_t done, size_t count, const std::string& item) {
        window->ShowStep(done, count, RemovingText(language_, item));
    });
}

void TUninstaller::TellSummary(const TRemovalPlan& plan, const TRemovalResult& result) {
    Tell(RemovalSummary(language_, plan, result), UninstallCaption(language_, plan.Name),
         result.LeftOvers.empty() ? mtInformation : mtWarning);
}
