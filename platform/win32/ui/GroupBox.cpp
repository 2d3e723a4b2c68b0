#include "platform/ui/GroupBox.h"

#include <windows.h>

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csReplicatable);
    SetParentColor(true);
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::WindowParams(TCreateParams& params) {
    TWinControl::WindowParams(params);
    params.ClassName = "BUTTON";
    params.SystemClass = true;
    params.Style |= BS_GROUPBOX;
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

// The system's group box draws its frame and caption but leaves its inside
// unpainted and knows nothing of windowless children: the inside gets the
// colour, the frame follows, and the labels come last. The colour is painted
// with the rest rather than on erasing, since a label that changes asks for
// a repaint without erasing.
void TGroupBox::HandleMessage(TMessage& message) {
    HWND window = static_cast<HWND>(Handle());
    switch (message.Msg) {
        case WM_ERASEBKGND:
            message.Result = 1;
            return;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            PaintClient(dc);
            TMessage system{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
            DefaultHandler(system);
            PaintWindowlessChildren(dc);
            EndPaint(window, &paint);
            message.Result = 0;
            return;
        }
        default:
            TWinControl::HandleMessage(message);
    }
}
