#pragma once
// The image-view machinery that the shaped form and the shaped frame share:
// a picture (Bitmap) shown over the whole client area through an off-screen
// back buffer that a list of paint stages renders, with the picture placed
// by a scale mode and the placement cached until something changes. The
// control that holds it answers a few questions about itself (size, colour)
// and does what only a window can (invalidate, capture the mouse).
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/Color.h"
#include "platform/Component.h"
#include "platform/Region.h"
#include "platform/Rect.h"
#include "platform/ui/UiTypes.h"
#include "skin/Bitmap32.h"
#include "skin/LayerCollection.h"
#include "skin/PaintStages.h"

enum TScaleMode : uint8_t { smNormal, smStretch, smScale, smResize };

// Kinds of paint stages.
constexpr uint32_t skUserPaint = 1, skFillBuffer = 2, skFillBackground = 3, skDrawImage = 4, skDrawLayers = 5,
                   skControlFrame = 6, skImageFrame = 7;
// Layer option bits: visible layers, and layers painted over the window after the copy.
constexpr uint32_t kLayerVisible = 0x80000000, kLayerOverlay = 0x40000000;

using TImgMouseEvent =
    std::function<void(TComponent& sender, TMouseButton button, TShiftState shift, int32_t x, int32_t y, TCustomLayer* layer)>;
using TImgMouseMoveEvent = std::function<void(TComponent& sender, TShiftState shift, int32_t x, int32_t y, TCustomLayer* layer)>;
using TPaintStageEvent = std::function<void(TComponent& sender, TBitmap32& buffer, uint32_t stageNum)>;

class TImageView {
public:
    TImageView();
    virtual ~TImageView();
    TImageView(const TImageView&) = delete;
    TImageView& operator=(const TImageView&) = delete;

    // The picture shown.
    TBitmap32& Bitmap() { return *bitmap_; }
    const TBitmap32& Bitmap() const { return *bitmap_; }
    // Shows a copy of the picture, drawing settings included.
    void SetBitmap(const TBitmap32& picture);
    TBitmap32& BackBuffer() { return *backBuffer_; }
    TLayerCollection& LayerList() { return *layerList_; }
    TPaintStages& StageList() { return *stageList_; }

    float Scale() const { return scale_; }
    void SetScale(float scale);
    TScaleMode ScaleMode() const { return scaleMode_; }
    void SetScaleMode(TScaleMode mode);
    float OffsetHorz() const { return offsetHorz_; }
    void SetOffsetHorz(float offset);
    float OffsetVert() const { return offsetVert_; }
    void SetOffsetVert(float offset);
    const TPixelCombineEvent& OnBitmapPixelCombine() const { return bitmap_->OnPixelCombine; }
    void SetOnBitmapPixelCombine(TPixelCombineEvent handler);

    int32_t BufferMargin() const { return bufferMargin_; }
    bool BufferReady() const { return bufferReady_; }
    bool ImageRectReady() const { return imageRectReady_; }
    const TRect& ImageRect() const { return imageRect_; }
    const TImageTransform& ImageTransform() const { return imageTransform_; }
    int32_t UpdateDepth() const { return updateDepth_; }

    virtual void RenderBuffer();
    virtual void PaintOverlay(TDeviceContext dc);
    virtual void ImageResized();
    virtual void RaiseInitStages();
    virtual void ScaleChanged() {}
    virtual void BuildDefaultStages();
    virtual TRect GetPaintArea() const;
    virtual void SuspendChanges() { ++updateDepth_; }
    virtual void NotifyChanged();
    virtual void ResumeChanges() { --updateDepth_; }
    virtual void StageImageFrame(TBitmap32& buffer, uint32_t stageNum, uint32_t param);
    virtual void StageFillBackground(TBitmap32& buffer, uint32_t stageNum, uint32_t param);
    virtual void StageFillBuffer(TBitmap32& buffer, uint32_t stageNum, uint32_t param);
    virtual void StageControlFrame(TBitmap32& buffer, uint32_t stageNum, uint32_t param);
    virtual void StageUserPaint(TBitmap32& buffer, uint32_t stageNum, uint32_t param);
    virtual void StageDrawImage(TBitmap32& buffer, uint32_t stageNum, uint32_t param);
    virtual void StageDrawLayers(TBitmap32& buffer, uint32_t stageNum, uint32_t param);
    virtual TRect GetImageRect() const;
    virtual void GetImageSize(int32_t& width, int32_t& height) const;

    // Keeps the back buffer at least as large as the paint area, with hysteresis.
    void FitBuffer();
    void RefreshImageRect();
    void DropImageRect() { imageRectReady_ = false; }

    TNotifyEvent OnGDIOverlay;
    TNotifyEvent OnBitmapResize;
    TNotifyEvent OnChange;
    TNotifyEvent OnInitStages;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TImgMouseEvent OnMouseDown;
    TImgMouseEvent OnMouseUp;
    TImgMouseMoveEvent OnMouseMove;
    TPaintStageEvent OnPaintStage;

protected:
    // What the holding control answers and does.
    virtual TComponent& ViewSender() = 0;
    virtual int32_t ViewWidth() const = 0;
    virtual int32_t ViewHeight() const = 0;
    virtual TColor ViewColor() const = 0;
    virtual TCursor ViewCursor() const = 0;
    virtual bool ViewAutoSize() const = 0;
    virtual TAlign ViewAlign() const = 0;
    // The framework's invalidation of the whole client area.
    virtual void InvalidateWindow() = 0;
    // Sizes the control, keeping its place.
    virtual void ResizeControl(int32_t width, int32_t height) = 0;
    virtual void CaptureMouse() = 0;
    virtual void SetApplicationCursor(TCursor cursor) = 0;
    // Gives the window its outline; an invalid region restores the rectangle.
    virtual void ApplyWindowRegion(platform::TRegion region) = 0;

    // The work of the control's overrides.
    void ViewInvalidated() { bufferReady_ = false; imageRectReady_ = false; }
    // The control's whole InvalidateView: drop the caches, then invalidate the window.
    void InvalidateWindowView() { ViewInvalidated(); InvalidateWindow(); }
    void ViewPlacementChanging() { bufferReady_ = false; }
    void ViewResized();
    bool ViewAutoSizeQuery(int32_t& width, int32_t& height);
    void PaintView(TDeviceContext dc);
    void ViewMouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
    void ViewMouseMove(TShiftState shift, int32_t x, int32_t y);
    void ViewMouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
    void ViewMouseEnter();
    void ViewMouseLeave();
    void SetBufferReady(bool ready) { bufferReady_ = ready; }

private:
    void RunStage(const TPaintStageEntry& entry, uint32_t stageNum);
    TColor32 BackgroundColor32() const;
    // The picture's size, scaled when the scale mode is smScale.
    void ScaledPictureSize(int32_t& width, int32_t& height) const;

    std::unique_ptr<TBitmap32> backBuffer_;
    int32_t bufferMargin_ = 40;
    bool bufferReady_ = false;
    std::unique_ptr<TBitmap32> bitmap_;
    std::unique_ptr<TLayerCollection> layerList_;
    float offsetHorz_ = 0;
    float offsetVert_ = 0;
    std::unique_ptr<TPaintStages> stageList_;
    float scale_ = 1.0f;
    TScaleMode scaleMode_ = smNormal;
    int32_t updateDepth_ = 0;
    TRect imageRect_{};
    TImageTransform imageTransform_{};
    bool imageRectReady_ = false;
};

// Rounds to the nearest integer, halves to even.
int32_t RoundHalfEven(double value);
// Dotted inverted frame around a rectangle of the bitmap, as focus frames look.
void DrawFocusFrame(TBitmap32& bitmap, const TRect& r);
