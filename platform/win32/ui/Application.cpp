#include "platform/ui/Application.h"

#include <windows.h>

#include "platform/ui/Dialogs.h"
#include "platform/win32/WideText.h"
#include "platform/win32/ui/TabOrder.h"
#include "platform/win32/ui/WindowClasses.h"

using namespace platform::ui;

TApplication& Application() {
    static TApplication application;
    return application;
}

TApplication::TApplication() = default;

TApplication::~TApplication() {
    DestroyComponents();
    if (handle_) DestroyWindow(static_cast<HWND>(handle_));
}

TWindowHandle TApplication::Handle() {
    if (!handle_) {
        constexpr const wchar_t* kClass = L"KelApplication";
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClass;
        RegisterClassExW(&windowClass);
        handle_ = CreateWindowExW(0, kClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    return handle_;
}

void TApplication::FormCreated(TForm& form) {
    // The description of the form and of what it holds has been applied.
    form.AfterLoading();
    for (size_t i = 0; i < form.ComponentCount(); ++i)
        if (auto* control = form.Component(i).AsControl()) control->AfterLoading();
    if (!mainForm_) mainForm_ = &form;
}

void TApplication::Run() {
    if (mainForm_) mainForm_->Show();
    while (HandleOneMessage()) {
    }
    mouseControl_ = nullptr;
    mainForm_ = nullptr;
    DestroyComponents();
}

void TApplication::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

namespace {

// Keyboard navigation (Tab, arrows) inside the form the message is meant for.
bool IsNavigationMessage(MSG& message) {
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    return root && TWinControl::FromHandle(root) && IsDialogMessageW(root, &message);
}

TForm* FormOfWindow(HWND window) {
    HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
    TWinControl* control = root ? TWinControl::FromHandle(root) : nullptr;
    return control ? control->AsForm() : nullptr;
}

// Moving with the keyboard shows the focus cues and access letters from then on.
void ShowKeyboardCues(HWND root, const MSG& message) {
    const WPARAM key = message.wParam;
    const bool navigates = key == VK_TAB || key == VK_MENU || (key >= VK_LEFT && key <= VK_DOWN) || key == VK_RETURN ||
                           key == VK_SPACE;
    if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && navigates)
        SendMessageW(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

// Enter presses the focused push button, as in every dialog.
bool PressFocusedButton(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN) return false;
    HWND focus = message.hwnd;
    if (!(SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) return false;
    SendMessageW(focus, BM_CLICK, 0, 0);
    return true;
}

// Tab and Shift+Tab move the focus through the form's controls, unless the
// focused control takes Tab itself; a text field reached is selected whole.
bool MoveFocusByTab(HWND root, const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0) return false;
    if (SendMessageW(message.hwnd, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&message)) & DLGC_WANTTAB) return false;
    HWND next = NextTabStop(root, message.hwnd, GetKeyState(VK_SHIFT) < 0);
    if (!next) return true;
    SetFocus(next);
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
    return true;
}

TKeyInput KeyInputOf(MSG& message) {
    TKeyInput input;
    if (message.message == WM_KEYDOWN) input.Key = uint16_t(message.wParam);
    else input.Character = char32_t(message.wParam);
    if (GetKeyState(VK_SHIFT) < 0) input.Shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) input.Shift |= ssCtrl;
    if (message.message == WM_SYSCHAR || GetKeyState(VK_MENU) < 0) input.Shift |= ssAlt;
    input.FocusWantsKey = (SendMessageW(message.hwnd, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&message)) &
                           (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) != 0;
    return input;
}

// The form sees a key before its focused control: Enter, Escape and the
// access keys act on the form as a whole.
bool IsFormKey(MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN && message.message != WM_SYSCHAR)
        return false;
    TForm* form = FormOfWindow(message.hwnd);
    if (!form) return false;
    HWND root = static_cast<HWND>(form->Handle());
    form->NoteKeyboardUse();
    ShowKeyboardCues(root, message);
    if (message.message == WM_SYSKEYDOWN) return false;
    if (MoveFocusByTab(root, message)) return true;
    return PressFocusedButton(message) || form->HandleDialogKey(KeyInputOf(message));
}

void Dispatch(MSG& message) {
    if (IsFormKey(message) || IsNavigationMessage(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

bool TApplication::HandleOneMessage() {
    if (terminated_) return false;
    MSG message;
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
        terminated_ = true;
        return false;
    }
    Dispatch(message);
    return !terminated_;
}

void TApplication::ProcessMessages() {
    MSG message;
    while (!terminated_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            terminated_ = true;
            PostQuitMessage(int(message.wParam));
            break;
        }
        Dispatch(message);
    }
}

void TApplication::ProcessPaintMessages() {
    // A window that leaves its area invalid when it paints would be handed
    // WM_PAINT for ever; a few rounds reach every window that waits.
    constexpr int kMaxPaints = 64;
    MSG message;
    for (int i = 0; i < kMaxPaints && PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
        DispatchMessageW(&message);
}

void TApplication::HandleException(const std::exception& error) { ShowException(error.what()); }

void TApplication::ShowException(const std::string& message) {
    HWND owner = mainForm_ && mainForm_->HandleAllocated() ? static_cast<HWND>(mainForm_->Handle()) : nullptr;
    MessageBoxW(owner, platform::Wide(message).c_str(), platform::Wide(BoxWords().ErrorCaption).c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::SetScreenCursor(TCursor cursor) {
    if (cursor == screenCursor_) return;
    screenCursor_ = cursor;
    if (cursor != crDefault) {
        SetCursor(CursorHandle(cursor));
        return;
    }
    // Back to the default: the window under the mouse chooses again.
    POINT point;
    GetCursorPos(&point);
    HWND window = WindowFromPoint(point);
    if (window && TWinControl::FromHandle(window))
        SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    else
        SetCursor(CursorHandle(crArrow));
}

// The control under the mouse changed: the old one hears that the mouse
// left, the new one that it entered. While a control holds the capture only
// it hears of its own leaving and entering.
void TApplication::UpdateMouseControl() {
    POINT point;
    GetCursorPos(&point);
    TWinControl* control = nullptr;
    for (HWND window = WindowFromPoint(point); window && !control; window = GetParent(window))
        control = TWinControl::FromHandle(window);
    TWinControl* capture = TWinControl::FromHandle(GetCapture());
    if (control == mouseControl_) return;
    if (mouseControl_ && (!capture || mouseControl_ == capture)) mouseControl_->HandleMouseLeave();
    mouseControl_ = control;
    if (mouseControl_ && (!capture || mouseControl_ == capture)) mouseControl_->HandleMouseEnter();
}

void TApplication::ControlDestroyed(TWinControl* control) {
    if (mouseControl_ == control) mouseControl_ = nullptr;
    if (mainForm_ == control) mainForm_ = nullptr;
}

namespace {

// The keys, and the mouse's buttons and wheels on the client area and on the
// frame. The mouse's moves stay: they act on nothing, and they tell the
// controls where the mouse went meanwhile (a button that was clicked learns
// that the mouse left it).
constexpr UINT kInputRanges[][2] = {
    {WM_KEYFIRST, WM_KEYLAST}, {WM_LBUTTONDOWN, WM_MOUSELAST}, {WM_NCLBUTTONDOWN, WM_NCXBUTTONDBLCLK}};

}  // namespace

void TApplication::DiscardInput() {
    // Input that keeps coming does not hold the program here.
    constexpr int kMaxDiscarded = 4096;
    MSG message;
    for (const auto& range : kInputRanges)
        for (int i = 0; i < kMaxDiscarded && PeekMessageW(&message, nullptr, range[0], range[1], PM_REMOVE); ++i) {
        }
}
