#include "platform/ui/Button.h"

#include <windows.h>

#include "platform/ui/Form.h"

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool on) {
    if (on == default_) return;
    default_ = on;
    if (HandleAllocated())
        SendMessageW(static_cast<HWND>(Handle()), BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::WindowParams(TCreateParams& params) {
    TWinControl::WindowParams(params);
    params.ClassName = "BUTTON";
    params.SystemClass = true;
    params.Style &= ~WS_CLIPCHILDREN;
    params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::HandleCommand(uint32_t notifyCode) {
    if (notifyCode == BN_CLICKED) Click();
}

void TButton::Click() {
    if (modalResult_ != mrNone) {
        for (TWinControl* parent = Parent(); parent; parent = parent->Parent()) {
            if (auto* form = parent->AsForm()) {
                form->SetModalResult(modalResult_);
                break;
            }
        }
    }
    TWinControl::Click();
}
