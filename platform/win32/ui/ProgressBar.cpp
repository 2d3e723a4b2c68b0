#include "platform/ui/ProgressBar.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "platform/win32/ui/StandardControls.h"

using namespace platform::ui;

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::SetRange(int32_t min, int32_t max) {
    if (max < min) max = min;
    min_ = min;
    max_ = max;
    position_ = std::clamp(position_, min_, max_);
    if (!HandleAllocated()) return;
    HWND window = static_cast<HWND>(Handle());
    SendMessageW(window, PBM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    SendMessageW(window, PBM_SETPOS, WPARAM(position_), 0);
}

void TProgressBar::SetPosition(int32_t position) {
    position = std::clamp(position, min_, max_);
    if (position == position_) return;
    position_ = position;
    if (HandleAllocated()) SendMessageW(static_cast<HWND>(Handle()), PBM_SETPOS, WPARAM(position_), 0);
}

void TProgressBar::WindowParams(TCreateParams& params) {
    EnsureCommonControls();
    TWinControl::WindowParams(params);
    params.ClassName = PROGRESS_CLASSA;
    params.SystemClass = true;
    params.Style &= ~WS_CLIPCHILDREN;
}

void TProgressBar::WindowCreated() {
    TWinControl::WindowCreated();
    SetRange(min_, max_);
}
