#include "platform/ui/Font.h"

#include <windows.h>

TFont::~TFont() { ReleaseHandle(); }

void TFont::SetName(const std::string& name) {
    if (name == name_) return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int32_t height) {
    if (height == height_) return;
    height_ = height;
    Changed();
}

int32_t TFont::Size() const { return -MulDiv(height_, 72, kPixelsPerInch); }

void TFont::SetSize(int32_t points) { SetHeight(-MulDiv(points, kPixelsPerInch, 72)); }

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::Assign(const TFont& other) {
    if (&other == this) return;
    name_ = other.name_;
    height_ = other.height_;
    color_ = other.color_;
    style_ = other.style_;
    Changed();
}

void* TFont::Handle() const {
    if (!handle_) {
        LOGFONTA font{};
        font.lfHeight = height_;
        font.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        font.lfItalic = (style_ & fsItalic) != 0;
        font.lfUnderline = (style_ & fsUnderline) != 0;
        font.lfStrikeOut = (style_ & fsStrikeOut) != 0;
        font.lfCharSet = DEFAULT_CHARSET;
        font.lfQuality = DEFAULT_QUALITY;
        lstrcpynA(font.lfFaceName, name_.c_str(), LF_FACESIZE);
        handle_ = CreateFontIndirectA(&font);
    }
    return handle_;
}

void TFont::Changed() {
    ReleaseHandle();
    if (OnChange) OnChange();
}

void TFont::ReleaseHandle() const {
    if (handle_) DeleteObject(static_cast<HFONT>(handle_));
    handle_ = nullptr;
}
