#include "platform/Region.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace platform {

TRegion::~TRegion() = default;

TRegion::TRegion(TRegion&& other) noexcept
    : rects_(std::move(other.rects_)), valid_(std::exchange(other.valid_, false)) {}

TRegion& TRegion::operator=(TRegion&& other) noexcept {
    rects_ = std::move(other.rects_);
    valid_ = std::exchange(other.valid_, false);
    return *this;
}

TRegion TRegion::FromRectangles(TRegionRects rects, const TRect& bounds) {
    TRegion region;
    for (const TRect& r : rects) {
        const TRect inside = IntersectRect(r, bounds);
        if (!inside.IsEmpty()) region.rects_.push_back(inside);
    }
    region.valid_ = true;
    return region;
}

TRegion TRegion::FromRect(const TRect& r) {
    TRegion region;
    if (!r.IsEmpty()) region.rects_.push_back(r);
    region.valid_ = true;
    return region;
}

TRegion TRegion::Ellipse(const TRect& r) { return RoundRect(r, r.Width(), r.Height()); }

// Row by row: each row loses at both ends what the corner ellipse cuts off
// at the height of the row's centre.
TRegion TRegion::RoundRect(const TRect& r, int32_t cornerWidth, int32_t cornerHeight) {
    TRegion region;
    region.valid_ = true;
    const double rx = std::max(cornerWidth, 0) / 2.0, ry = std::max(cornerHeight, 0) / 2.0;
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
        const double centre = y + 0.5;
        double dy = 0;
        if (centre < r.Top + ry) dy = r.Top + ry - centre;
        else if (centre > r.Bottom - ry) dy = centre - (r.Bottom - ry);
        const double inset = dy > 0 ? rx - rx * std::sqrt(std::max(0.0, 1 - (dy / ry) * (dy / ry))) : 0;
        const TRect row{r.Left + int32_t(std::lround(inset)), y, r.Right - int32_t(std::lround(inset)), y + 1};
        if (!row.IsEmpty()) region.rects_.push_back(row);
    }
    return region;
}

bool TRegion::Valid() const { return valid_; }

bool TRegion::Contains(int32_t x, int32_t y) const {
    return std::any_of(rects_.begin(), rects_.end(),
                       [=](const TRect& r) { return r.Contains(x, y); });
}

TRect TRegion::Bounds() const {
    if (rects_.empty()) return TRect{};
    TRect box = rects_.front();
    for (const TRect& r : rects_) {
        box.Left = std::min(box.Left, r.Left);
        box.Top = std::min(box.Top, r.Top);
        box.Right = std::max(box.Right, r.Right);
        box.Bottom = std::max(box.Bottom, r.Bottom);
    }
    return box;
}

// Without a window system there is no region object to hand over.
void* TRegion::Release() {
    valid_ = false;
    rects_.clear();
    return nullptr;
}

void TRegion::Free() {}

}  // namespace platform
