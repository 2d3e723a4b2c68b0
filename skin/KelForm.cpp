#include "skin/KelForm.h"

TKelForm::TKelForm(TComponent* owner) : TSkinnedView<TZForm>(owner) {
    SetCaption("KelForm");
    SetDoubleBuffered(true);
}

void TKelForm::HandleResize() {
    ResizeSkin();
    TSkinnedView<TZForm>::HandleResize();
}

TSkinFit TKelForm::SkinFitFor(TWindowShape shape) const { return FormSkinFit(shape); }
