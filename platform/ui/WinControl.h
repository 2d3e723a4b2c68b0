#pragma once
// A control with a window of its own: the window is made on first use, its
// messages come to the control, and it may hold child controls, which it
// lays out by their alignment and anchors. Mouse input, capture, painting
// and the notifications of system controls pass through here.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Region.h"
#include "platform/ui/Control.h"

// How the window is made: class, styles, caption and place.
struct TCreateParams {
    std::string ClassName;     // our own window class, or a system class
    bool SystemClass = false;  // a system control: it paints and handles input itself
    std::string Caption;
    uint32_t Style = 0;
    uint32_t ExStyle = 0;
    uint32_t ClassStyle = 0;
    int32_t X = 0, Y = 0, Width = 0, Height = 0;
    TWindowHandle Parent = nullptr;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    TWinControl* AsWinControl() override { return this; }

    bool IsWindowed() const override { return true; }
    // The window, made now (with its parents') if it does not exist yet.
    TWindowHandle Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    // The control whose window this is, or null for a window not ours.
    static TWinControl* FromHandle(TWindowHandle window);

    const std::vector<TControl*>& Controls() const { return controls_; }
    int32_t ClientWidth() const override;
    int32_t ClientHeight() const override;

    void InvalidateView() override;
    // Paints whatever is invalid now, without waiting for the message loop.
    void Repaint();
    // Brings the control in front of its siblings, at once or, before its
    // window exists, when it is made; a window made on demand is made now if
    // its parent's exists.
    void BringToFront();
    void SendToBack();
    // A child whose window is not made with its parent's unless it is in
    // front of its siblings, but when it is brought to the front or its
    // window is asked for: a page that waits behind the one shown.
    void SetWindowOnDemand(bool on) { windowOnDemand_ = on; }
    void SetFocus();
    bool Focused() const;
    // Whether the form of the window shows focus cues: they are hidden until
    // the keyboard is used, when the user's setting says so.
    bool KeyboardCuesShown() const;
    // Focused, with focus cues shown.
    bool ShowsFocusCue() const { return Focused() && KeyboardCuesShown(); }
    // Gives the focus to the first control that Tab reaches inside this window.
    void FocusFirstControl();
    // Presses a control that acts as a button once the message at hand is
    // done, as a click would; a disabled one takes no press.
    void PressLater();
    // Tells screen readers to speak the window's text now.
    void Announce();
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool on) { tabStop_ = on; }
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool on) { doubleBuffered_ = on; }

    // Gives the window an outline; the window owns the region afterwards.
    // An invalid region gives back the full rectangle. Before the window
    // exists the outline waits for it, so that shaping does not make it.
    void SetWindowRegion(platform::TRegion region);

    // Makes the description a screen reader asks of the window; none leaves it to the system.
    using TAccessibleObjectMaker = intptr_t (*)(TWindowHandle window, uintptr_t request, bool pressed);
    void SetAccessibleObjectMaker(TAccessibleObjectMaker maker) { accessibleObjectMaker_ = maker; }

    // Places the aligned children and moves the anchored ones.
    void RealignControls();

    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnDblClick;

protected:
    virtual void WindowParams(TCreateParams& params);
    virtual void CreateWindowHandle();
    void DestroyWindowHandle();
    // After the window was made: fonts, texts and states that live in it.
    virtual void WindowCreated();

    // Every message of the window; the default does the framework's work.
    virtual void HandleMessage(TMessage& message);
    // The system's own handling of a message.
    void DefaultHandler(TMessage& message);

    // Paints the client area; the default fills it with Color.
    virtual void PaintClient(TDeviceContext dc);
    // Paints the children without a window of their own, each clipped to its place.
    void PaintWindowlessChildren(TDeviceContext dc);
    // Answers WM_ERASEBKGND; true when the background counts as erased.
    virtual bool HandleEraseBackground(TDeviceContext dc);
    virtual void HandleMouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
    virtual void HandleMouseMove(TShiftState shift, int32_t x, int32_t y);
    virtual void HandleMouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
    virtual void HandleMouseEnter();
    virtual void HandleMouseLeave();
    void HandleResize() override;

    // Notifications that the parent's window receives and hands back to the
    // control that sent them.
    virtual void HandleCommand(uint32_t notifyCode) { (void)notifyCode; }
    virtual bool HandleNotify(void* header, intptr_t& result) { (void)header; (void)result; return false; }
    // The brush (HBRUSH) to paint a system control's background, or null for the default.
    virtual void* HandleControlColor(TDeviceContext dc);

    // The window got or lost the focus, or its focus cues were shown or hidden.
    virtual void FocusChanged() {}
    // A key went down or up on the focused window; true when the control
    // acted on it.
    virtual bool HandleKey(uint16_t key, bool down) { (void)key; (void)down; return false; }
    // A control of our own that acts as a push button: dialog navigation
    // treats it as one, and Enter presses it when it has the focus.
    virtual bool PressesLikeButton() const { return false; }
    // Such a button, held down now.
    virtual bool ShowsPressed() const { return false; }

    void SetMouseCapture(bool on);
    bool MouseCapture() const;

    void PlaceWindow() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void ColorChanged() override;
    void FontChanged() override;
    void TextChanged() override;

private:
    friend class TControl;
    friend struct TWindowProcedure;
    friend class TApplication;
    void InsertControl(TControl* control);
    void InvalidateArea(const TRect& area);
    void RemoveControl(TControl* control);
    void ParentFontOrColorChanged();
    void PaintWindow(TDeviceContext dc, const TRect& area);
    void HandleMouseMessage(TMessage& message);
    void SyncPlacementFromWindow();
    void RequireParentWindow(const TCreateParams& params, bool hasParent) const;
    bool MadeWithParent() const;
    void AnchorChildren(int32_t oldWidth, int32_t oldHeight);
    void* BackgroundBrush();

    TWindowHandle handle_ = nullptr;
    void* systemProcedure_ = nullptr;   // the system class's procedure of a subclassed control
    bool systemClass_ = false;
    std::vector<TControl*> controls_;
    bool tabStop_ = false;
    bool doubleBuffered_ = false;
    bool windowOnDemand_ = false;
    TAccessibleObjectMaker accessibleObjectMaker_ = nullptr;
    bool frontWhenMade_ = false;        // brought to the front before the window existed
    bool clicked_ = false;              // the left button went down on the window
    bool trackingLeave_ = false;
    void* brush_ = nullptr;             // HBRUSH of Color for system controls
    int32_t laidOutWidth_ = -1, laidOutHeight_ = -1;
    std::optional<platform::TRegion> pendingRegion_;  // the outline given before the window was made
};
