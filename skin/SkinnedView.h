#pragma once
// A skin for a shaped surface: a skin picture rendered into the surface's
// Bitmap, and an outline made from a window shape (a geometric figure or
// the rendered picture's alpha channel). Built on any image view whose
// holder is a control (the shaped form, the shaped frame).
#include <cstdint>
#include <memory>
#include <utility>

#include "platform/Region.h"
#include "skin/BitmapToRegion.h"
#include "skin/ImageView.h"
#include "skin/KGraphic.h"

enum TWindowShape : uint8_t { shRectangle, shEllipse, shRoundRect, shNoRegion, shAlphaMask };

// How the skin picture goes into Bitmap: copied at its own size, stretched
// to the surface's size, or not at all.
enum class TSkinFit : uint8_t { Copy, Stretch, None };

// The form's rule: the picture keeps its own size, except for the
// alpha-mask outline, which needs it at the form's size; unknown shapes
// leave Bitmap alone.
TSkinFit FormSkinFit(TWindowShape shape);

// The outline of a w x h surface for a shape; invalid for shNoRegion.
platform::TRegion MakeWindowRegion(TWindowShape shape, int32_t width, int32_t height, int32_t roundCorner,
                                   const TBitmap32& bitmap, int32_t alphaThreshold);

// Draws the nine slices of a picture into a width x height bitmap: corners
// at their size, edges stretched along, the centre both ways.
void RenderNineSlice(const TBitmap32& picture, const TRect& slice, TBitmap32& target, int32_t width, int32_t height);

template <class TViewBase>
class TSkinnedView : public TViewBase {
public:
    explicit TSkinnedView(TComponent* owner) : TViewBase(owner), skin_(std::make_unique<KGraphic>(this)) {
        skin_->OnChange = [this](TComponent& sender) { SkinChanged(sender); };
    }
    ~TSkinnedView() override { skin_.reset(); }

    KGraphic& Skin() { return *skin_; }
    TWindowShape WindowShape() const { return windowShape_; }
    int32_t AlphaThreshold() const { return alphaThreshold_; }

    // Stores the shape (even an unchanged one), then renders and cuts the outline again.
    void SetWindowShape(TWindowShape shape) {
        windowShape_ = shape;
        FollowSliceStretch();
        RenderSkin();
        UpdateWindowRegion();
    }

    void SetAlphaThreshold(int32_t threshold) {
        if (threshold == alphaThreshold_) return;
        alphaThreshold_ = threshold;
        if (windowShape_ == shNoRegion || windowShape_ == shAlphaMask) UpdateWindowRegion();
    }

    // The skin picture changed: render it and cut the outline again. An
    // empty Bitmap first takes the picture's size and drawing settings.
    void SkinChanged(TComponent&) {
        TBitmap32& bitmap = this->Bitmap();
        if (bitmap.Empty()) {
            bitmap.CopyFrom(&skin_->GetBitmap());
            bitmap.Clear(clBlack32);
            bitmap.Draw(0, 0, skin_->GetBitmap());
        }
        FollowSliceStretch();
        RenderSkin();
        UpdateWindowRegion();
    }

    virtual void RenderSkin() {
        if (skin_->FileName().empty()) return;
        TBitmap32& bitmap = this->Bitmap();
        {
            // Holds back OnChange only: a new size reaches ImageResized at once.
            TUpdateBracket hold(bitmap);
            const TBitmap32& picture = skin_->GetBitmap();
            const int32_t width = this->ViewWidth(), height = this->ViewHeight();
            if (skin_->SliceStretch()) {
                RenderNineSlice(picture, skin_->SliceRect(), bitmap, width, height);
            } else {
                switch (SkinFitFor(windowShape_)) {
                    case TSkinFit::Copy:
                        bitmap.SetSize(picture.Width(), picture.Height());
                        picture.DrawTo(bitmap);
                        break;
                    case TSkinFit::Stretch:
                        bitmap.SetSize(width, height);
                        picture.DrawTo(bitmap, TRect{0, 0, width, height});
                        break;
                    case TSkinFit::None:
                        break;
                }
            }
        }
        bitmap.Changed();
    }

    virtual void UpdateWindowRegion() {
        if (outlineHolds_ > 0) {
            outlineDue_ = true;
            return;
        }
        this->ApplyWindowRegion(MakeWindowRegion(windowShape_, this->ViewWidth(), this->ViewHeight(), RoundCorner(),
                                                 this->Bitmap(), alphaThreshold_));
    }

    // While the outline is held, changes that need it cut again only note
    // that; releasing the last hold cuts it once, if any did. A run of
    // settings (picture, threshold, shape, size) thus cuts it once, not once each.
    void HoldOutline() { ++outlineHolds_; }
    void ReleaseOutline() {
        if (outlineHolds_ == 0 || --outlineHolds_ > 0 || !outlineDue_) return;
        outlineDue_ = false;
        UpdateWindowRegion();
    }

protected:
    // How this kind of surface puts the skin picture into Bitmap for a shape.
    virtual TSkinFit SkinFitFor(TWindowShape shape) const = 0;
    // Width and height of the ellipse that rounds the corners of shRoundRect.
    virtual int32_t RoundCorner() const = 0;

    // The skin's part of a resize: the alpha-mask outline needs a skin file,
    // the other outlines are cut in any case.
    void ResizeSkin() {
        const bool hasFile = !skin_->FileName().empty();
        if (windowShape_ == shAlphaMask) {
            if (!hasFile) return;
            RenderSkin();
            UpdateWindowRegion();
            return;
        }
        if (hasFile) RenderSkin();
        UpdateWindowRegion();
    }

private:
    void FollowSliceStretch() { this->SetScaleMode(skin_->SliceStretch() ? smNormal : smStretch); }

    TWindowShape windowShape_ = shRectangle;
    std::unique_ptr<KGraphic> skin_;
    int32_t alphaThreshold_ = 0;
    int32_t outlineHolds_ = 0;
    bool outlineDue_ = false;
};
