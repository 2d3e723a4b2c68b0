// The copy phase and the finishing actions. Each step is recorded in the log
// book as soon as it is done.
#include "app/SetupForm.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "platform/SystemError.h"
#include "platform/Text.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Label.h"
#include "platform/ui/ProgressBar.h"
#include "shell/FolderMan.h"
#include "shell/PathParts.h"
#include "shell/ShellFolders.h"
#include "shell/Shortcut.h"

namespace {

constexpr int kShowNormal = 1;  // how the shortcuts open their windows
constexpr int kShow = 5;        // how the ReadMe viewer and the program are started
constexpr const char* kDestinationSubFolders[] = {"\\Graphics", "\\Sounds", "\\Additional"};

}  // namespace

void TSetupForm::InstallFiles() {
    const std::string& destination = settings_.Destination;
    logBook_.AddDirectory(destination);
    for (const char* folder : kDestinationSubFolders) platform::ForceDirectories(destination + folder);
    for (const char* folder : kDestinationSubFolders) logBook_.AddDirectory(destination + folder);
    CopyPayloadFiles();
    ReportFailedCopies();
    if (!Trim(settings_.Folder).empty()) CreateProgramGroup();
}

// Copies every payload file, replacing what is there, with the file's name
// and the progress on show while it is copied. A copy that fails is logged
// all the same and remembered for the report, with the system's reason.
void TSetupForm::CopyPayloadFiles() {
    const int32_t count = settings_.AddFiles.Count();
    for (int32_t i = 0; i < count; ++i) {
        const std::string& entry = settings_.AddFiles[i];
        Copymessage->SetCaption("copying " + entry);
        CopyProgress->SetPosition(static_cast<int32_t>(int64_t(i) * 100 / count));
        Repaint();
        const std::string target = settings_.Destination + "\\" + entry;
        if (!platform::CopyFileTo(workFolder_ + entry, target, false))
            failedCopies_.push_back({target, platform::SystemErrorMessage(platform::LastErrorCode())});
        logBook_.AddCopyFile(target);
    }
}

// One error box for all the files that could not be copied, so that the
// Finish page does not stand alone as the last word.
void TSetupForm::ReportFailedCopies() {
    if (failedCopies_.empty()) return;
    ErrorBox(settings_.SiteletTitle, CopyFailureText(settings_.Language, failedCopies_));
}

// The Start-menu program folder with the shortcuts to the program, its
// uninstaller and the ReadMe. A folder that is already there is used as it
// is and not logged. Without a Programs folder there is no place for it.
void TSetupForm::CreateProgramGroup() {
    const std::string programs = GetProgramsFolder(Handle());
    if (programs.empty()) return;
    const std::string group = WithTrailingBackslash(programs) + settings_.Folder;
    if (!FolderExists(group)) {
        if (!platform::CreateDir(group)) throw EInOutError(platform::LastErrorCode());
        logBook_.AddDirectory(group);
    }
    const std::string& title = settings_.SiteletTitle;
    WriteShortcut(group + "\\" + title + ".lnk", {InstalledProgram(), "", settings_.Destination, title});
    WriteShortcut(group + "\\Uninstall.lnk",
                  {settings_.Destination + "\\uninstall.exe", "", settings_.Destination, "Uninstall " + title});
    if (settings_.HasReadMe()) {
        const std::string name = ExtractFileName(settings_.ReadMe);
        WriteShortcut(group + "\\" + name + ".lnk", {"notepad.exe", settings_.ReadMe, settings_.Destination, name});
    }
}

void TSetupForm::WriteShortcut(const std::string& linkFile, const TShortcutTarget& target) {
    CreateShortcut(linkFile, target.Target, target.Arguments, target.WorkingFolder, target.Description, 0, "", 0, 0, 0,
                   kShowNormal);
    logBook_.AddLink(linkFile);
}

std::string TSetupForm::InstalledProgram() const { return settings_.Destination + "\\" + settings_.TargetFile; }

// Runs again from the top when a step fails and Next is pressed once more.
void TSetupForm::FinishSetup() {
    if (DesktopCheck->Checked()) CreateDesktopShortcut();
    logBook_.LogFileName = settings_.Destination + "\\setup.log";
    logBook_.KeyName = settings_.SiteletTitle;
    logBook_.AppName = settings_.SiteletTitle;
    logBook_.RegisterUninstall();
    logBook_.SaveLog();
    // A relative ReadMe is one of the installed files, so the viewer starts
    // in the destination folder.
    if (ReadMeCheck->Checked()) platform::ShellOpen("notepad.exe", settings_.ReadMe, settings_.Destination, kShow);
    if (LaunchProgCheck->Checked()) {
        platform::SetCurrentFolder(settings_.Destination);
        platform::ShellOpen(InstalledProgram(), "", "", kShow);
    }
    Close();
}

// Without a desktop folder there is no place for the shortcut.
void TSetupForm::CreateDesktopShortcut() {
    const std::string desktop = GetShellFolder(0);
    if (desktop.empty()) return;
    const std::string& title = settings_.SiteletTitle;
    WriteShortcut(WithTrailingBackslash(desktop) + title + ".lnk",
                  {InstalledProgram(), "", settings_.Destination, title});
}
