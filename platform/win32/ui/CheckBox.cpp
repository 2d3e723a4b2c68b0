#include "platform/ui/CheckBox.h"

#include <windows.h>

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    SetParentColor(true);
    SetTabStop(true);
    SetBounds(0, 0, 97, 17);
}

bool TCheckBox::Checked() const {
    if (!HandleAllocated()) return checked_;
    return SendMessageW(static_cast<HWND>(const_cast<TCheckBox*>(this)->Handle()), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool on) {
    if (on == Checked()) return;
    checked_ = on;
    if (HandleAllocated()) SendMessageW(static_cast<HWND>(Handle()), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    Click();
}

void TCheckBox::WindowParams(TCreateParams& params) {
    TWinControl::WindowParams(params);
    params.ClassName = "BUTTON";
    params.SystemClass = true;
    params.Style &= ~WS_CLIPCHILDREN;
    // A caption longer than the box is wide goes on to a second line.
    params.Style |= BS_AUTOCHECKBOX | BS_MULTILINE;
}

void TCheckBox::WindowCreated() {
    TWinControl::WindowCreated();
    SendMessageW(static_cast<HWND>(Handle()), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::HandleCommand(uint32_t notifyCode) {
    if (notifyCode != BN_CLICKED) return;
    checked_ = Checked();
    Click();
}
