#include "platform/Region.h"

#include <cstring>
#include <utility>

#include <windows.h>

namespace platform {

namespace {

RGNDATAHEADER HeaderFor(size_t count, const TRect& bounds) {
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = DWORD(count);
    header.nRgnSize = 0;  // the system works it out
    header.rcBound = RECT{bounds.Left, bounds.Top, bounds.Right, bounds.Bottom};
    return header;
}

static_assert(sizeof(RGNDATAHEADER) == TRegionRects::kHeaderSlots * sizeof(TRect));
static_assert(sizeof(RECT) == sizeof(TRect));

}  // namespace

TRegion::~TRegion() { Free(); }

TRegion::TRegion(TRegion&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), valid_(std::exchange(other.valid_, false)) {}

TRegion& TRegion::operator=(TRegion&& other) noexcept {
    if (this != &other) {
        Free();
        handle_ = std::exchange(other.handle_, nullptr);
        valid_ = std::exchange(other.valid_, false);
    }
    return *this;
}

TRegion TRegion::FromRectangles(TRegionRects rects, const TRect& bounds) {
    std::vector<TRect>& block = rects.Block();
    const RGNDATAHEADER header = HeaderFor(rects.Count(), bounds);
    std::memcpy(static_cast<void*>(block.data()), &header, sizeof header);
    const DWORD size = DWORD(block.size() * sizeof(TRect));
    TRegion region;
    region.handle_ = ExtCreateRegion(nullptr, size, reinterpret_cast<const RGNDATA*>(block.data()));
    region.valid_ = region.handle_ != nullptr;
    return region;
}

TRegion TRegion::FromRect(const TRect& r) {
    TRegion region;
    region.handle_ = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    region.valid_ = region.handle_ != nullptr;
    return region;
}

TRegion TRegion::Ellipse(const TRect& r) {
    TRegion region;
    region.handle_ = CreateEllipticRgn(r.Left, r.Top, r.Right, r.Bottom);
    region.valid_ = region.handle_ != nullptr;
    return region;
}

TRegion TRegion::RoundRect(const TRect& r, int32_t cornerWidth, int32_t cornerHeight) {
    TRegion region;
    region.handle_ = CreateRoundRectRgn(r.Left, r.Top, r.Right, r.Bottom, cornerWidth, cornerHeight);
    region.valid_ = region.handle_ != nullptr;
    return region;
}

bool TRegion::Valid() const { return valid_; }

bool TRegion::Contains(int32_t x, int32_t y) const {
    return handle_ && PtInRegion(static_cast<HRGN>(handle_), x, y);
}

TRect TRegion::Bounds() const {
    RECT box{};
    if (!handle_ || GetRgnBox(static_cast<HRGN>(handle_), &box) <= NULLREGION) return TRect{};
    return TRect{box.left, box.top, box.right, box.bottom};
}

void* TRegion::Release() {
    valid_ = false;
    return std::exchange(handle_, nullptr);
}

void TRegion::Free() {
    if (handle_) DeleteObject(static_cast<HRGN>(handle_));
    handle_ = nullptr;
    valid_ = false;
}

}  // namespace platform
