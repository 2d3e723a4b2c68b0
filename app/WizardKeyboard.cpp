// The wizard's keys: Enter, Escape and the access keys of Back, Next and
// Cancel press those buttons under the rules of a mouse click.
#include "app/SetupForm.h"
#include "skin/KelButton.h"

TWizardButtons TSetupForm::ButtonsForKeys() const {
    TWizardButtons buttons;
    buttons.BackEnabled = Backbutton->Enabled();
    buttons.NextEnabled = Forwardbutton->Enabled();
    buttons.Copying = copying_;
    buttons.BackCaption = Backbutton->Caption();
    buttons.NextCaption = Forwardbutton->Caption();
    buttons.CancelCaption = Cancelbutton->Caption();
    return buttons;
}

bool TSetupForm::HandleDialogKey(const TKeyInput& input) {
    switch (WizardKeyAction(input, ButtonsForKeys())) {
        case TWizardKeyAction::Back: BackbuttonClick(*Backbutton); return true;
        case TWizardKeyAction::Next: ForwardbuttonClick(*Forwardbutton); return true;
        case TWizardKeyAction::Cancel: CancelButtonClick(*Cancelbutton); return true;
        case TWizardKeyAction::None: break;
    }
    return false;
}
