// The system font object behind a TFont.
#include "platform/ui/Font.h"

#include <windows.h>

#include "platform/win32/WideText.h"

void* TFont::Handle() const {
    if (!handle_) {
        LOGFONTW font{};
        font.lfHeight = height_;
        font.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        font.lfItalic = (style_ & fsItalic) != 0;
        font.lfUnderline = (style_ & fsUnderline) != 0;
        font.lfStrikeOut = (style_ & fsStrikeOut) != 0;
        font.lfCharSet = DEFAULT_CHARSET;
        font.lfQuality = DEFAULT_QUALITY;
        lstrcpynW(font.lfFaceName, platform::Wide(name_).c_str(), LF_FACESIZE);
        handle_ = CreateFontIndirectW(&font);
    }
    return handle_;
}

void TFont::ReleaseHandle() const {
    if (handle_) DeleteObject(static_cast<HFONT>(handle_));
    handle_ = nullptr;
}
