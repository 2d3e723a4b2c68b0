// How a run of the wizard ends: Cancel, the window's close key (Alt+F4 or
// the task bar's close command), and the wizard's own end after Finish.
#include "app/PageFlow.h"
#include "app/SetupForm.h"
#include "platform/ui/Application.h"
#include "platform/ui/Dialogs.h"

bool TSetupForm::AskToCancel() {
    if (!CancelAsksOn(currentPage_, finishFailed_) || ConfirmationDlg((*words_)[TSetupText::CancelQuestion]) != mrYes)
        return false;
    Step("Cancelled by the user");
    return true;
}

void TSetupForm::EndWizard() {
    ending_ = true;
    Close();
}

void TSetupForm::WindowCloseQuery(TComponent&, bool& canClose) { canClose = ending_ || MayCloseFromWindow(); }

// The close key follows Cancel: it asks where Cancel asks and does nothing
// while files are copied. On the Finish page it completes the installation
// as Next does, without starting the ReadMe or the program, so that no
// installation stays without its log; when that fails, the error is shown
// and from then on the close key asks, as Cancel does.
bool TSetupForm::MayCloseFromWindow() {
    if (copying_) return false;
    if (currentPage_ == wpFinish && !finishFailed_) {
        try {
            CompleteInstallation();
            Step("Installed");
            return true;
        } catch (const std::exception& error) {
            Application().HandleException(error);
            return false;
        }
    }
    return AskToCancel();
}
