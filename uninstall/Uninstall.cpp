// The product's uninstaller: reads setup.log from its own folder, asks once,
// removes what the setup made and says what stayed; with /S it does the same
// without asking and without any window. It leaves nothing behind: the
// removal runs in a copy of it in the temporary folder, which deletes this
// program's file and folders once this program has ended.
#include <exception>
#include <string>
#include <vector>

#include "app/JournalRollback.h"
#include "platform/FileSystem.h"
#include "platform/LibrarySearch.h"
#include "platform/ProgramArguments.h"
#include "platform/UserLanguage.h"
#include "uninstall/UninstallRun.h"

int main(int argc, char** argv) {
    platform::RestrictLibrarySearch();
    const TUninstallArguments arguments = ParseUninstallArguments(platform::ProgramArguments(argc, argv));
    TUninstaller uninstaller(UninstallLanguageOf(platform::UserInterfaceLanguage()), arguments.Silent);
    try {
        if (!arguments.NotUnderstood.empty()) return uninstaller.RefuseArgument(arguments.NotUnderstood);
        if (arguments.Original) return uninstaller.RunCopy(*arguments.Original);
        // An installation that was interrupted is undone first, so that what
        // is removed is what the last complete installation left.
        RecoverInterruptedInstallations();
        return uninstaller.RunOriginal(platform::ProgramFile());
    } catch (const std::exception&) {
        return 1;  // a failure, told by nothing else when a box is what failed
    }
}
