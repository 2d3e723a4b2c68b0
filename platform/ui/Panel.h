#pragma once
// A windowed container that paints its colour, optionally with a 1-pixel
// raised or lowered edge, and holds child controls.
#include <cstdint>

#include "platform/ui/WinControl.h"

enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut bevel);

protected:
    void WindowParams(TCreateParams& params) override;
    void PaintClient(TDeviceContext dc) override;

private:
    TBevelCut bevelOuter_ = bvNone;
};
