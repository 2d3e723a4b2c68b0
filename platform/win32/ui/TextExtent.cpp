#include "platform/ui/TextExtent.h"

#include <windows.h>

#include "platform/win32/WideText.h"

TTextExtent TextExtentOf(const TFont& font, const std::string& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return {};
    HGDIOBJ previous = SelectObject(dc, static_cast<HFONT>(font.Handle()));
    SIZE size{};
    // Measured in characters: a UTF-8 byte is not a character.
    const std::wstring wide = platform::Wide(text);
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return {size.cx, size.cy};
}
