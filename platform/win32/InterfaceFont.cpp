#include "platform/InterfaceFont.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform {

namespace {

std::wstring MessageFontFace() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return L"MS Shell Dlg";
    return metrics.lfMessageFont.lfFaceName;
}

int CALLBACK TakeFirstFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM found) {
    // Faces starting with "@" are the vertical forms, for text written top to bottom.
    if (font->lfFaceName[0] == L'@') return 1;
    *reinterpret_cast<std::wstring*>(found) = font->lfFaceName;
    return 0;
}

// The face of the given name (any, when empty) that has the character set; empty when none.
std::wstring FaceWith(BYTE charset, const std::wstring& face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = charset;
    lstrcpynW(wanted.lfFaceName, face.c_str(), LF_FACESIZE);
    std::wstring found;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &wanted, TakeFirstFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

}  // namespace

std::string InterfaceFontName(TIdeographs script) {
    const std::wstring interfaceFace = MessageFontFace();
    // Fonts with Chinese characters mostly have kana too, and the other way round.
    const BYTE charsets[2] = {script == TIdeographs::Japanese ? BYTE(SHIFTJIS_CHARSET) : BYTE(GB2312_CHARSET),
                              script == TIdeographs::Japanese ? BYTE(GB2312_CHARSET) : BYTE(SHIFTJIS_CHARSET)};
    for (const BYTE charset : charsets)
        if (!FaceWith(charset, interfaceFace).empty()) return Utf8Of(interfaceFace);
    for (const BYTE charset : charsets)
        if (const std::wstring face = FaceWith(charset, L""); !face.empty()) return Utf8Of(face);
    return Utf8Of(interfaceFace);
}

}  // namespace platform
