#pragma once
// A borderless form that shows its Bitmap as its whole background.
#include "platform/ui/Form.h"
#include "skin/ImageViewControl.h"

class TZForm : public TImageViewControl<TForm> {
public:
    explicit TZForm(TComponent* owner);
};
