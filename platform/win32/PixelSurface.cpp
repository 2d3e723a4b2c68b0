#include "platform/PixelSurface.h"

#include <windows.h>

namespace platform {

namespace {

BITMAPINFO TopDownInfo(int32_t width, int32_t height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace

TSurfaceResult TPixelSurface::Allocate(int32_t width, int32_t height) {
    Release();
    const BITMAPINFO info = TopDownInfo(width, height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        return TSurfaceResult::NoPixels;
    }
    HDC context = CreateCompatibleDC(nullptr);
    if (!context) {
        DeleteObject(bitmap);
        return TSurfaceResult::NoContext;
    }
    HGDIOBJ previous = SelectObject(context, bitmap);
    if (!previous || previous == HGDI_ERROR) {
        DeleteDC(context);
        DeleteObject(bitmap);
        return TSurfaceResult::NotSelectable;
    }
    pixels_ = static_cast<uint32_t*>(bits);
    bitmap_ = bitmap;
    previous_ = previous;
    context_ = context;
    width_ = width;
    height_ = height;
    return TSurfaceResult::Ready;
}

void TPixelSurface::Release() {
    if (context_) {
        SelectObject(static_cast<HDC>(context_), static_cast<HGDIOBJ>(previous_));
        DeleteDC(static_cast<HDC>(context_));
    }
    if (bitmap_) DeleteObject(static_cast<HBITMAP>(bitmap_));
    pixels_ = nullptr;
    bitmap_ = previous_ = context_ = nullptr;
    width_ = height_ = 0;
}

void TPixelSurface::CopyToDevice(TDeviceContext target, int32_t x, int32_t y,
                                 const TRect& source) const {
    if (!context_ || !target) return;
    Flush();
    BitBlt(static_cast<HDC>(target), x, y, source.Width(), source.Height(),
           static_cast<HDC>(context_), source.Left, source.Top, SRCCOPY);
}

void TPixelSurface::Flush() const { GdiFlush(); }

}  // namespace platform
