#pragma once
// A skin picture: the file it shows, how its alpha channel is made, and its
// working copy. Setters only mark what must be redone; GetBitmap does it.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Component.h"
#include "platform/Rect.h"
#include "skin/Bitmap32.h"

// How the alpha channel of the working copy is made. Values from 5 up leave
// the alpha as loaded.
enum TGraphicAlphaMode : uint8_t {
    gaOpaque,            // every pixel opaque
    gaSelfIntensity,     // alpha = brightness of the pixel itself
    gaMaskIntensity,     // alpha = brightness of the same pixel of the mask picture
    gaCornerColor,       // the bottom-left pixel's colour becomes transparent green
    gaTransparentColor,  // TransparentColor becomes transparent, its colour kept
};

class KGraphic : public TComponent {
public:
    // Bits of the dirty flags.
    static constexpr uint8_t kReload = 1, kApplyAlpha = 2, kFinish = 4, kAllDirty = 15;

    explicit KGraphic(TComponent* owner = nullptr);

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& name);
    const std::string& MaskFileName() const { return maskFileName_; }
    void SetMaskFileName(const std::string& name);
    TGraphicAlphaMode AlphaMode() const { return alphaMode_; }
    void SetAlphaMode(TGraphicAlphaMode mode);
    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor color);
    bool SliceStretch() const { return sliceStretch_; }
    void SetSliceStretch(bool stretch) { sliceStretch_ = stretch; }
    const TRect& SliceRect() const { return sliceRect_; }
    void SetSliceRect(const TRect& r) { sliceRect_ = r; }
    uint8_t DirtyFlags() const { return dirty_; }

    // Brings the working copy up to date and returns it, drawing opaque.
    TBitmap32& GetBitmap();

    virtual void Changed();
    TNotifyEvent OnChange;

private:
    void MarkAllDirty() { dirty_ = kAllDirty; }
    void ApplyAlphaMode();
    void MakeCornerColorTransparent();
    void MakeTransparentColorTransparent();

    std::string fileName_;
    std::string maskFileName_;
    bool sliceStretch_ = false;
    std::unique_ptr<TBitmap32> bitmap_ = std::make_unique<TBitmap32>();
    uint8_t dirty_ = kAllDirty;
    TGraphicAlphaMode alphaMode_ = gaOpaque;
    TColor transparentColor_ = 0;
    TRect sliceRect_{10, 10, 30, 30};
};
