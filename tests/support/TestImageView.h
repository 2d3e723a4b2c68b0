#pragma once
// An image view held by a stand-in control: it records what the view asks
// the control to do (invalidate, resize, capture, cursors, outlines) so that
// the view's rules can be checked without a window.
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/Component.h"
#include "skin/ImageView.h"
#include "skin/SkinnedView.h"

class TTestImageView : public TComponent, public TImageView {
public:
    explicit TTestImageView(TComponent* owner = nullptr) : TComponent(owner) {}

    // Sizes the stand-in control the way a window's resize would.
    void Resize(int32_t width, int32_t height) {
        width_ = width;
        height_ = height;
        ViewResized();
    }
    void Paint() { PaintView(nullptr); }
    void MouseDown(TMouseButton b, int32_t x, int32_t y) { ViewMouseDown(b, 0, x, y); }
    void MouseMove(int32_t x, int32_t y) { ViewMouseMove(0, x, y); }
    void MouseLeave() { ViewMouseLeave(); }
    bool AutoSizeQuery(int32_t& width, int32_t& height) { return ViewAutoSizeQuery(width, height); }
    void Invalidate() { InvalidateWindowView(); }

    TColor color = clBtnFace;
    TCursor cursor = crDefault;
    bool autoSize = false;
    TAlign align = alNone;
    int invalidations = 0;
    int captures = 0;
    std::vector<std::pair<int32_t, int32_t>> resizes;
    std::vector<TCursor> applicationCursors;
    int regionsApplied = 0;
    platform::TRegion lastRegion;

protected:
    TComponent& ViewSender() override { return *this; }
    int32_t ViewWidth() const override { return width_; }
    int32_t ViewHeight() const override { return height_; }
    TColor ViewColor() const override { return color; }
    TCursor ViewCursor() const override { return cursor; }
    bool ViewAutoSize() const override { return autoSize; }
    TAlign ViewAlign() const override { return align; }
    void InvalidateWindow() override { ++invalidations; }
    void ResizeControl(int32_t width, int32_t height) override {
        resizes.emplace_back(width, height);
        Resize(width, height);
    }
    void CaptureMouse() override { ++captures; }
    void SetApplicationCursor(TCursor c) override { applicationCursors.push_back(c); }
    void ApplyWindowRegion(platform::TRegion region) override {
        ++regionsApplied;
        lastRegion = std::move(region);
    }

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
};

// A skinned stand-in with the form's or the frame's rule for fitting the picture.
class TTestSkinnedView : public TSkinnedView<TTestImageView> {
public:
    explicit TTestSkinnedView(bool formRules) : TSkinnedView<TTestImageView>(nullptr), formRules_(formRules) {}
    using TSkinnedView<TTestImageView>::ResizeSkin;

protected:
    TSkinFit SkinFitFor(TWindowShape shape) const override { return formRules_ ? FormSkinFit(shape) : TSkinFit::Stretch; }
    int32_t RoundCorner() const override { return formRules_ ? 10 : 4; }

private:
    bool formRules_;
};
