#include "skin/KGraphic.h"

#include "skin/MediaList.h"

namespace {

constexpr TColor32 kTransparentGreen = 0x0000FF00;

}  // namespace

KGraphic::KGraphic(TComponent* owner) : TComponent(owner) {}

void KGraphic::SetFileName(const std::string& name) {
    if (name == fileName_) return;
    fileName_ = name;
    MarkAllDirty();
    Changed();
}

void KGraphic::SetMaskFileName(const std::string& name) {
    if (name == maskFileName_) return;
    maskFileName_ = name;
    MarkAllDirty();
    Changed();
}

void KGraphic::SetAlphaMode(TGraphicAlphaMode mode) {
    if (mode == alphaMode_) return;
    alphaMode_ = mode;
    MarkAllDirty();
    Changed();
}

// Only the transparent-colour mode depends on the colour; the others keep
// their picture but are still told of the change.
void KGraphic::SetTransparentColor(TColor color) {
    if (color == transparentColor_) return;
    transparentColor_ = color;
    if (alphaMode_ == gaTransparentColor) MarkAllDirty();
    Changed();
}

void KGraphic::Changed() {
    if (OnChange) OnChange(*this);
}

TBitmap32& KGraphic::GetBitmap() {
    TBitmap32& bitmap = *bitmap_;
    bitmap.SetDrawMode(dmOpaque);
    if (!(dirty_ & (kReload | kApplyAlpha | kFinish))) return bitmap;
    if (dirty_ & kReload) {
        bitmap.CopyFrom(&GetMedia(MediaList, fileName_));
        dirty_ &= ~kReload;
    }
    if (dirty_ & kApplyAlpha) {
        ApplyAlphaMode();
        dirty_ &= ~kApplyAlpha;
    }
    dirty_ &= ~kFinish;
    return bitmap;
}

void KGraphic::ApplyAlphaMode() {
    TBitmap32& bitmap = *bitmap_;
    switch (alphaMode_) {
        case gaOpaque: bitmap.MakeOpaque(); break;
        case gaSelfIntensity: AlphaFromIntensity(&bitmap, &GetMedia(MediaList, fileName_)); break;
        case gaMaskIntensity: AlphaFromIntensity(&bitmap, &GetMedia(MediaList, maskFileName_)); break;
        case gaCornerColor: MakeCornerColorTransparent(); break;
        case gaTransparentColor: MakeTransparentColorTransparent(); break;
        default: break;
    }
}

// Every pixel of the bottom-left pixel's colour becomes exactly transparent green.
void KGraphic::MakeCornerColorTransparent() {
    TBitmap32& bitmap = *bitmap_;
    bitmap.MakeOpaque();
    if (bitmap.Empty()) return;  // there is no corner to take the colour from
    const TColor32 key = RgbOf(bitmap.GetPixel(0, bitmap.Height() - 1));
    TColor32* p = bitmap.Pixels();
    const int64_t count = int64_t(bitmap.Width()) * bitmap.Height();
    for (int64_t i = 0; i < count; ++i)
        if (RgbOf(p[i]) == key) p[i] = kTransparentGreen;
}

// Every pixel of the transparent colour gets alpha 0 and keeps its colour.
void KGraphic::MakeTransparentColorTransparent() {
    TBitmap32& bitmap = *bitmap_;
    {
        TUpdateBracket bracket(bitmap);
        bitmap.MakeOpaque();
        const TColor32 key = RgbOf(ColorToColor32(transparentColor_));
        TColor32* p = bitmap.Pixels();
        const int64_t count = int64_t(bitmap.Width()) * bitmap.Height();
        for (int64_t i = 0; i < count; ++i)
            if (RgbOf(p[i]) == key) p[i] = RgbOf(p[i]);
    }
    bitmap.Changed();
}
