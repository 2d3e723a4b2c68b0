// The copy phase and the finishing actions. Each step is recorded in the log
// book as soon as it is done.
#include <algorithm>
#include <chrono>

#include "app/EarlierVersion.h"
#include "app/PageFlow.h"
#include "app/PayloadCopy.h"
#include "app/ScopeFolders.h"
#include "app/SetupForm.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/HeldFile.h"
#include "platform/Shell.h"
#include "platform/SystemError.h"
#include "platform/Text.h"
#include "platform/ui/Application.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Label.h"
#include "platform/ui/ProgressBar.h"
#include "shell/FolderMan.h"
#include "shell/FolderLevels.h"
#include "shell/PathParts.h"
#include "shell/ShellFolders.h"
#include "shell/Shortcut.h"

namespace {

constexpr int kShowNormal = 1;  // how the shortcuts open their windows
constexpr int kShow = 5;        // how the ReadMe viewer and the program are started
constexpr const char* kReadMeViewer = "notepad.exe";
constexpr const char* kDestinationSubFolders[] = {"\\Graphics", "\\Sounds", "\\Additional"};
// How often the copy phase shows its progress and repaints the window.
constexpr std::chrono::milliseconds kProgressInterval{40};

}  // namespace

void TSetupForm::InstallFiles() {
    // While files are copied, logging off and shutting down wait with a
    // reason; ended anyway, the journal has the next run undo the installation.
    struct TCopyPhase {
        TSetupForm& Form;
        TCopyPhase(TSetupForm& form, const std::string& reason) : Form(form) {
            Form.copying_ = true;
            Form.SetEndSessionBlockReason(reason);
        }
        ~TCopyPhase() {
            Form.copying_ = false;
            Form.SetEndSessionBlockReason("");
        }
    } phase(*this, (*words_)[TSetupText::ShutdownBlock]);
    const std::string& destination = settings_.Destination;
    Step("Installing into " + destination);
    CreateParentFolders(destination);
    logBook_.AddDirectory(destination);
    for (const char* folder : kDestinationSubFolders) journal_.MakeFolderLevels(destination + folder);
    for (const char* folder : kDestinationSubFolders) logBook_.AddDirectory(destination + folder);
    CopyPayloadFiles();
    NoteRestartReplacements();
    if (!Trim(settings_.Folder).empty()) CreateProgramGroup();
    // The keys and clicks given meanwhile waited in the queue, as the window
    // took none; they are dropped, so that they act neither on the box of
    // failed steps nor on the Finish page.
    Application().DiscardInput();
    ReportFailedSteps();
}

// The folders above the destination that are not there yet, made and logged
// outermost first, so that the uninstaller removes them after the
// destination once they are empty.
void TSetupForm::CreateParentFolders(const std::string& folder) {
    for (const std::string& made : journal_.MakeFolderLevels(ParentFolderOf(folder))) {
        logBook_.AddDirectory(made);
        Step("Created folder " + made);
    }
}

// Copies every payload file, replacing what is there, making the missing
// folders below the destination that each file lies in first. The copying
// runs on a thread of its own; meanwhile the window shows the file being
// copied and the progress, and repaints what was uncovered. Each file is
// logged after the folders made for it, whether or not its copy succeeded; a
// failed copy is remembered for the report, with the system's reason.
void TSetupForm::CopyPayloadFiles() {
    const int32_t count = settings_.AddFiles.Count();
    if (count == 0) return;
    std::vector<TCopyJob> jobs;
    jobs.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        const std::string& entry = settings_.AddFiles[i];
        jobs.push_back({workFolder_ + entry, settings_.Destination + "\\" + entry,
                        TargetFolderBelow(settings_.Destination, entry), PayloadCrcOf(payloadCrcs_, entry)});
    }
    TPayloadCopy copy(std::move(jobs), journal_);
    for (size_t logged = 0; logged < copy.Count();) {
        ShowCopying(static_cast<int32_t>(logged));
        const size_t done = copy.WaitForAll(kProgressInterval);
        for (; logged < done; ++logged) LogCopy(static_cast<int32_t>(logged), copy.Outcome(logged));
    }
    ShowCopying(count - 1);  // the last file, as the bar stood while it was copied
}

// Files in use get their new bytes at the next restart; the Finish page says so.
void TSetupForm::NoteRestartReplacements() {
    for (const TInstallJournal::TRestartReplacement& replacement : journal_.RestartReplacements()) {
        restartReplacements_.push_back(replacement.Target);
        Step("In use: " + replacement.Target + " is replaced by " + replacement.Copy + " at the next restart");
    }
    if (RestartNeeded()) FinshHead2->SetCaption(FinshHead2->Caption() + "\n\n" + (*words_)[TSetupText::RestartNeeded]);
}

// "copying " and the entry, and the bar at i x 100 / n, on show at once.
void TSetupForm::ShowCopying(int32_t index) {
    const int32_t count = settings_.AddFiles.Count();
    index = std::min(index, count - 1);
    Copymessage->SetCaption("copying " + settings_.AddFiles[index]);
    CopyProgress->SetPosition(static_cast<int32_t>(int64_t(index) * 100 / count));
    Repaint();
    Application().ProcessPaintMessages();
}

void TSetupForm::LogCopy(int32_t index, const TCopyOutcome& outcome) {
    for (const std::string& made : outcome.MadeFolders) {
        logBook_.AddDirectory(made);
        Step("Created folder " + made);
    }
    const std::string target = settings_.Destination + "\\" + settings_.AddFiles[index];
    if (outcome.Copied) Step("Copied " + target);
    else failedCopies_.push_back({target, outcome.Reason.empty() ? platform::SystemErrorMessage(outcome.ErrorCode) : outcome.Reason});
    logBook_.AddCopyFile(target);
}

// One error box for all the steps that failed, so that the Finish page
// does not stand alone as the last word. Without a window, the run log
// alone tells them.
void TSetupForm::ReportFailedSteps() {
    if (failedCopies_.empty() && !failedGroup_ && failedShortcuts_.empty()) return;
    if (run_.Log) {
        for (const TFailedCopy& copy : failedCopies_) run_.Log->Failure("Could not copy " + copy.Target + " (" + copy.Reason + ")");
        if (failedGroup_) run_.Log->Failure("Could not create " + failedGroup_->Target + " (" + failedGroup_->Reason + ")");
        for (const TFailedCopy& link : failedShortcuts_)
            run_.Log->Failure("Could not save the shortcut " + link.Target + " (" + link.Reason + ")");
    }
    if (!run_.Silent)
        ErrorBox(settings_.SiteletTitle,
                 FailedStepsText(*words_, failedCopies_, failedGroup_, failedShortcuts_));
}

// The Start-menu program folder with the shortcuts to the program, its
// uninstaller and the ReadMe, in the Programs folder of the installation's
// scope: the common one, so that every user of the machine gets them (also
// a standard user for whom an administrator approved the elevation), or the
// user's own. The folder may have sub-folders; each level
// that is made is logged, and levels that are already there are used as
// they are and not logged. Without a Programs folder there is no place for
// it; a folder that cannot be made (an invalid name, no rights) is left out
// and reported with the other failed steps.
void TSetupForm::CreateProgramGroup() {
    const std::string programs = ProgramsFolderOf(settings_.Scope, Handle());
    if (programs.empty()) return;
    const std::string group = WithTrailingBackslash(programs) + settings_.Folder;
    for (const std::string& made : journal_.MakeFolderLevels(group)) {
        logBook_.AddDirectory(made);
        Step("Created folder " + made);
    }
    const int error = platform::LastErrorCode();
    if (!FolderExists(group)) {
        failedGroup_ = TFailedCopy{group, platform::SystemErrorMessage(error)};
        return;
    }
    const std::string& title = settings_.SiteletTitle;
    WriteShortcut(group + "\\" + title + ".lnk", {InstalledProgram(), "", settings_.Destination, title});
    WriteShortcut(group + "\\Uninstall.lnk",
                  {settings_.Destination + "\\uninstall.exe", "", settings_.Destination, "Uninstall " + title});
    if (settings_.HasReadMe()) {
        const std::string name = ExtractFileName(settings_.ReadMe);
        WriteShortcut(group + "\\" + name + ".lnk", {platform::SystemProgram(kReadMeViewer), settings_.ReadMe, settings_.Destination, name});
    }
}

// A shortcut that could not be saved is a failed step, not one made: it is
// remembered for the report and stays out of the log book.
bool TSetupForm::WriteShortcut(const std::string& linkFile, const TShortcutTarget& target) {
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

std::string TSetupForm::InstalledProgram() const { return settings_.Destination + "\\" + settings_.TargetFile; }

// Runs again from the top when a step fails and Next is pressed once more.
// The ReadMe and the program start as the user of the desktop, without the
// elevation this setup may have.
void TSetupForm::FinishSetup() {
    CompleteInstallation();
    // A relative ReadMe is one of the installed files, so the viewer starts
    // in the destination folder.
    if (ReadMeCheck->Checked()) {
        Step("Opening " + settings_.ReadMe);
        platform::ShellOpenAsUser(platform::SystemProgram(kReadMeViewer), settings_.ReadMe, settings_.Destination, kShow);
    }
    if (LaunchProgCheck->Checked()) {
        Step("Starting " + InstalledProgram());
        platform::SetCurrentFolder(settings_.Destination);
        platform::ShellOpenAsUser(InstalledProgram(), "", settings_.Destination, kShow);
    }
    Step("Installed");
    EndWizard();
}

// The desktop shortcut, the uninstall entry and the log: what makes the
// installation complete, whether it ends with Next, the close key or
// without a window. Once the log and the entry are on the disk, the
// installation is committed; without a window, only when no step failed.
void TSetupForm::CompleteInstallation() {
    try {
        if (DesktopCheck->Checked()) CreateDesktopShortcut();
        CleanUpEarlierVersion();
        RegisterAndSaveLog();
        if (!run_.Silent || !StepFailed()) journal_.Commit();
        finishFailed_ = false;
    } catch (const std::exception& error) {
        finishFailed_ = true;
        if (run_.Log) run_.Log->Failure(error.what());
        throw;
    }
}

// An uninstall entry never stays without its log: when the log cannot be
// written, the entry goes again.
void TSetupForm::RegisterAndSaveLog() {
    logBook_.LogFileName = settings_.Destination + "\\setup.log";
    logBook_.KeyName = settings_.SiteletTitle;
    logBook_.AppName = settings_.SiteletTitle;
    logBook_.Details = UninstallDetails();
    logBook_.Scope = settings_.Scope;
    try {
        logBook_.RegisterUninstall(journal_);
        Step(std::string("Registered the uninstall entry ") + settings_.Scope.RegistryRootName() + "\\" +
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
void TSetupForm::CleanUpEarlierVersion() {
    if (!installed_ || earlierVersionCleaned_) return;
    logBook_.LogFileName = settings_.Destination + "\\setup.log";
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

TUninstallDetails TSetupForm::UninstallDetails() const {
    return {InstalledProgram(), settings_.Destination, InstalledSizeKB(), settings_.Version, settings_.Publisher,
            words_->Language()};
}

// The size of the installed files in KB, a file named twice counted once.
uint32_t TSetupForm::InstalledSizeKB() const {
    std::vector<std::string> names = settings_.AddFiles.Lines();
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    int64_t bytes = 0;
    for (const std::string& name : names)
        bytes += std::max<int64_t>(platform::FileSizeOf(settings_.Destination + "\\" + name), 0);
    return static_cast<uint32_t>((bytes + 1023) / 1024);
}

bool TSetupForm::InstallSilently() {
    DesktopCheck->SetChecked(settings_.DesktopIcon);
    ReadMeCheck->SetChecked(false);
    LaunchProgCheck->SetChecked(false);
    ShowPage(wpCopy);
    bool complete = false;
    try {
        if (!StepFailed()) CompleteInstallation();
        complete = journal_.Committed();
    } catch (const std::exception&) {
        UndoInstallation();
        throw;
    }
    if (!complete) UndoInstallation();
    return complete;
}

bool TSetupForm::StepFailed() const {
    return journal_.Failed() || !failedCopies_.empty() || failedGroup_ || !failedShortcuts_.empty();
}

// Names the step that failed first, and undoes every change in reverse order.
void TSetupForm::UndoInstallation() {
    if (run_.Log && journal_.Failed()) run_.Log->Failure("Failed step: " + journal_.FailedStep());
    journal_.Rollback();
    Step("Rolled back: everything the installation changed was undone");
}

// Without a desktop folder there is no place for the shortcut.
void TSetupForm::CreateDesktopShortcut() {
    const std::string desktop = DesktopFolderOf(settings_.Scope);
    if (desktop.empty()) return;
    const std::string& title = settings_.SiteletTitle;
    if (WriteShortcut(WithTrailingBackslash(desktop) + title + ".lnk",
                      {InstalledProgram(), "", settings_.Destination, title}))
        return;
    // The copy phase's report is over; this failure is told on its own.
    const TFailedCopy& failed = failedShortcuts_.back();
    if (run_.Log) run_.Log->Failure("Could not save the shortcut " + failed.Target + " (" + failed.Reason + ")");
    if (!run_.Silent) ErrorBox(settings_.SiteletTitle, FailedStepsText(*words_, {}, {}, {failed}));
}
