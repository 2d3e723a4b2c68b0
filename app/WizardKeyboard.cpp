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

// The button is pressed after the key's own message is done, as a mouse
// click presses it: a question it asks then takes the next keys itself.
bool TSetupForm::HandleDialogKey(const TKeyInput& input) {
    switch (WizardKeyAction(input, ButtonsForKeys())) {
        case TWizardKeyAction::Back: Backbutton->PressLater(); return true;
        case TWizardKeyAction::Next: Forwardbutton->PressLater(); return true;
        case TWizardKeyAction::Cancel: Cancelbutton->PressLater(); return true;
        case TWizardKeyAction::None: break;
    }
    return false;
}
