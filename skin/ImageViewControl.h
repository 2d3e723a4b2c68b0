#pragma once
// Binds the image-view machinery to a framework control (a form or a frame):
// the control's painting, resizing, mouse and invalidation go through the
// view, and the view's questions are answered by the control.
#include <utility>

#include "platform/ui/Application.h"
#include "platform/ui/WinControl.h"
#include "skin/ImageView.h"

template <class TBase>
class TImageViewControl : public TBase, public TImageView {
public:
    explicit TImageViewControl(TComponent* owner) : TBase(owner) {
        this->SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque |
                              csReplicatable);
    }

    // The layer-aware mouse events replace the framework's.
    using TImageView::OnMouseDown;
    using TImageView::OnMouseEnter;
    using TImageView::OnMouseLeave;
    using TImageView::OnMouseMove;
    using TImageView::OnMouseUp;

    void InvalidateView() override {
        ViewInvalidated();
        TBase::InvalidateView();
    }
    void SetPlacement(int32_t left, int32_t top, int32_t width, int32_t height) override {
        ViewPlacementChanging();
        TBase::SetPlacement(left, top, width, height);
    }
    void AfterLoading() override {
        ViewPlacementChanging();
        TBase::AfterLoading();
        RaiseInitStages();
    }
    bool AutoSizeQuery(int32_t& width, int32_t& height) override { return ViewAutoSizeQuery(width, height); }

protected:
    void PaintClient(TDeviceContext dc) override { PaintView(dc); }
    // The view paints every pixel, so erasing first would only flicker.
    bool HandleEraseBackground(TDeviceContext) override { return true; }
    void HandleResize() override {
        ViewResized();
        TBase::HandleResize();
    }
    void HandleMouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override {
        ViewMouseDown(button, shift, x, y);
    }
    void HandleMouseMove(TShiftState shift, int32_t x, int32_t y) override { ViewMouseMove(shift, x, y); }
    void HandleMouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override {
        ViewMouseUp(button, shift, x, y);
    }
    void HandleMouseEnter() override { ViewMouseEnter(); }
    void HandleMouseLeave() override { ViewMouseLeave(); }

    TComponent& ViewSender() override { return *this; }
    int32_t ViewWidth() const override { return this->Width(); }
    int32_t ViewHeight() const override { return this->Height(); }
    TColor ViewColor() const override { return this->Color(); }
    TCursor ViewCursor() const override { return this->Cursor(); }
    bool ViewAutoSize() const override { return this->AutoSize(); }
    TAlign ViewAlign() const override { return this->Align(); }
    void InvalidateWindow() override { TBase::InvalidateView(); }
    void ResizeControl(int32_t width, int32_t height) override {
        this->SetPlacement(this->Left(), this->Top(), width, height);
    }
    void CaptureMouse() override { this->SetMouseCapture(true); }
    void SetApplicationCursor(TCursor cursor) override { Application().SetScreenCursor(cursor); }
    void ApplyWindowRegion(platform::TRegion region) override { this->SetWindowRegion(std::move(region)); }
};
