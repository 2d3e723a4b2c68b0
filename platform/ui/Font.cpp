#include "platform/ui/Font.h"

namespace {

// a * b / c rounded half away from zero, as the platform's font arithmetic does.
int32_t MulDivNearest(int32_t a, int32_t b, int32_t c) {
    const int64_t product = int64_t(a) * b;
    const int64_t half = c / 2;
    return int32_t(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

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

int32_t TFont::Size() const { return -MulDivNearest(height_, 72, kPixelsPerInch); }

void TFont::SetSize(int32_t points) { SetHeight(-MulDivNearest(points, kPixelsPerInch, 72)); }

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

void TFont::Changed() {
    ReleaseHandle();
    if (OnChange) OnChange();
}
