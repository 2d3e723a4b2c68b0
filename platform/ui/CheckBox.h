#pragma once
// A tick box with its caption. OnClick comes when the user toggles it and
// when the program changes Checked. It takes its parent's colour by default.
#include "platform/ui/WinControl.h"

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const;
    void SetChecked(bool on);

protected:
    void WindowParams(TCreateParams& params) override;
    void WindowCreated() override;
    void HandleCommand(uint32_t notifyCode) override;

private:
    bool checked_ = false;
};
