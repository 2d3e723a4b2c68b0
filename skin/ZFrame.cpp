#include "skin/ZFrame.h"

TZFrame::TZFrame(TComponent* owner) : TImageViewControl<TFrame>(owner) {
    SetBounds(Left(), Top(), 320, 240);
    SetAutoScroll(false);
}
