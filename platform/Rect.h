#pragma once
// A rectangle in pixels: right and bottom are exclusive.
#include <algorithm>
#include <cstdint>

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    constexpr int32_t Width() const { return Right - Left; }
    constexpr int32_t Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(int32_t x, int32_t y) const {
        return x >= Left && x < Right && y >= Top && y < Bottom;
    }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect MakeRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return TRect{left, top, right, bottom};
}

// The common part of two rectangles; empty (all zero) when they do not meet.
constexpr TRect IntersectRect(const TRect& a, const TRect& b) {
    const TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top),
                  std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    return r.IsEmpty() ? TRect{} : r;
}

// The rectangle moved by (dx, dy).
constexpr TRect OffsetRect(const TRect& r, int32_t dx, int32_t dy) {
    return TRect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}
