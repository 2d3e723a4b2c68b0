#pragma once
// The framework's question box, a plain error box and the system's message box.
#include <cstdint>
#include <string>

#include "platform/ui/UiTypes.h"

// The words of the framework's own boxes, in the program's language: the
// question box's caption and buttons, and the caption of the box that tells
// an application error. English until the program sets its own.
struct TBoxWords {
    std::string QuestionCaption = "Confirmation";
    std::string Yes = "&Yes";
    std::string No = "&No";
    std::string ErrorCaption = "Application Error";
};
void SetBoxWords(TBoxWords words);
const TBoxWords& BoxWords();

// Asks a yes-or-no question in a modal box with the question icon and the
// caption and buttons of BoxWords (Yes is the default: Enter answers it).
// Escape and the close box answer No. The box belongs to the main form, and
// every form of the application waits until it is answered. Returns mrYes
// or mrNo.
TModalResult ConfirmationDlg(const std::string& text);

enum TMsgDlgType : uint8_t { mtInformation, mtWarning, mtError, mtConfirmation };

// The same box with the caption, the icon of the type and the button texts
// given. With a text for No it asks and returns mrYes or mrNo; with an empty
// one the Yes button stands alone and every way of closing returns mrOk.
TModalResult OwnMessageDlg(const std::string& text, const std::string& caption, TMsgDlgType type,
                           const std::string& yes, const std::string& no);

// Shows text in a modal box with the error icon, the caption and an OK
// button, owned by the main form.
void ErrorBox(const std::string& caption, const std::string& text);

enum TMsgDlgButtons : uint8_t { mbOK, mbYesNo, mbYesNoDefaultNo };

// The system's message box with the caption, the icon of the type and its
// own buttons in the system's language; Yes is the default of Yes and No,
// unless No is asked for as the default.
// The box belongs to the main form (the active window while there is none)
// and the other forms wait until it is answered. Returns mrOk, mrYes or mrNo
// (Escape and the close box answer No).
TModalResult MessageDlg(const std::string& text, const std::string& caption, TMsgDlgType type, TMsgDlgButtons buttons);
