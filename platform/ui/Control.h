#pragma once
// The base of every control: place, size, visibility, colour, font, cursor,
// alignment and anchors, and the click and resize notifications. A control
// without a window of its own (a label) is painted by its parent. Every text
// of the framework (captions, items, names) is UTF-8.
#include <cstdint>
#include <string>

#include "platform/Color.h"
#include "platform/Component.h"
#include "platform/Rect.h"
#include "platform/ui/Font.h"
#include "platform/ui/UiTypes.h"

class TWinControl;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    TControl* AsControl() override { return this; }

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int32_t Left() const { return left_; }
    int32_t Top() const { return top_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    TRect BoundsRect() const { return TRect{left_, top_, left_ + width_, top_ + height_}; }
    virtual int32_t ClientWidth() const { return width_; }
    virtual int32_t ClientHeight() const { return height_; }
    TRect ClientRect() const { return TRect{0, 0, ClientWidth(), ClientHeight()}; }
    void SetLeft(int32_t left) { SetPlacement(left, top_, width_, height_); }
    void SetTop(int32_t top) { SetPlacement(left_, top, width_, height_); }
    void SetWidth(int32_t width) { SetPlacement(left_, top_, width, height_); }
    void SetHeight(int32_t height) { SetPlacement(left_, top_, width_, height); }
    void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) { SetPlacement(left, top, width, height); }
    // Moves and sizes the control; a change of size then runs HandleResize.
    virtual void SetPlacement(int32_t left, int32_t top, int32_t width, int32_t height);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool on);
    // The control's font; changing it stops taking the parent's.
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool on);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor) { cursor_ = cursor; }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors) { anchors_ = anchors; }
    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool on);

    const std::string& Caption() const { return caption_; }
    virtual void SetCaption(const std::string& caption);

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle style) { controlStyle_ = style; }

    // Schedules the control's area for repainting.
    virtual void InvalidateView();
    // Runs after the control's description has been applied.
    virtual void AfterLoading() {}
    // Asked for the size an auto-sized control wants; true to take it.
    virtual bool AutoSizeQuery(int32_t& width, int32_t& height);
    // Sizes an auto-sized control to what AutoSizeQuery proposes.
    void AdjustSize();

    virtual bool IsWindowed() const { return false; }
    // Paints a control without a window onto its parent's device context,
    // whose origin is the parent's client origin.
    virtual void PaintOnParent(TDeviceContext) {}

    TNotifyEvent OnClick;
    TNotifyEvent OnResize;

protected:
    // After every change of size; raises OnResize.
    virtual void HandleResize();
    virtual void Click();
    virtual void VisibleChanged() { InvalidateView(); }
    virtual void EnabledChanged() { InvalidateView(); }
    virtual void ColorChanged() { InvalidateView(); }
    virtual void FontChanged() { InvalidateView(); }
    virtual void TextChanged() { InvalidateView(); }
    // Takes the parent's colour and font where the control follows them.
    void FollowParent();
    // Moves the control's window to the stored place.
    virtual void PlaceWindow() {}
    // Stores the place without telling anyone; for the window's own reports.
    void StorePlacement(int32_t left, int32_t top, int32_t width, int32_t height);

private:
    void RequestParentLayout();

    TWinControl* parent_ = nullptr;
    int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    TFont font_;
    bool parentFont_ = true;
    bool followingParent_ = false;
    TCursor cursor_ = crDefault;
    TAlign align_ = alNone;
    TAnchors anchors_ = akTopLeft;
    bool autoSize_ = false;
    std::string caption_;
    TControlStyle controlStyle_ = 0;

    friend class TWinControl;
};
