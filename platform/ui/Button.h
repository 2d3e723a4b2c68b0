#pragma once
// A push button. When its ModalResult is set, a click gives the form that
// holds it that result, which ends the form's modal loop.
#include "platform/ui/WinControl.h"

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);

    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    // Drawn as the default button of its form.
    bool Default() const { return default_; }
    void SetDefault(bool on);

protected:
    void WindowParams(TCreateParams& params) override;
    void HandleCommand(uint32_t notifyCode) override;
    void Click() override;

private:
    TModalResult modalResult_ = mrNone;
    bool default_ = false;
};
