#include "platform/ui/Frame.h"

#include <windows.h>

TFrame::TFrame(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csReplicatable);
}

void TFrame::WindowParams(TCreateParams& params) {
    TWinControl::WindowParams(params);
    params.ClassName = "KelFrame";
    params.ExStyle |= WS_EX_CONTROLPARENT;
}
