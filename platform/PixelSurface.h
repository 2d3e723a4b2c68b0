#pragma once
// Memory for a 32-bit picture that the window system can draw from:
// rows top-down, no padding. On Windows a device-independent bitmap section
// selected into a memory device context; elsewhere plain memory.
#include <cstdint>

#include "platform/Rect.h"

namespace platform {

using TDeviceContext = void*;  // HDC on Windows

enum class TSurfaceResult { Ready, NoPixels, NoContext, NotSelectable };

class TPixelSurface {
public:
    TPixelSurface() = default;
    ~TPixelSurface() { Release(); }
    TPixelSurface(const TPixelSurface&) = delete;
    TPixelSurface& operator=(const TPixelSurface&) = delete;

    // Replaces the memory by width x height zeroed pixels (both positive).
    // On failure nothing is held and the result says which step failed.
    TSurfaceResult Allocate(int32_t width, int32_t height);
    void Release();

    uint32_t* Pixels() const { return pixels_; }
    // The memory device context to draw into with the window system; null natively.
    TDeviceContext Context() const { return context_; }

    // Copies the source rectangle of this surface to (x, y) of a window's
    // device context, unchanged. Pending drawing is finished first.
    void CopyToDevice(TDeviceContext target, int32_t x, int32_t y, const TRect& source) const;
    // Waits for drawing the window system still has queued on this memory.
    void Flush() const;

private:
    uint32_t* pixels_ = nullptr;
    void* bitmap_ = nullptr;    // HBITMAP on Windows
    void* previous_ = nullptr;  // the context's bitmap before ours was selected
    TDeviceContext context_ = nullptr;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

}  // namespace platform
