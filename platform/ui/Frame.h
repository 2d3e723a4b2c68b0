#pragma once
// A child window that holds controls, placed inside a form or another container.
#include "platform/ui/WinControl.h"

class TFrame : public TWinControl {
public:
    explicit TFrame(TComponent* owner);

    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool on) { autoScroll_ = on; }

protected:
    void WindowParams(TCreateParams& params) override;

private:
    bool autoScroll_ = false;
};
