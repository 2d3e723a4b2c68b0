#include "platform/ui/TextExtent.h"

#include <windows.h>

TTextExtent TextExtentOf(const TFont& font, const std::string& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return {};
    HGDIOBJ previous = SelectObject(dc, static_cast<HFONT>(font.Handle()));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return {size.cx, size.cy};
}
