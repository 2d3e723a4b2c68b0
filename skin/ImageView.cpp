#include "skin/ImageView.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "skin/Transfers.h"

int32_t RoundHalfEven(double value) { return int32_t(std::nearbyint(value)); }

TImageView::TImageView()
    : backBuffer_(std::make_unique<TBitmap32>()),
      bitmap_(std::make_unique<TBitmap32>()),
      layerList_(std::make_unique<TLayerCollection>(nullptr)),
      stageList_(std::make_unique<TPaintStages>()) {
    // The back buffer never announces its changes.
    backBuffer_->BeginUpdate();
    bitmap_->OnChange = [this](TThreadPersistent&) { NotifyChanged(); };
    bitmap_->OnResize = [this](TCustomMap&) { ImageResized(); };
    layerList_->SetMouseEvents(true);
    layerList_->LinkTransform(&imageTransform_);
    layerList_->OnChange = [this] { NotifyChanged(); };
    BuildDefaultStages();
}

TImageView::~TImageView() {
    SuspendChanges();
    // Freeing the picture must not reach back into a holder that is going away.
    bitmap_->OnChange = nullptr;
    bitmap_->OnResize = nullptr;
    stageList_.reset();
    layerList_.reset();
    bitmap_.reset();
    backBuffer_.reset();
}

// --- properties

void TImageView::SetBitmap(const TBitmap32& picture) {
    DropImageRect();
    bitmap_->CopyFrom(&picture);
}

void TImageView::SetScale(float scale) {
    if (scale < 0.001f) scale = 0.001f;
    if (scale == scale_) return;
    DropImageRect();
    scale_ = scale;
    ScaleChanged();
    NotifyChanged();
}

void TImageView::SetScaleMode(TScaleMode mode) {
    if (mode == scaleMode_) return;
    DropImageRect();
    scaleMode_ = mode;
    NotifyChanged();
}

void TImageView::SetOffsetHorz(float offset) {
    if (offset == offsetHorz_) return;
    offsetHorz_ = offset;
    DropImageRect();
    NotifyChanged();
}

void TImageView::SetOffsetVert(float offset) {
    if (offset == offsetVert_) return;
    offsetVert_ = offset;
    DropImageRect();
    NotifyChanged();
}

void TImageView::SetOnBitmapPixelCombine(TPixelCombineEvent handler) {
    bitmap_->OnPixelCombine = std::move(handler);
    NotifyChanged();
}

// --- change and invalidation

void TImageView::NotifyChanged() {
    if (updateDepth_ != 0) return;
    InvalidateWindowView();
    if (OnChange) OnChange(ViewSender());
}

void TImageView::RaiseInitStages() {
    if (OnInitStages) OnInitStages(ViewSender());
}

void TImageView::ViewResized() {
    DropImageRect();
    FitBuffer();
    bufferReady_ = false;
}

void TImageView::BuildDefaultStages() {
    struct Default { bool designMode, runMode; uint32_t kind, param; };
    static constexpr Default kStages[] = {
        {true, true, skFillBackground, 0}, {true, false, skControlFrame, 0}, {true, true, skDrawImage, 0},
        {true, false, skImageFrame, 0},    {true, true, skDrawLayers, kLayerVisible},
    };
    for (const Default& stage : kStages) {
        TPaintStageEntry& entry = stageList_->Add();
        entry.DesignMode = stage.designMode;
        entry.RunMode = stage.runMode;
        entry.StageKind = stage.kind;
        entry.StageParam = stage.param;
    }
}

// --- placement

TRect TImageView::GetPaintArea() const { return TRect{0, 0, ViewWidth(), ViewHeight()}; }

void TImageView::ScaledPictureSize(int32_t& width, int32_t& height) const {
    width = bitmap_->Width();
    height = bitmap_->Height();
    if (scaleMode_ == smScale) {
        width = RoundHalfEven(width * double(scale_));
        height = RoundHalfEven(height * double(scale_));
    }
}

void TImageView::GetImageSize(int32_t& width, int32_t& height) const {
    const int32_t viewWidth = ViewWidth(), viewHeight = ViewHeight();
    const int32_t bw = bitmap_->Width(), bh = bitmap_->Height();
    width = height = 0;
    if (bitmap_->Empty() || viewWidth == 0 || viewHeight == 0) return;
    switch (scaleMode_) {
        case smNormal:
            width = bw, height = bh;
            break;
        case smStretch:
            width = viewWidth, height = viewHeight;
            break;
        case smResize: {
            const float rx = float(viewWidth) / float(bw), ry = float(viewHeight) / float(bh);
            if (rx >= ry) width = RoundHalfEven(bw * double(ry)), height = viewHeight;
            else width = viewWidth, height = RoundHalfEven(bh * double(rx));
            break;
        }
        default:
            width = RoundHalfEven(bw * double(scale_));
            height = RoundHalfEven(bh * double(scale_));
            break;
    }
}

TRect TImageView::GetImageRect() const {
    if (bitmap_->Empty()) return TRect{};
    int32_t width, height;
    GetImageSize(width, height);
    return TRect{0, 0, width, height};
}

void TImageView::RefreshImageRect() {
    if (imageRectReady_) return;
    imageRect_ = GetImageRect();
    const int32_t rw = imageRect_.Width(), rh = imageRect_.Height();
    if (rw < 1 || rh < 1 || bitmap_->Empty()) {
        imageTransform_ = TImageTransform{};
    } else {
        const int32_t bw = bitmap_->Width(), bh = bitmap_->Height();
        imageTransform_.OriginX = imageRect_.Left;
        imageTransform_.OriginY = imageRect_.Top;
        imageTransform_.ZoomX = int32_t(MulDivRound(rw, 0x10000, bw));
        imageTransform_.ZoomY = int32_t(MulDivRound(rh, 0x10000, bh));
        imageTransform_.InvZoomX = int32_t(MulDivRound(bw, 0x10000, rw));
        imageTransform_.InvZoomY = int32_t(MulDivRound(bh, 0x10000, rh));
    }
    imageRectReady_ = true;
}

void TImageView::FitBuffer() {
    const TRect area = GetPaintArea();
    const int32_t needWidth = std::max(area.Width(), 0), needHeight = std::max(area.Height(), 0);
    const int32_t currentWidth = backBuffer_->Width(), currentHeight = backBuffer_->Height();
    if (needWidth == currentWidth && needHeight == currentHeight) return;
    int32_t width = currentWidth, height = currentHeight;
    if (needWidth > currentWidth) width = needWidth + bufferMargin_;
    if (needHeight > currentHeight) height = needHeight + bufferMargin_;
    if (needWidth < currentWidth - bufferMargin_) width = needWidth;
    if (needHeight < currentHeight - bufferMargin_) height = needHeight;
    if (width == currentWidth && height == currentHeight) return;
    backBuffer_->SetSize(width, height);
    bufferReady_ = false;
}

void TImageView::ImageResized() {
    if (ViewAutoSize()) {
        int32_t width, height;
        ScaledPictureSize(width, height);
        if (width > 0 && height > 0) ResizeControl(width, height);
    }
    // Raised only while changes are suspended, the one time nobody listens
    // to OnChange: the two never report the same change twice.
    if (updateDepth_ != 0 && OnBitmapResize) OnBitmapResize(ViewSender());
    DropImageRect();
    InvalidateWindowView();
}

bool TImageView::ViewAutoSizeQuery(int32_t& width, int32_t& height) {
    DropImageRect();
    int32_t w, h;
    ScaledPictureSize(w, h);
    const TAlign align = ViewAlign();
    if (align == alNone || align == alLeft || align == alRight) width = w;
    if (align == alNone || align == alTop || align == alBottom) height = h;
    return true;
}

// --- rendering

void TImageView::RenderBuffer() {
    RefreshImageRect();
    for (size_t i = 0; i < stageList_->Count(); ++i) {
        const TPaintStageEntry& entry = (*stageList_)[i];
        if (entry.RunMode) RunStage(entry, uint32_t(i));
    }
    bufferReady_ = true;
}

void TImageView::RunStage(const TPaintStageEntry& entry, uint32_t stageNum) {
    TBitmap32& buffer = *backBuffer_;
    switch (entry.StageKind) {
        case skUserPaint: StageUserPaint(buffer, stageNum, entry.StageParam); break;
        case skFillBuffer: StageFillBuffer(buffer, stageNum, entry.StageParam); break;
        case skFillBackground: StageFillBackground(buffer, stageNum, entry.StageParam); break;
        case skDrawImage: StageDrawImage(buffer, stageNum, entry.StageParam); break;
        case skDrawLayers: StageDrawLayers(buffer, stageNum, entry.StageParam); break;
        case skControlFrame: StageControlFrame(buffer, stageNum, entry.StageParam); break;
        case skImageFrame: StageImageFrame(buffer, stageNum, entry.StageParam); break;
        default: break;
    }
}

TColor32 TImageView::BackgroundColor32() const { return ColorToColor32(ViewColor()); }

void TImageView::StageFillBackground(TBitmap32& buffer, uint32_t, uint32_t) {
    const TColor32 color = BackgroundColor32();
    if (bitmap_->Empty() || bitmap_->DrawMode() != dmOpaque) {
        buffer.Clear(color);
        return;
    }
    // Only the bands the picture leaves uncovered.
    const TRect& r = imageRect_;
    const int32_t width = ViewWidth(), height = ViewHeight();
    if (r.Left <= 0 && r.Right >= width && r.Top <= 0 && r.Bottom >= height) return;
    buffer.FillRectClipped(0, 0, width, r.Top, color);
    buffer.FillRectClipped(0, r.Bottom, width, height, color);
    buffer.FillRectClipped(0, r.Top, r.Left, r.Bottom, color);
    buffer.FillRectClipped(r.Right, r.Top, width, r.Bottom, color);
}

void TImageView::StageFillBuffer(TBitmap32& buffer, uint32_t, uint32_t) { buffer.Clear(BackgroundColor32()); }

void TImageView::StageDrawImage(TBitmap32& buffer, uint32_t, uint32_t) {
    if (bitmap_->Empty() || imageRect_.IsEmpty()) return;
    bitmap_->Lock();
    try {
        bitmap_->DrawTo(buffer, imageRect_);
    } catch (...) {
        bitmap_->Unlock();
        throw;
    }
    bitmap_->Unlock();
}

void TImageView::StageDrawLayers(TBitmap32& buffer, uint32_t, uint32_t param) { layerList_->PaintLayers(buffer, param); }

void TImageView::StageUserPaint(TBitmap32& buffer, uint32_t stageNum, uint32_t) {
    if (OnPaintStage) OnPaintStage(ViewSender(), buffer, stageNum);
}

void TImageView::StageControlFrame(TBitmap32& buffer, uint32_t, uint32_t) {
    DrawFocusFrame(buffer, TRect{0, 0, ViewWidth(), ViewHeight()});
}

void TImageView::StageImageFrame(TBitmap32& buffer, uint32_t, uint32_t) { DrawFocusFrame(buffer, imageRect_); }

void TImageView::PaintView(TDeviceContext dc) {
    FitBuffer();
    if (!bufferReady_) RenderBuffer();
    const TRect area = GetPaintArea();
    backBuffer_->Lock();
    try {
        backBuffer_->DrawTo(dc, area.Left, area.Top, TRect{0, 0, area.Width(), area.Height()});
    } catch (...) {
        backBuffer_->Unlock();
        throw;
    }
    backBuffer_->Unlock();
    PaintOverlay(dc);
}

void TImageView::PaintOverlay(TDeviceContext) {
    // Overlay layers would paint on the window here; none exist.
    if (OnGDIOverlay) OnGDIOverlay(ViewSender());
}

// --- mouse

void TImageView::ViewMouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
    CaptureMouse();
    TCustomLayer* layer = layerList_->FindLayerAt(x, y);
    if (OnMouseDown) OnMouseDown(ViewSender(), button, shift, x, y, layer);
}

void TImageView::ViewMouseMove(TShiftState shift, int32_t x, int32_t y) {
    TCustomLayer* layer = layerList_->FindLayerAt(x, y);
    if (!layer) SetApplicationCursor(ViewCursor());
    if (OnMouseMove) OnMouseMove(ViewSender(), shift, x, y, layer);
}

void TImageView::ViewMouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
    TCustomLayer* layer = layerList_->FindLayerAt(x, y);
    if (OnMouseUp) OnMouseUp(ViewSender(), button, shift, x, y, layer);
}

void TImageView::ViewMouseEnter() {
    if (OnMouseEnter) OnMouseEnter(ViewSender());
}

void TImageView::ViewMouseLeave() {
    SetApplicationCursor(crDefault);
    if (OnMouseLeave) OnMouseLeave(ViewSender());
}

// --- focus frame

void DrawFocusFrame(TBitmap32& bitmap, const TRect& r) {
    const TRect box = IntersectRect(r, bitmap.BoundsRect());
    if (box.IsEmpty()) return;
    // Every other pixel of the outline, in the same checkerboard phase on all edges.
    auto invert = [&](int32_t x, int32_t y) {
        if (((x + y) & 1) == 0) bitmap.SetPixel(x, y, bitmap.GetPixel(x, y) ^ 0x00FFFFFF);
    };
    for (int32_t x = box.Left; x < box.Right; ++x) {
        invert(x, box.Top);
        if (box.Bottom - 1 > box.Top) invert(x, box.Bottom - 1);
    }
    for (int32_t y = box.Top + 1; y < box.Bottom - 1; ++y) {
        invert(box.Left, y);
        if (box.Right - 1 > box.Left) invert(box.Right - 1, y);
    }
    bitmap.Changed();
}
