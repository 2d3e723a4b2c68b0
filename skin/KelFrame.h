#pragma once
// The skinned frame: like the skinned form, but the skin picture is always
// fitted to the frame's size.
#include "skin/SkinnedView.h"
#include "skin/ZFrame.h"

class TKelFrame : public TSkinnedView<TZFrame> {
public:
    explicit TKelFrame(TComponent* owner);

protected:
    // The frame's own resize work (and OnResize) comes before the skin's.
    void HandleResize() override;
    TSkinFit SkinFitFor(TWindowShape) const override { return TSkinFit::Stretch; }
    int32_t RoundCorner() const override { return 4; }
};
