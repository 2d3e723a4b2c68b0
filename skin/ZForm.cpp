#include "skin/ZForm.h"

TZForm::TZForm(TComponent* owner) : TImageViewControl<TForm>(owner) {
    SetBorderStyle(bsNone);
    SetClientSize(396, 334);
    SetColor(clBtnFace);
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-11);
}
