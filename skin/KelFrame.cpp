#include "skin/KelFrame.h"

TKelFrame::TKelFrame(TComponent* owner) : TSkinnedView<TZFrame>(owner) {}

void TKelFrame::HandleResize() {
    TSkinnedView<TZFrame>::HandleResize();
    ResizeSkin();
}
