#include "platform/ui/Edit.h"

#include <windows.h>

#include "platform/win32/ui/StandardControls.h"

using namespace platform::ui;

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetColor(clWindow);
    SetTabStop(true);
    SetControlStyle(csClickEvents | csDoubleClicks);
}

std::string TCustomEdit::Text() const {
    if (!HandleAllocated()) return Caption();
    // The window exists, so asking for it makes nothing.
    return WindowText(static_cast<HWND>(const_cast<TCustomEdit*>(this)->Handle()));
}

void TCustomEdit::SetText(const std::string& text) {
    if (text == Text()) return;
    // The stored caption may lag behind the window when a notification went
    // astray; the window then gets the text even though the caption has it.
    if (text == Caption()) TextChanged();
    else SetCaption(text);
}

void TCustomEdit::SetReadOnly(bool on) {
    if (on == readOnly_) return;
    readOnly_ = on;
    if (HandleAllocated()) SendMessageW(static_cast<HWND>(Handle()), EM_SETREADONLY, on, 0);
}

void TCustomEdit::WindowParams(TCreateParams& params) {
    TWinControl::WindowParams(params);
    params.ClassName = "EDIT";
    params.SystemClass = true;
    params.Style &= ~WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CLIENTEDGE;
    if (readOnly_) params.Style |= ES_READONLY;
    params.Caption.clear();  // the text follows its font and limit
}

// The text comes after the font and the limit: the control measures its
// lines (and its horizontal scroll range) with the font it shows them in.
void TCustomEdit::WindowCreated() {
    TWinControl::WindowCreated();
    HWND window = static_cast<HWND>(Handle());
    // The user may type as much as the control can hold, not only the default 32 KB.
    SendMessageW(window, EM_LIMITTEXT, 0, 0);
    if (Caption().empty()) return;
    settingText_ = true;
    SetWindowUtf8Text(window, Caption());
    settingText_ = false;
}

void TCustomEdit::HandleCommand(uint32_t notifyCode) {
    // The user changed the text: the caption follows, which raises OnChange.
    if (notifyCode == EN_CHANGE && !settingText_) TControl::SetCaption(WindowText(static_cast<HWND>(Handle())));
}

void TCustomEdit::TextChanged() {
    if (HandleAllocated()) {
        HWND window = static_cast<HWND>(Handle());
        if (WindowText(window) != Caption()) {
            settingText_ = true;
            SetWindowUtf8Text(window, Caption());
            settingText_ = false;
        }
    }
    Change();
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(*this);
}

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) { SetBounds(0, 0, 121, 21); }

void TEdit::WindowParams(TCreateParams& params) {
    TCustomEdit::WindowParams(params);
    params.Style |= ES_AUTOHSCROLL;
}
