#pragma once
// The framework's question box, and a plain error box.
#include <string>

#include "platform/ui/UiTypes.h"

// Asks a yes-or-no question in a modal box with the question icon, the
// caption "Bestätigung" and the buttons "&Ja" (the default: Enter answers
// it) and "&Nein". Escape and the close box answer No. The box belongs to
// the main form, and every form of the application waits until it is
// answered. Returns mrYes or mrNo.
TModalResult ConfirmationDlg(const std::string& text);

// Shows text in a modal box with the error icon, the caption and an OK
// button, owned by the main form.
void ErrorBox(const std::string& caption, const std::string& text);
