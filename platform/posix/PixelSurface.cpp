#include "platform/PixelSurface.h"

#include <cstdlib>

namespace platform {

TSurfaceResult TPixelSurface::Allocate(int32_t width, int32_t height) {
    Release();
    const uint64_t count = uint64_t(width) * uint64_t(height);
    if (width <= 0 || height <= 0 || count > SIZE_MAX / sizeof(uint32_t))
        return TSurfaceResult::NoPixels;
    pixels_ = static_cast<uint32_t*>(std::calloc(count, sizeof(uint32_t)));
    if (!pixels_) return TSurfaceResult::NoPixels;
    width_ = width;
    height_ = height;
    return TSurfaceResult::Ready;
}

void TPixelSurface::Release() {
    std::free(pixels_);
    pixels_ = nullptr;
    width_ = height_ = 0;
}

// Without a window system there is no device to copy to.
void TPixelSurface::CopyToDevice(TDeviceContext, int32_t, int32_t, const TRect&) const {}

void TPixelSurface::Flush() const {}

}  // namespace platform
