#include "app/Installation.h"

#include <algorithm>
#include <chrono>

#include "app/EarlierVersion.h"
#include "app/InstallationFiles.h"
#include "app/ProductCopy.h"
#include "app/RunLog.h"
#include "app/ScopeFolders.h"
#include "app/SetupPayload.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/HeldFile.h"
#include "platform/SystemError.h"
#include "platform/Text.h"
#include "shell/FolderMan.h"
#include "shell/FolderLevels.h"
#include "shell/PathParts.h"
#include "shell/Shortcut.h"

namespace {

constexpr int kShowNormal = 1;  // how the shortcuts open their windows
constexpr const char* kDestinationSubFolders[] = {"\\Graphics", "\\Sounds", "\\Additional"};
// How often the copy tells its progress.
constexpr std::chrono::milliseconds kProgressInterval{40};

}  // namespace

TInstallation::TInstallation(const TSetupSettings& settings, const TSetupPayload& payload, const TInstallChoices& choices,
                             const std::optional<TInstalledProduct>& installed, TRunLog* log, TChangeGate* gate)
    : settings_(settings), payload_(payload), choices_(choices), installed_(installed), log_(log), journal_(gate) {
    journal_.SetScope(choices_.Scope);
}

void TInstallation::Step(const std::string& text) const {
    if (log_) log_->Step(text);
}

std::string TInstallation::InstalledProgram() const { return choices_.Destination + "\\" + settings_.TargetFile; }

uint64_t TInstallation::ProductBytes() const { return ProductBytesOf(settings_.AddFiles.Lines(), payload_.Entries()); }

void TInstallation::InstallFiles() {
    const std::string& destination = choices_.Destination;
    Step("Installing into " + destination);
    CreateParentFolders(destination);
    logBook_.AddDirectory(destination);
    for (const char* folder : kDestinationSubFolders) journal_.MakeFolderLevels(destination + folder);
    for (const char* folder : kDestinationSubFolders) logBook_.AddDirectory(destination + folder);
    WriteProductFiles();
    NoteRestartReplacements();
    if (!Trim(choices_.Folder).empty()) CreateProgramGroup();
    LogFailedSteps();
}

void TInstallation::LogMadeFolder(const std::string& folder) {
    logBook_.AddDirectory(folder);
    Step("Created folder " + folder);
}

// The folders above the destination that are not there yet, made and logged
// outermost first, so that the uninstaller removes them after the
// destination once they are empty.
void TInstallation::CreateParentFolders(const std::string& folder) {
    for (const std::string& made : journal_.MakeFolderLevels(ParentFolderOf(folder))) LogMadeFolder(made);
}

std::vector<TProductFile> TInstallation::ProductFiles() const {
    std::vector<TProductFile> files;
    files.reserve(static_cast<size_t>(settings_.AddFiles.Count()));
    for (const std::string& name : settings_.AddFiles.Lines()) {
        const std::optional<int> entry = payload_.Entries().IndexOf(name);
        const uint64_t size = entry ? static_cast<uint64_t>(std::max<int64_t>(payload_.Entries()[*entry].FileSize, 0)) : 0;
        files.push_back({choices_.Destination + "\\" + name, TargetFolderBelow(choices_.Destination, name), entry, size});
    }
    return files;
}

// Writes every product file from the payload, replacing what is there,
// making the missing folders below the destination that each file lies in
// first. The writing runs on a thread of its own; meanwhile the progress is
// told by bytes. Each file is logged after the folders made for it,
// whether or not it could be written; a failed one is remembered with its
// reason.
void TInstallation::WriteProductFiles() {
    std::vector<TProductFile> files = ProductFiles();
    if (files.empty()) return;
    uint64_t total = 0;
    std::vector<std::string> targets;
    for (const TProductFile& file : files) {
        total += file.Size;
        targets.push_back(file.Target);
    }
    TProductCopy copy(std::move(files), payload_.File(), payload_.Entries(), journal_);
    Tell(0, 0, total);
    for (size_t logged = 0; logged < copy.Count();) {
        const size_t done = copy.WaitForAll(kProgressInterval);
        for (; logged < done; ++logged) LogCopy(targets[logged], copy.Outcome(logged));
        Tell(std::min(done, copy.Count() - 1), copy.BytesDone(), total);
    }
}

// The file being written (the last one at the end) and the bytes done.
void TInstallation::Tell(size_t index, uint64_t doneBytes, uint64_t totalBytes) {
    if (OnProgress) OnProgress({settings_.AddFiles[static_cast<int32_t>(index)], doneBytes, totalBytes});
}

void TInstallation::LogCopy(const std::string& target, const TCopyOutcome& outcome) {
    for (const std::string& made : outcome.MadeFolders) LogMadeFolder(made);
    if (outcome.Copied) Step("Copied " + target);
    else failedCopies_.push_back({target, outcome.Reason.empty() ? platform::SystemErrorMessage(outcome.ErrorCode) : outcome.Reason});
    logBook_.AddCopyFile(target);
}

// Files in use get their new bytes at the next restart.
void TInstallation::NoteRestartReplacements() {
    for (const TInstallJournal::TRestartReplacement& replacement : journal_.RestartReplacements()) {
        restartReplacements_.push_back(replacement.Target);
        Step("In use: " + replacement.Target + " is replaced by " + replacement.Copy + " at the next restart");
    }
}

void TInstallation::LogFailedSteps() {
    if (!log_) return;
    for (const TFailedCopy& copy : failedCopies_) log_->Failure("Could not copy " + copy.Target + " (" + copy.Reason + ")");
    if (failedGroup_) log_->Failure("Could not create " + failedGroup_->Target + " (" + failedGroup_->Reason + ")");
    for (const TFailedCopy& link : failedShortcuts_)
        log_->Failure("Could not save the shortcut " + link.Target + " (" + link.Reason + ")");
}

// The Start-menu program folder with the shortcuts to the program, its
// uninstaller and the ReadMe, in the Programs folder of the installation's
// scope: the common one, so that every user of the machine gets them (also
// a standard user for whom an administrator approved the elevation), or the
// user's own. The folder may have sub-folders; each level that is made is
// logged, and levels that are already there are used as they are and not
// logged. Without a Programs folder there is no place for it; a folder that
// cannot be made (an invalid name, no rights) is left out and reported with
// the other failed steps.
void TInstallation::CreateProgramGroup() {
    const std::string programs = ProgramsFolderOf(choices_.Scope, Owner);
    if (programs.empty()) return;
    const std::string group = WithTrailingBackslash(programs) + choices_.Folder;
    for (const std::string& made : journal_.MakeFolderLevels(group)) LogMadeFolder(made);
    const int error = platform::LastErrorCode();
    if (!FolderExists(group)) {
        failedGroup_ = TFailedCopy{group, platform::SystemErrorMessage(error)};
        return;
    }
    const std::string& title = settings_.SiteletTitle;
    const std::string& destination = choices_.Destination;
    WriteShortcut(group + "\\" + title + ".lnk", {InstalledProgram(), "", destination, title});
    WriteShortcut(group + "\\Uninstall.lnk", {UninstallerIn(destination), "", destination, "Uninstall " + title});
    if (settings_.HasReadMe()) {
        const std::string name = ExtractFileName(settings_.ReadMe);
        WriteShortcut(group + "\\" + name + ".lnk", {platform::SystemProgram(kReadMeViewer), settings_.ReadMe, destination, name});
    }
}

// A shortcut that could not be saved is a failed step, not one made: it is
// remembered for the report and stays out of the log book.
bool TInstallation::WriteShortcut(const std::string& linkFile, const TShortcutTarget& target) {
    int error = 0;
    const bool made = journal_.PlaceFile(linkFile, true, [&] {
        error = CreateShortcut(linkFile, target.Target, target.Arguments, target.WorkingFolder, target.Description, 0,
                               "", 0, 0, 0, kShowNormal);
        return error == 0;
    });
    if (!made) {
        failedShortcuts_.push_back({linkFile, platform::SystemErrorMessage(error ? error : platform::LastErrorCode())});
        return false;
    }
    logBook_.AddLink(linkFile);
    Step("Created shortcut " + linkFile);
    return true;
}

std::optional<TFailedCopy> TInstallation::Complete(bool desktopShortcut, bool withFailedSteps) {
    try {
        std::optional<TFailedCopy> failedDesktop;
        if (desktopShortcut) failedDesktop = CreateDesktopShortcut();
        CleanUpEarlierVersion();
        RegisterAndSaveLog();
        if (withFailedSteps || !StepFailed()) journal_.Commit();
        return failedDesktop;
    } catch (const std::exception& error) {
        if (log_) log_->Failure(error.what());
        throw;
    }
}

// Without a desktop folder there is no place for the shortcut. The copy
// phase's report is over; this failure is told on its own.
std::optional<TFailedCopy> TInstallation::CreateDesktopShortcut() {
    const std::string desktop = DesktopFolderOf(choices_.Scope);
    if (desktop.empty()) return std::nullopt;
    const std::string& title = settings_.SiteletTitle;
    if (WriteShortcut(WithTrailingBackslash(desktop) + title + ".lnk", {InstalledProgram(), "", choices_.Destination, title}))
        return std::nullopt;
    const TFailedCopy& failed = failedShortcuts_.back();
    if (log_) log_->Failure("Could not save the shortcut " + failed.Target + " (" + failed.Reason + ")");
    return failed;
}

// An uninstall entry never stays without its log: when the log cannot be
// written, the entry goes again.
void TInstallation::RegisterAndSaveLog() {
    logBook_.LogFileName = LogFileIn(choices_.Destination);
    logBook_.KeyName = settings_.SiteletTitle;
    logBook_.AppName = settings_.SiteletTitle;
    logBook_.Details = UninstallDetails();
    logBook_.Scope = choices_.Scope;
    try {
        logBook_.RegisterUninstall(journal_);
        Step(std::string("Registered the uninstall entry ") + choices_.Scope.RegistryRootName() + "\\" +
             UninstallKeyOf(logBook_.KeyName));
        if (!journal_.PlaceFile(logBook_.LogFileName, false, [&] {
                logBook_.SaveLog();
                return platform::FlushFile(logBook_.LogFileName);
            }))
            throw EFCreateError(logBook_.LogFileName);
        Step("Wrote " + logBook_.LogFileName);
    } catch (const std::exception&) {
        logBook_.UnregisterUninstall();
        throw;
    }
}

// What the installed version made and this one does not goes, once, before
// the new log is written; what of it stays (folders that hold what this
// version or the user put there, files in use) is this log's to remove later.
void TInstallation::CleanUpEarlierVersion() {
    if (!installed_ || earlierVersionCleaned_) return;
    logBook_.LogFileName = LogFileIn(choices_.Destination);
    const TEarlierVersionCleanup cleanup = RemoveEarlierVersionsItems(*installed_, logBook_, journal_);
    if (cleanup.Failed) throw Exception(journal_.FailedStep());
    earlierVersionCleaned_ = true;
    if (!cleanup.LogRead) Step("No log of the installed version in " + installed_->Location + ": nothing of it removed");
    for (const std::string& item : cleanup.Removed) Step("Removed " + item + ", which this version does not install");
    for (const std::string& file : cleanup.KeptFiles) {
        Step("Kept " + file + ", which is in use; the uninstaller removes it");
        logBook_.Lines.Add("COPYFILE=" + file);
    }
    for (const std::string& folder : cleanup.KeptFolders) logBook_.Lines.Add("DIRECTORY=" + folder);
}

// The size of the installed files, as the payload gives them.
TUninstallDetails TInstallation::UninstallDetails() const {
    return {InstalledProgram(), choices_.Destination, static_cast<uint32_t>((ProductBytes() + 1023) / 1024),
            settings_.Version, settings_.Publisher, choices_.Language};
}

bool TInstallation::StepFailed() const {
    return journal_.Failed() || !failedCopies_.empty() || failedGroup_ || !failedShortcuts_.empty();
}

void TInstallation::Rollback() {
    if (log_ && journal_.Failed()) log_->Failure("Failed step: " + journal_.FailedStep());
    journal_.Rollback();
    Step("Rolled back: everything the installation changed was undone");
}
