// Messages of the framework's windows: the window procedures, the default
// handling of each message, and mouse input with capture and clicks.
#include <windows.h>
#include <windowsx.h>

#include <exception>

#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/WinControl.h"
#include "platform/win32/ui/WindowClasses.h"

using namespace platform::ui;

struct TWindowProcedure {
    // Hands the message to the control; an exception from an event handler
    // is shown by the application and the program goes on.
    static LRESULT Dispatch(TWinControl* control, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        TMessage m{message, wParam, lParam, 0};
        try {
            control->HandleMessage(m);
        } catch (const std::exception& error) {
            Application().HandleException(error);
        }
        if (message == WM_NCDESTROY) Forget(control, window);
        return m.Result;
    }

    static void Attach(TWinControl* control, HWND window) {
        SetPropW(window, kControlProperty, control);
        control->handle_ = window;
    }

    // The window is gone: the control no longer has one.
    static void Forget(TWinControl* control, HWND window) {
        RemovePropW(window, kControlProperty);
        if (control->systemProcedure_)
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control->systemProcedure_));
        control->systemProcedure_ = nullptr;
        control->handle_ = nullptr;
    }
};

namespace platform::ui {

LRESULT CALLBACK OwnWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        TWindowProcedure::Attach(control, window);
    }
    auto* control = static_cast<TWinControl*>(GetPropW(window, kControlProperty));
    if (!control) return DefWindowProcW(window, message, wParam, lParam);
    return TWindowProcedure::Dispatch(control, window, message, wParam, lParam);
}

LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* control = static_cast<TWinControl*>(GetPropW(window, kControlProperty));
    if (!control) return DefWindowProcW(window, message, wParam, lParam);
    return TWindowProcedure::Dispatch(control, window, message, wParam, lParam);
}

}  // namespace platform::ui

namespace {

// The form that holds a focused control remembers it.
void NoteFocusInForm(HWND window) {
    HWND root = GetAncestor(window, GA_ROOT);
    TWinControl* control = root != window ? TWinControl::FromHandle(root) : nullptr;
    if (TForm* form = control ? control->AsForm() : nullptr) form->NoteFocus(window);
}

}  // namespace

void TWinControl::DefaultHandler(TMessage& m) {
    HWND window = static_cast<HWND>(handle_);
    m.Result = systemProcedure_
                   ? CallWindowProcW(reinterpret_cast<WNDPROC>(systemProcedure_), window, m.Msg, m.WParam, m.LParam)
                   : DefWindowProcW(window, m.Msg, m.WParam, m.LParam);
}

void TWinControl::HandleMessage(TMessage& m) {
    HWND window = static_cast<HWND>(handle_);
    switch (m.Msg) {
        case WM_PAINT:
            if (systemClass_) break;
            {
                PAINTSTRUCT paint;
                HDC dc = BeginPaint(window, &paint);
                const RECT& r = paint.rcPaint;
                PaintWindow(dc, TRect{r.left, r.top, r.right, r.bottom});
                EndPaint(window, &paint);
            }
            return;
        case WM_ERASEBKGND:
            if (systemClass_) break;
            m.Result = HandleEraseBackground(reinterpret_cast<HDC>(m.WParam)) ? 1 : 0;
            return;
        case WM_WINDOWPOSCHANGED:
            DefaultHandler(m);
            SyncPlacementFromWindow();
            return;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_LBUTTONUP:
        case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_RBUTTONUP:
        case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_MBUTTONUP:
            HandleMouseMessage(m);
            return;
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            Application().UpdateMouseControl();
            break;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(m.LParam) != window) clicked_ = false;
            break;
        case WM_SETCURSOR:
            if (LOWORD(m.LParam) != HTCLIENT) break;
            if (const TCursor cursor = Application().ScreenCursor() != crDefault ? Application().ScreenCursor() : Cursor();
                cursor != crDefault) {
                ::SetCursor(CursorHandle(cursor));
                m.Result = TRUE;
                return;
            }
            break;
        case WM_SETFOCUS: case WM_KILLFOCUS: case WM_UPDATEUISTATE:
            DefaultHandler(m);
            if (m.Msg == WM_SETFOCUS) NoteFocusInForm(window);
            FocusChanged();
            return;
        case WM_KEYDOWN: case WM_KEYUP:
            if (HandleKey(uint16_t(m.WParam), m.Msg == WM_KEYDOWN)) {
                m.Result = 0;
                return;
            }
            break;
        case WM_GETDLGCODE:
            if (!PressesLikeButton()) break;
            m.Result = DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
            return;
        case BM_CLICK:
            if (!PressesLikeButton()) break;
            if (Enabled()) Click();
            return;
        case WM_GETOBJECT:
            if (!accessibleObjectMaker_ || LONG(m.LParam) != OBJID_CLIENT) break;
            if ((m.Result = accessibleObjectMaker_(window, m.WParam, ShowsPressed())) != 0) return;
            break;
        case WM_COMMAND:
            if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(m.LParam)); child && child != this) {
                child->HandleCommand(HIWORD(m.WParam));
                return;
            }
            break;
        case WM_NOTIFY:
            if (auto* header = reinterpret_cast<NMHDR*>(m.LParam)) {
                TWinControl* child = FromHandle(header->hwndFrom);
                if (child && child != this && child->HandleNotify(header, m.Result)) return;
            }
            break;
        case WM_CTLCOLORSTATIC: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
            if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(m.LParam)); child && child != this) {
                if (void* brush = child->HandleControlColor(reinterpret_cast<HDC>(m.WParam))) {
                    m.Result = reinterpret_cast<LRESULT>(brush);
                    return;
                }
            }
            break;
        default:
            break;
    }
    DefaultHandler(m);
}

namespace {

TShiftState ShiftOf(WPARAM keys) {
    TShiftState shift = 0;
    if (keys & MK_SHIFT) shift |= ssShift;
    if (keys & MK_CONTROL) shift |= ssCtrl;
    if (keys & MK_LBUTTON) shift |= ssLeft;
    if (keys & MK_RBUTTON) shift |= ssRight;
    if (keys & MK_MBUTTON) shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

TMouseButton ButtonOf(UINT message) {
    switch (message) {
        case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_RBUTTONUP: return mbRight;
        case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_MBUTTONUP: return mbMiddle;
        default: return mbLeft;
    }
}

}  // namespace

// A press captures the mouse (when the control asks for it) and a left press
// arms the click; only the left release gives the capture back and clicks,
// and only when it happens inside the client area.
void TWinControl::HandleMouseMessage(TMessage& m) {
    HWND window = static_cast<HWND>(handle_);
    if (m.Msg == WM_MOUSEMOVE && !trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    if (systemClass_) {
        if (m.Msg == WM_MOUSEMOVE) Application().UpdateMouseControl();
        DefaultHandler(m);
        return;
    }
    const int32_t x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
    TShiftState shift = ShiftOf(m.WParam);
    const TMouseButton button = ButtonOf(m.Msg);
    switch (m.Msg) {
        case WM_MOUSEMOVE:
            Application().UpdateMouseControl();
            HandleMouseMove(shift, x, y);
            break;
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK: {
            const bool doubleClick = m.Msg == WM_LBUTTONDBLCLK || m.Msg == WM_RBUTTONDBLCLK || m.Msg == WM_MBUTTONDBLCLK;
            if (ControlStyle() & csCaptureMouse) SetCapture(window);
            if (button == mbLeft && (ControlStyle() & csClickEvents)) clicked_ = true;
            if (doubleClick) {
                shift |= ssDouble;
                if (button == mbLeft && (ControlStyle() & csDoubleClicks) && OnDblClick) OnDblClick(*this);
            }
            HandleMouseDown(button, shift, x, y);
            break;
        }
        case WM_LBUTTONUP: {
            const bool wasClicked = clicked_;
            clicked_ = false;
            if ((ControlStyle() & csCaptureMouse) && GetCapture() == window) ReleaseCapture();
            if (wasClicked && ClientRect().Contains(x, y)) Click();
            HandleMouseUp(button, shift, x, y);
            break;
        }
        default:
            HandleMouseUp(button, shift, x, y);
            break;
    }
    m.Result = 0;
}

void TWinControl::HandleMouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
    if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}

void TWinControl::HandleMouseMove(TShiftState shift, int32_t x, int32_t y) {
    if (OnMouseMove) OnMouseMove(*this, shift, x, y);
}

void TWinControl::HandleMouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
    if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
}

void TWinControl::HandleMouseEnter() {
    if (OnMouseEnter) OnMouseEnter(*this);
}

void TWinControl::HandleMouseLeave() {
    if (OnMouseLeave) OnMouseLeave(*this);
}
