#pragma once
// How much room a line of text (UTF-8) takes in a font, in pixels.
#include <cstdint>
#include <string>

#include "platform/ui/Font.h"

struct TTextExtent {
    int32_t Width = 0;
    int32_t Height = 0;
};

TTextExtent TextExtentOf(const TFont& font, const std::string& text);
