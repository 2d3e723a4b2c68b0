#include "platform/ui/Control.h"

#include "platform/ui/WinControl.h"

TControl::TControl(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this] {
        if (!followingParent_) parentFont_ = false;
        FontChanged();
    };
}

TControl::~TControl() {
    font_.OnChange = nullptr;
    if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_) parent_->RemoveControl(this);
    parent_ = parent;
    if (!parent_) return;
    parent_->InsertControl(this);
    FollowParent();
    RequestParentLayout();
}

void TControl::SetPlacement(int32_t left, int32_t top, int32_t width, int32_t height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const bool sized = width != width_ || height != height_;
    if (!IsWindowed()) InvalidateView();
    StorePlacement(left, top, width, height);
    PlaceWindow();
    if (!IsWindowed()) InvalidateView();
    if (sized) HandleResize();
    if (align_ != alNone) RequestParentLayout();
}

void TControl::StorePlacement(int32_t left, int32_t top, int32_t width, int32_t height) {
    left_ = left;
    top_ = top;
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    if (!visible) InvalidateView();
    visible_ = visible;
    VisibleChanged();
    RequestParentLayout();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    EnabledChanged();
}

void TControl::SetColor(TColor color) {
    parentColor_ = false;
    if (color == color_) return;
    color_ = color;
    ColorChanged();
}

void TControl::SetParentColor(bool on) {
    parentColor_ = on;
    FollowParent();
}

void TControl::SetParentFont(bool on) {
    parentFont_ = on;
    FollowParent();
}

void TControl::FollowParent() {
    if (!parent_) return;
    followingParent_ = true;
    if (parentFont_) font_.Assign(parent_->Font());
    followingParent_ = false;
    if (parentColor_ && color_ != parent_->Color()) {
        color_ = parent_->Color();
        ColorChanged();
    }
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    if (parent_) parent_->RealignControls();
}

void TControl::SetAutoSize(bool on) {
    if (on == autoSize_) return;
    autoSize_ = on;
    AdjustSize();
}

void TControl::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    TextChanged();
    AdjustSize();
}

void TControl::InvalidateView() {
    if (parent_) parent_->InvalidateArea(BoundsRect());
}

bool TControl::AutoSizeQuery(int32_t&, int32_t&) { return false; }

void TControl::AdjustSize() {
    if (!autoSize_) return;
    int32_t width = width_, height = height_;
    if (AutoSizeQuery(width, height)) SetPlacement(left_, top_, width, height);
}

void TControl::HandleResize() {
    if (OnResize) OnResize(*this);
}

void TControl::Click() {
    if (OnClick) OnClick(*this);
}

void TControl::RequestParentLayout() {
    if (parent_ && align_ != alNone) parent_->RealignControls();
}
