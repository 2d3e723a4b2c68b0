#include "platform/ui/Panel.h"

#include <windows.h>

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque | csReplicatable);
    SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
    if (bevel == bevelOuter_) return;
    bevelOuter_ = bevel;
    InvalidateView();
}

void TPanel::WindowParams(TCreateParams& params) {
    TWinControl::WindowParams(params);
    params.ClassName = "KelPanel";
    // The edge runs along the border: a change of size repaints the whole panel.
    params.ClassStyle |= CS_HREDRAW | CS_VREDRAW;
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TPanel::PaintClient(TDeviceContext target) {
    TWinControl::PaintClient(target);
    if (bevelOuter_ == bvNone) return;
    RECT r{0, 0, ClientWidth(), ClientHeight()};
    DrawEdge(static_cast<HDC>(target), &r, bevelOuter_ == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
}
