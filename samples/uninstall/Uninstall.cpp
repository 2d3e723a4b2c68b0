// The sample product's uninstaller: reads setup.log from its own folder,
// asks once, removes what the setup made and says what stayed. Its own
// file, and the folders that hold nothing else, are removed at the next
// restart, as a running program's file cannot be deleted.
#include <exception>

#include "platform/FileSystem.h"
#include "platform/RestartRemoval.h"
#include "platform/ui/Dialogs.h"
#include "samples/uninstall/Removal.h"
#include "shell/PathParts.h"

int main() {
    const std::string programFile = platform::ProgramFile();
    const std::string logFile = ExtractFilePath(programFile) + "setup.log";
    TRemovalPlan plan;
    try {
        plan = ReadRemovalPlan(logFile, programFile);
    } catch (const std::exception& error) {
        MessageDlg(error.what(), "Uninstall", mtError, mbOK);
        return 1;
    }
    const std::string caption = "Uninstall " + plan.Name;
    if (MessageDlg(RemovalQuestion(plan), caption, mtConfirmation, mbYesNo) != mrYes) return 0;
    const TRemovalResult result = CarryOutRemoval(plan, platform::RemoveAtRestart);
    MessageDlg(RemovalSummary(plan, result), caption, result.LeftOvers.empty() ? mtInformation : mtWarning, mbOK);
    return result.LeftOvers.empty() ? 0 : 1;
}
