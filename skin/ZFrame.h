#pragma once
// A child window that shows its Bitmap as its whole background.
#include "platform/ui/Frame.h"
#include "skin/ImageViewControl.h"

class TZFrame : public TImageViewControl<TFrame> {
public:
    explicit TZFrame(TComponent* owner);
};
