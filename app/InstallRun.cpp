// The copy phase and the finishing actions as the wizard shows them; the
// installation itself is the engine's.
#include <algorithm>

#include "app/PageFlow.h"
#include "app/SetupForm.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "platform/ui/Application.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Label.h"
#include "platform/ui/ProgressBar.h"

namespace {

constexpr int kShow = 5;  // how the ReadMe viewer and the program are started

}  // namespace

TInstallChoices TSetupForm::Choices() const {
    return {settings_.Destination, settings_.Folder, settings_.Scope, words_->Language()};
}

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
    installation_ = std::make_unique<TInstallation>(settings_, *payload_, Choices(), installed_, run_.Log, run_.Gate);
    installation_->Owner = Handle();
    installation_->OnProgress = [this](const TInstallProgress& progress) { ShowCopying(progress); };
    installation_->InstallFiles();
    NoteRestartReplacements();
    // The keys and clicks given meanwhile waited in the queue, as the window
    // took none; they are dropped, so that they act neither on the box of
    // failed steps nor on the Finish page.
    Application().DiscardInput();
    ReportFailedSteps();
}

// "copying " and the file being written, the bar at the bytes done, on show at once.
void TSetupForm::ShowCopying(const TInstallProgress& progress) {
    Copymessage->SetCaption("copying " + progress.File);
    const uint64_t total = std::max<uint64_t>(progress.TotalBytes, 1);
    CopyProgress->SetPosition(static_cast<int32_t>(std::min<uint64_t>(progress.DoneBytes, total) * 100 / total));
    Repaint();
    Application().ProcessPaintMessages();
}

// Files in use get their new bytes at the next restart; the Finish page says so.
void TSetupForm::NoteRestartReplacements() {
    if (RestartNeeded()) FinshHead2->SetCaption(FinshHead2->Caption() + "\n\n" + (*words_)[TSetupText::RestartNeeded]);
}

// One error box for all the steps that failed, so that the Finish page
// does not stand alone as the last word.
void TSetupForm::ReportFailedSteps() {
    const TInstallation& installation = *installation_;
    if (installation.FailedCopies().empty() && !installation.FailedGroup() && installation.FailedShortcuts().empty())
        return;
    ErrorBox(settings_.SiteletTitle, FailedStepsText(*words_, installation.FailedCopies(), installation.FailedGroup(),
                                                     installation.FailedShortcuts()));
}

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
        const std::string program = installation_->InstalledProgram();
        Step("Starting " + program);
        platform::SetCurrentFolder(settings_.Destination);
        platform::ShellOpenAsUser(program, "", settings_.Destination, kShow);
    }
    Step("Installed");
    EndWizard();
}

// The desktop shortcut, the uninstall entry and the log: what makes the
// installation complete, whether it ends with Next or the close key. Once
// the log and the entry are on the disk, the installation is committed.
void TSetupForm::CompleteInstallation() {
    try {
        if (const std::optional<TFailedCopy> failed = installation_->Complete(DesktopCheck->Checked(), true))
            ErrorBox(settings_.SiteletTitle, FailedStepsText(*words_, {}, {}, {*failed}));
        finishFailed_ = false;
    } catch (const std::exception&) {
        finishFailed_ = true;
        throw;
    }
}

void TSetupForm::UndoInstallation() { installation_->Rollback(); }
