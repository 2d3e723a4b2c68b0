#include "platform/ui/Form.h"

#include <windows.h>

#include "platform/ui/Application.h"
#include "platform/win32/WideText.h"
#include "platform/win32/ui/FormsDisabled.h"

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    SetVisible(false);
    SetParentFont(false);
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csReplicatable);
}

TForm::~TForm() = default;

void TForm::WindowParams(TCreateParams& params) {
    TWinControl::WindowParams(params);
    params.ClassName = "KelForm";
    params.Parent = Application().Handle();
    params.ExStyle = WS_EX_CONTROLPARENT;
    params.Style = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    switch (borderStyle_) {
        case bsNone: params.Style |= WS_POPUP; break;
        case bsDialog:
            params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
            params.ExStyle |= WS_EX_DLGMODALFRAME;
            break;
        case bsSingle: params.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_BORDER; break;
        case bsSizeable: params.Style |= WS_OVERLAPPEDWINDOW; break;
    }
    if (!Enabled()) params.Style |= WS_DISABLED;
}

void TForm::SetClientSize(int32_t width, int32_t height) {
    TCreateParams params;
    WindowParams(params);
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, params.Style, FALSE, params.ExStyle);
    SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
}

void TForm::VisibleChanged() {
    if (!Visible()) {
        if (HandleAllocated()) ShowWindow(static_cast<HWND>(Handle()), SW_HIDE);
        return;
    }
    HWND window = static_cast<HWND>(Handle());
    if (!shownOnce_ && position_ == poScreenCenter) CentreOnScreen();
    if (!shownOnce_) FollowKeyboardCueSetting();
    shownOnce_ = true;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    FocusOnShow();
    if (OnShow) OnShow(*this);
}

void TForm::CentreOnScreen() {
    const int32_t screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    SetBounds((screenWidth - Width()) / 2, (screenHeight - Height()) / 2, Width(), Height());
}

// Focus cues and access letters show from the start when the user's setting
// says so; otherwise they stay hidden until the keyboard is used.
void TForm::FollowKeyboardCueSetting() {
    BOOL alwaysShown = FALSE;
    SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &alwaysShown, 0);
    SendMessageW(static_cast<HWND>(Handle()), WM_CHANGEUISTATE,
                 MAKEWPARAM(alwaysShown ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

namespace {

BOOL CALLBACK SendCueUpdate(HWND window, LPARAM wParam) {
    SendMessageW(window, WM_UPDATEUISTATE, WPARAM(wParam), 0);
    return TRUE;
}

}  // namespace

// The form keeps the cue state of its controls itself: as a window owned by
// the application's hidden window, it would otherwise have the system pass
// the change on to that window. Every control hears of a change.
void TForm::ChangeKeyboardCues(uint32_t action, uint32_t flags) {
    flags &= UISF_HIDEFOCUS | UISF_HIDEACCEL;
    uint32_t state = cueState_;
    if (action == UIS_SET) state |= flags;
    else if (action == UIS_CLEAR) state &= ~flags;
    if (state == cueState_) return;
    cueState_ = state;
    EnumChildWindows(static_cast<HWND>(Handle()), SendCueUpdate, LPARAM(MAKEWPARAM(action, flags)));
}

// As in a dialog, the control that had the focus last gets it back when the
// form itself is given the focus (on its activation after a question box).
bool TForm::RestoreLastFocus() {
    HWND focus = static_cast<HWND>(lastFocus_);
    if (!focus || !IsChild(static_cast<HWND>(Handle()), focus) || !IsWindowVisible(focus) || !IsWindowEnabled(focus))
        return false;
    ::SetFocus(focus);
    return true;
}

void TForm::Close() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(*this, canClose);
    if (!canClose) return;
    if (OnClose) OnClose(*this);
    if (Application().MainForm() == this) {
        Application().Terminate();
        return;
    }
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    // A modal form is hidden by ShowModal once the other forms take input
    // again, so that the system can give the activation back to one of them.
    if (!modal_) Hide();
}

// Every other form of the application waits until this one is done. It is
// hidden only after they take input again, however it closed, so that the
// system gives the activation back to the one below and the keyboard goes
// on there.
TModalResult TForm::ShowModal() {
    modalResult_ = mrNone;
    modal_ = true;
    {
        const TFormsDisabled disabled(HandleAllocated() ? static_cast<HWND>(Handle()) : nullptr);
        Show();
        while (modalResult_ == mrNone && Application().HandleOneMessage()) {
        }
    }
    modal_ = false;
    Hide();
    return modalResult_;
}

void TForm::SetEndSessionBlockReason(const std::string& reason) {
    if (!HandleAllocated()) return;
    const HWND window = static_cast<HWND>(Handle());
    if (reason.empty()) ShutdownBlockReasonDestroy(window);
    else ShutdownBlockReasonCreate(window, platform::Wide(reason).c_str());
}

void TForm::HandleMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_CLOSE:
            Close();
            return;
        case WM_QUERYENDSESSION: {
            bool canEnd = true;
            if (OnQueryEndSession) OnQueryEndSession(*this, canEnd);
            message.Result = canEnd;
            return;
        }
        case WM_CHANGEUISTATE:
            ChangeKeyboardCues(LOWORD(message.WParam), HIWORD(message.WParam));
            return;
        case WM_QUERYUISTATE:
            message.Result = LRESULT(cueState_);
            return;
        case WM_SETFOCUS:
            if (RestoreLastFocus()) return;
            break;
        case WM_COMMAND:
            // Enter and Escape in a dialog-like form arrive without a sender; nothing answers them.
            if (message.LParam == 0) return;
            break;
        default:
            break;
    }
    TWinControl::HandleMessage(message);
}
