#pragma once
// A frame with a caption around child controls, which live in its window.
// It takes its parent's colour by default.
#include "platform/ui/WinControl.h"

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* owner);

protected:
    void WindowParams(TCreateParams& params) override;
    void HandleMessage(TMessage& message) override;
};
