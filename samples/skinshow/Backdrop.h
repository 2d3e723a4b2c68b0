#pragma once
// A plain window behind the shaped form that logs the presses it receives,
// in screen coordinates: what falls through the form's outline lands here.
#include <string>

#include "platform/ui/Form.h"
#include "samples/skinshow/EventLog.h"

class TBackdrop : public TForm {
public:
    explicit TBackdrop(TEventLog& log) : TForm(nullptr) {
        SetBorderStyle(bsNone);
        SetColor(0x404040);
        SetBounds(0, 0, 1920, 1200);
        OnMouseDown = [&log, this](TComponent&, TMouseButton button, TShiftState, int32_t x, int32_t y) {
            log.Write("backdrop down " + std::to_string(int(button)) + " " + std::to_string(Left() + x) + " " +
                      std::to_string(Top() + y));
        };
        Show();
    }
};
