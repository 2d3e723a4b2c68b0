#pragma once
// A bar that fills from Min to Max as Position grows.
#include <cstdint>

#include "platform/ui/WinControl.h"

class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* owner);

    int32_t Min() const { return min_; }
    int32_t Max() const { return max_; }
    // Position is kept inside the range.
    void SetRange(int32_t min, int32_t max);
    void SetMin(int32_t min) { SetRange(min, max_ < min ? min : max_); }
    void SetMax(int32_t max) { SetRange(min_ > max ? max : min_, max); }
    int32_t Position() const { return position_; }
    void SetPosition(int32_t position);

protected:
    void WindowParams(TCreateParams& params) override;
    void WindowCreated() override;

private:
    int32_t min_ = 0, max_ = 100, position_ = 0;
};
