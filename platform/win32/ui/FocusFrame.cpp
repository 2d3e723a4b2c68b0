#include "platform/ui/FocusFrame.h"

#include <windows.h>

// A white frame, then black dots on every other pixel of it.
void DrawFocusFrame(TDeviceContext target, const TRect& area) {
    HDC dc = static_cast<HDC>(target);
    const RECT r{area.Left, area.Top, area.Right, area.Bottom};
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    for (int32_t x = area.Left; x < area.Right; x += 2) {
        SetPixelV(dc, x, area.Top, RGB(0, 0, 0));
        SetPixelV(dc, x, area.Bottom - 1, RGB(0, 0, 0));
    }
    for (int32_t y = area.Top; y < area.Bottom; y += 2) {
        SetPixelV(dc, area.Left, y, RGB(0, 0, 0));
        SetPixelV(dc, area.Right - 1, y, RGB(0, 0, 0));
    }
}
