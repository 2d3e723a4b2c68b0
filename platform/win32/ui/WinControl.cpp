// The windowed control: making its window, placing it, laying out its
// children and painting.
#include "platform/ui/WinControl.h"

#include <windows.h>

#include <algorithm>

#include "platform/Exception.h"
#include "platform/ui/Application.h"
#include "platform/win32/WideText.h"
#include "platform/win32/ui/StandardControls.h"
#include "platform/win32/ui/TabOrder.h"
#include "platform/win32/ui/WindowClasses.h"

using namespace platform::ui;

namespace {

HWND AsWindow(TWindowHandle handle) { return static_cast<HWND>(handle); }

// The rectangle of a window in its parent's client coordinates (the
// screen's for a top-level window).
RECT PlacementOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    HWND parent = (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
    if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The client area: the window's own when it exists, else the control's size.
RECT ClientArea(HWND window, int32_t width, int32_t height) {
    RECT r{0, 0, width, height};
    if (window) GetClientRect(window, &r);
    return r;
}

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    MarkDestroying();
    Application().ControlDestroyed(this);
    for (TControl* child : controls_) child->parent_ = nullptr;
    controls_.clear();
    DestroyWindowHandle();
    // Destroying the window may have made it the control under the mouse again.
    Application().ControlDestroyed(this);
    if (brush_) DeleteObject(static_cast<HBRUSH>(brush_));
}

TWinControl* TWinControl::FromHandle(TWindowHandle window) {
    if (!window) return nullptr;
    // Another process's window may carry the same property, holding an
    // address that means nothing here.
    DWORD process = 0;
    GetWindowThreadProcessId(AsWindow(window), &process);
    if (process != GetCurrentProcessId()) return nullptr;
    return static_cast<TWinControl*>(GetPropW(AsWindow(window), kControlProperty));
}

TWindowHandle TWinControl::Handle() {
    if (!handle_) CreateWindowHandle();
    return handle_;
}

void TWinControl::WindowParams(TCreateParams& params) {
    params.ClassName = "KelWindow";
    params.ClassStyle = CS_DBLCLKS;
    params.Caption = Caption();
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (Visible()) params.Style |= WS_VISIBLE;
    if (!Enabled()) params.Style |= WS_DISABLED;
    if (tabStop_) params.Style |= WS_TABSTOP;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
}

// A child window cannot exist without its parent's.
void TWinControl::RequireParentWindow(const TCreateParams& params, bool hasParent) const {
    if ((params.Style & WS_CHILD) && !hasParent) throw Exception("Control '" + Name() + "' has no parent window");
}

void TWinControl::CreateWindowHandle() {
    // Making the parent's window makes the windows of its children, this one
    // among them; it must not be made a second time here.
    if (Parent() && !Parent()->HandleAllocated()) {
        Parent()->Handle();
        if (handle_) return;
    }
    TCreateParams params;
    WindowParams(params);
    if (Parent()) params.Parent = Parent()->Handle();
    RequireParentWindow(params, params.Parent != nullptr);
    if (!params.SystemClass) EnsureWindowClass(params.ClassName, params.ClassStyle);
    HWND window = CreateWindowExW(params.ExStyle, platform::Wide(params.ClassName).c_str(),
                                  platform::Wide(params.Caption).c_str(), params.Style, params.X, params.Y,
                                  params.Width, params.Height, AsWindow(params.Parent), nullptr,
                                  GetModuleHandleW(nullptr), this);
    if (!window) throw Exception("Error creating window of class " + params.ClassName);
    systemClass_ = params.SystemClass;
    if (systemClass_) {
        // A system control keeps its own procedure; ours sees its messages first.
        handle_ = window;
        SetPropW(window, kControlProperty, this);
        systemProcedure_ = reinterpret_cast<void*>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProcedure)));
    }
    WindowCreated();
}

void TWinControl::WindowCreated() {
    // Still the front one of its siblings: it goes on top of their windows.
    if (frontWhenMade_ && Parent() && Parent()->controls_.back() == this) {
        frontWhenMade_ = false;
        SetWindowPos(AsWindow(handle_), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (pendingRegion_) {
        platform::TRegion region = std::move(*pendingRegion_);
        pendingRegion_.reset();
        SetWindowRegion(std::move(region));
    }
    SendMessageW(AsWindow(handle_), WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    for (TControl* child : controls_)
        if (child->IsWindowed() && static_cast<TWinControl*>(child)->MadeWithParent())
            static_cast<TWinControl*>(child)->Handle();
}

bool TWinControl::MadeWithParent() const {
    return !windowOnDemand_ || !Parent() || Parent()->controls_.back() == this;
}

void TWinControl::DestroyWindowHandle() {
    if (handle_) DestroyWindow(AsWindow(handle_));
    handle_ = nullptr;
}

int32_t TWinControl::ClientWidth() const { return ClientArea(AsWindow(handle_), Width(), Height()).right; }

int32_t TWinControl::ClientHeight() const { return ClientArea(AsWindow(handle_), Width(), Height()).bottom; }

void TWinControl::PlaceWindow() {
    if (!handle_) return;
    SetWindowPos(AsWindow(handle_), nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window was moved or sized by someone else (the system, a parent).
void TWinControl::SyncPlacementFromWindow() {
    const RECT r = PlacementOf(AsWindow(handle_));
    const int32_t width = r.right - r.left, height = r.bottom - r.top;
    if (r.left == Left() && r.top == Top() && width == Width() && height == Height()) return;
    const bool sized = width != Width() || height != Height();
    StorePlacement(r.left, r.top, width, height);
    if (sized) HandleResize();
}

void TWinControl::HandleResize() {
    AnchorChildren(laidOutWidth_, laidOutHeight_);
    RealignControls();
    TControl::HandleResize();
}

// Keeps anchored children at their distance from the right and bottom edges.
void TWinControl::AnchorChildren(int32_t oldWidth, int32_t oldHeight) {
    const int32_t width = ClientWidth(), height = ClientHeight();
    laidOutWidth_ = width;
    laidOutHeight_ = height;
    if (oldWidth < 0) return;
    const int32_t dx = width - oldWidth, dy = height - oldHeight;
    if (dx == 0 && dy == 0) return;
    for (TControl* child : controls_) {
        if (child->Align() != alNone) continue;
        const TAnchors a = child->Anchors();
        int32_t left = child->Left(), top = child->Top(), w = child->Width(), h = child->Height();
        if (a & akRight) (a & akLeft) ? w += dx : left += dx;
        if (a & akBottom) (a & akTop) ? h += dy : top += dy;
        child->SetPlacement(left, top, w, h);
    }
}

void TWinControl::RealignControls() {
    if (laidOutWidth_ < 0) {
        laidOutWidth_ = ClientWidth();
        laidOutHeight_ = ClientHeight();
    }
    // A child that changes its own size while being placed (a wrapping label)
    // asks for another round; a few rounds settle any stack.
    static thread_local int depth = 0;
    if (depth > 3) return;
    ++depth;
    TRect rest = ClientRect();
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* child : std::vector<TControl*>(controls_)) {
            if (child->Align() != align || !child->Visible()) continue;
            const int32_t w = child->Width(), h = child->Height();
            switch (align) {
                case alTop: child->SetPlacement(rest.Left, rest.Top, rest.Width(), h); rest.Top += child->Height(); break;
                case alBottom: child->SetPlacement(rest.Left, rest.Bottom - h, rest.Width(), h); rest.Bottom -= child->Height(); break;
                case alLeft: child->SetPlacement(rest.Left, rest.Top, w, rest.Height()); rest.Left += child->Width(); break;
                case alRight: child->SetPlacement(rest.Right - w, rest.Top, w, rest.Height()); rest.Right -= child->Width(); break;
                default: child->SetPlacement(rest.Left, rest.Top, rest.Width(), rest.Height()); break;
            }
        }
    }
    --depth;
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    if (handle_ && control->IsWindowed()) {
        auto* windowed = static_cast<TWinControl*>(control);
        if (windowed->handle_) ::SetParent(AsWindow(windowed->handle_), AsWindow(handle_));
        else if (windowed->MadeWithParent()) windowed->Handle();
    }
    control->InvalidateView();
}

void TWinControl::RemoveControl(TControl* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    if (!Destroying()) InvalidateArea(control->BoundsRect());
}

void TWinControl::InvalidateView() {
    if (handle_) InvalidateRect(AsWindow(handle_), nullptr, FALSE);
}

void TWinControl::InvalidateArea(const TRect& area) {
    if (!handle_) return;
    const RECT r{area.Left, area.Top, area.Right, area.Bottom};
    InvalidateRect(AsWindow(handle_), &r, FALSE);
}

void TWinControl::Repaint() {
    if (!handle_) return;
    InvalidateRect(AsWindow(handle_), nullptr, FALSE);
    UpdateWindow(AsWindow(handle_));
}

void TWinControl::BringToFront() {
    if (TWinControl* parent = Parent()) {
        auto& siblings = parent->controls_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        siblings.push_back(this);
        if (windowOnDemand_ && !handle_ && parent->handle_) Handle();
    }
    frontWhenMade_ = !handle_;
    if (handle_) SetWindowPos(AsWindow(handle_), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::SendToBack() {
    if (TWinControl* parent = Parent()) {
        auto& siblings = parent->controls_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        siblings.insert(siblings.begin(), this);
    }
    frontWhenMade_ = false;
    if (handle_) SetWindowPos(AsWindow(handle_), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::SetFocus() { ::SetFocus(AsWindow(Handle())); }

bool TWinControl::Focused() const { return handle_ && GetFocus() == AsWindow(handle_); }

bool TWinControl::KeyboardCuesShown() const {
    return handle_ && !(SendMessageW(GetAncestor(AsWindow(handle_), GA_ROOT), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

void TWinControl::FocusFirstControl() {
    if (HWND first = NextTabStop(AsWindow(Handle()), nullptr, false)) ::SetFocus(first);
}

void TWinControl::PressLater() { PostMessageW(AsWindow(Handle()), BM_CLICK, 0, 0); }

void TWinControl::Announce() {
    if (handle_) NotifyWinEvent(EVENT_SYSTEM_ALERT, AsWindow(handle_), OBJID_CLIENT, CHILDID_SELF);
}

void TWinControl::SetWindowRegion(platform::TRegion region) {
    if (!handle_) {
        TCreateParams params;
        WindowParams(params);
        RequireParentWindow(params, Parent() != nullptr);
        pendingRegion_ = std::move(region);
        return;
    }
    SetWindowRgn(AsWindow(handle_), region.Valid() ? static_cast<HRGN>(region.Release()) : nullptr, TRUE);
}

void TWinControl::SetMouseCapture(bool on) {
    if (on) SetCapture(AsWindow(Handle()));
    else if (MouseCapture()) ReleaseCapture();
}

bool TWinControl::MouseCapture() const { return handle_ && GetCapture() == AsWindow(handle_); }

void TWinControl::VisibleChanged() {
    if (handle_) ShowWindow(AsWindow(handle_), Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanged() {
    if (handle_) EnableWindow(AsWindow(handle_), Enabled());
}

void TWinControl::ColorChanged() {
    if (brush_) DeleteObject(static_cast<HBRUSH>(brush_));
    brush_ = nullptr;
    InvalidateView();
    ParentFontOrColorChanged();
}

void TWinControl::FontChanged() {
    if (handle_) SendMessageW(AsWindow(handle_), WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
    ParentFontOrColorChanged();
}

void TWinControl::ParentFontOrColorChanged() {
    for (TControl* child : controls_) child->FollowParent();
}

void TWinControl::TextChanged() {
    if (handle_) SetWindowUtf8Text(AsWindow(handle_), Caption());
}

void* TWinControl::BackgroundBrush() {
    if (!brush_) brush_ = CreateSolidBrush(ColorToRGB(Color()));
    return brush_;
}

void* TWinControl::HandleControlColor(TDeviceContext dc) {
    SetTextColor(static_cast<HDC>(dc), ColorToRGB(Font().Color()));
    SetBkColor(static_cast<HDC>(dc), ColorToRGB(Color()));
    return BackgroundBrush();
}

void TWinControl::PaintClient(TDeviceContext dc) {
    const RECT r{0, 0, ClientWidth(), ClientHeight()};
    FillRect(static_cast<HDC>(dc), &r, static_cast<HBRUSH>(BackgroundBrush()));
}

bool TWinControl::HandleEraseBackground(TDeviceContext dc) {
    if (!doubleBuffered_) PaintClient(dc);
    return true;
}

// Paints the client area and the windowless children on top, through an
// off-screen bitmap when the control is double-buffered.
void TWinControl::PaintWindow(TDeviceContext target, const TRect& area) {
    HDC dc = static_cast<HDC>(target);
    if (!doubleBuffered_) {
        PaintClient(dc);
        PaintWindowlessChildren(dc);
        return;
    }
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max(ClientWidth(), 1), std::max(ClientHeight(), 1));
    HGDIOBJ previous = SelectObject(memory, bitmap);
    PaintClient(memory);
    PaintWindowlessChildren(memory);
    BitBlt(dc, area.Left, area.Top, area.Width(), area.Height(), memory, area.Left, area.Top, SRCCOPY);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void TWinControl::PaintWindowlessChildren(TDeviceContext target) {
    HDC dc = static_cast<HDC>(target);
    for (TControl* child : controls_) {
        if (child->IsWindowed() || !child->Visible()) continue;
        const int saved = SaveDC(dc);
        const TRect r = child->BoundsRect();
        IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
        child->PaintOnParent(dc);
        RestoreDC(dc, saved);
    }
}
