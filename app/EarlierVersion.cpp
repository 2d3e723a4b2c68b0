#include "app/EarlierVersion.h"

#include <optional>

#include "app/DroppedItems.h"
#include "app/InstallJournal.h"
#include "app/InstallationFiles.h"
#include "app/ProductBounds.h"
#include "app/SetupLogBook.h"
#include "platform/FileSystem.h"
#include "platform/HeldFile.h"

namespace {

TRemovalPlan PlanOfThisRun(const TSetupLogBook& logBook) {
    TStringList lines = logBook.Lines;
    lines.Insert(0, "SetupLOG");
    return PlanOfLog(lines, logBook.LogFileName, UninstallerOf(logBook.LogFileName)).value_or(TRemovalPlan{});
}

bool HoldsNothing(const std::string& folder) {
    platform::TFindEnum find;
    platform::TSearchRec entry;
    if (!find.First(folder + "\\*.*", platform::faAnyFile, entry)) return false;
    do {
        if (entry.Name != "." && entry.Name != "..") return false;
    } while (find.Next(entry));
    return true;
}

void RemoveFolder(const std::string& folder, TInstallJournal& journal, TEarlierVersionCleanup& cleanup) {
    if (!platform::DirectoryExists(folder)) return;
    if (!HoldsNothing(folder)) cleanup.KeptFolders.push_back(folder);
    else if (journal.RemoveFolder(folder)) cleanup.Removed.push_back(folder);
    else cleanup.Failed = true;
}

// A file in use (the earlier program still running) stays for a later removal.
void RemoveFile(const std::string& file, TInstallJournal& journal, TEarlierVersionCleanup& cleanup) {
    if (!platform::FileExists(file)) return;
    if (platform::IsFileHeld(file)) cleanup.KeptFiles.push_back(file);
    else if (journal.RemoveFile(file)) cleanup.Removed.push_back(file);
    else cleanup.Failed = true;
}

}  // namespace

TEarlierVersionCleanup RemoveEarlierVersionsItems(const TInstalledProduct& installed, const TSetupLogBook& logBook,
                                                  TInstallJournal& journal) {
    TEarlierVersionCleanup cleanup;
    if (installed.Location.empty()) return cleanup;
    const std::string uninstaller = UninstallerIn(installed.Location);
    std::optional<TRemovalPlan> earlier = PlanOfLogFile(installed.LogFile(), uninstaller);
    if (!earlier) return cleanup;  // without its log, nothing of it is known to be the product's
    ConfinePlan(*earlier, ProductBounds(*earlier, uninstaller));
    cleanup.LogRead = true;
    for (const TRemovalStep& step : DroppedItems(*earlier, PlanOfThisRun(logBook))) {
        if (cleanup.Failed) break;
        if (LeadsThroughLink(earlier->Bounds, step.Path)) continue;
        if (step.Kind == TRemovalKind::Folder) RemoveFolder(step.Path, journal, cleanup);
        else RemoveFile(step.Path, journal, cleanup);
    }
    return cleanup;
}
