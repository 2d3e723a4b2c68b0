#pragma once
// One run of the uninstaller, in the user's language, with its boxes and
// windows or, when silent, without any. The original (started by the user
// or the list of installed programs) asks and hands the removal to its copy
// in the temporary folder; the copy removes, reports, and removes the
// original's file and folders once the original has ended. Results: 0 when
// everything was removed, 1 otherwise, 2 for an argument not understood.
// Windows only.
#include <string>
#include <utility>

#include "platform/ui/Dialogs.h"
#include "uninstall/Removal.h"
#include "uninstall/UninstallArguments.h"
#include "uninstall/UninstallTexts.h"

class TUninstaller {
public:
    // Speaks the language given until the log names an installation that recorded its own.
    TUninstaller(TUninstallLanguage language, bool silent) : language_(std::move(language)), silent_(silent) {}

    // Says which argument was not understood (unless silent); returns 2.
    int RefuseArgument(const std::string& argument);
    // The original: reads the log beside programFile, asks, and has its copy
    // remove. Without a copy it removes by itself and leaves its own file
    // and folders to the next restart.
    int RunOriginal(const std::string& programFile);
    // The copy, for the original that started it.
    int RunCopy(const TOriginal& original);

private:
    bool ReadPlan(const std::string& programFile, TRemovalPlan& plan);
    // The removal of the plan's steps, with the progress window when it is
    // long and the run is not silent.
    TRemovalResult Remove(const TRemovalPlan& plan);
    int RemoveHere(const TRemovalPlan& plan);
    void Tell(const std::string& text, const std::string& caption, TMsgDlgType type);
    void TellSummary(const TRemovalPlan& plan, const TRemovalResult& result);

    TUninstallLanguage language_;
    bool silent_;
};
