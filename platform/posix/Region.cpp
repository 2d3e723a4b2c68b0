#include "platform/Region.h"

#include <algorithm>
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
