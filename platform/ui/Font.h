#pragma once
// A font: face, height, colour and style. Changes are announced so that the
// controls using it can take the new font; the system font object is made
// on first use and remade after a change.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/Color.h"

using TFontStyles = uint8_t;
constexpr TFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

class TFont {
public:
    static constexpr int32_t kPixelsPerInch = 96;

    TFont() = default;
    ~TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    // The platform's height: negative is the character height in pixels,
    // positive the cell height.
    int32_t Height() const { return height_; }
    void SetHeight(int32_t height);
    // The size in points; setting it stores the matching negative height.
    int32_t Size() const;
    void SetSize(int32_t points);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    // Takes every property of another font, with one change notification.
    void Assign(const TFont& other);

    // The system font object (HFONT), made when first asked for.
    void* Handle() const;

    std::function<void()> OnChange;

private:
    void Changed();
    void ReleaseHandle() const;

    std::string name_ = "MS Sans Serif";
    int32_t height_ = -11;
    TColor color_ = clWindowText;
    TFontStyles style_ = 0;
    mutable void* handle_ = nullptr;
};
