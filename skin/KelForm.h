#pragma once
// The skinned form: a skin picture rendered into the form's Bitmap, and a
// window outline from a shape or the picture's alpha channel.
#include "skin/SkinnedView.h"
#include "skin/ZForm.h"

class TKelForm : public TSkinnedView<TZForm> {
public:
    explicit TKelForm(TComponent* owner);

protected:
    // The skin is rendered and cut at the new size before the form's own resize work.
    void HandleResize() override;
    TSkinFit SkinFitFor(TWindowShape shape) const override;
    int32_t RoundCorner() const override { return 10; }
};
