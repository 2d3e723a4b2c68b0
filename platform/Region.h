#pragma once
// A window region: the set of pixels a shaped window shows and is hit in.
// It is made from a list of rectangles; on Windows it becomes a region
// object that can be handed to a window, elsewhere it stays the list.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Rect.h"

namespace platform {

// A growing list of rectangles with room in front of the first one for the
// 32-byte header the window system reads, so that one block holds both.
class TRegionRects {
public:
    static constexpr size_t kHeaderSlots = 2;  // 32 bytes of 16-byte rectangles

    // Room for `capacity` rectangles before the list has to grow.
    explicit TRegionRects(size_t capacity) { slots_.reserve(kHeaderSlots + capacity); slots_.resize(kHeaderSlots); }

    void Add(const TRect& r) { slots_.push_back(r); }
    size_t Count() const { return slots_.size() - kHeaderSlots; }
    const TRect& operator[](size_t i) const { return slots_[kHeaderSlots + i]; }
    const TRect* begin() const { return slots_.data() + kHeaderSlots; }
    const TRect* end() const { return slots_.data() + slots_.size(); }
    // The whole block: header slots first, then the rectangles.
    std::vector<TRect>& Block() { return slots_; }

private:
    std::vector<TRect> slots_;
};

class TRegion {
public:
    TRegion() = default;
    ~TRegion();
    TRegion(TRegion&& other) noexcept;
    TRegion& operator=(TRegion&& other) noexcept;
    TRegion(const TRegion&) = delete;
    TRegion& operator=(const TRegion&) = delete;

    // The union of the rectangles; bounds is the box they all lie in.
    static TRegion FromRectangles(TRegionRects rects, const TRect& bounds);
    static TRegion FromRect(const TRect& r);
    // The ellipse inside the rectangle.
    static TRegion Ellipse(const TRect& r);
    // The rectangle with its corners rounded by a cornerWidth x cornerHeight ellipse.
    static TRegion RoundRect(const TRect& r, int32_t cornerWidth, int32_t cornerHeight);

    bool Valid() const;
    bool Contains(int32_t x, int32_t y) const;
    // The smallest rectangle holding every pixel of the region; empty when it has none.
    TRect Bounds() const;
    // Hands the region object over (HRGN on Windows); the caller then owns it.
    void* Release();

private:
    void Free();
    void* handle_ = nullptr;     // the region object (Windows)
    std::vector<TRect> rects_;   // the rectangles (elsewhere)
    bool valid_ = false;
};

}  // namespace platform
