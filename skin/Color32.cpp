#include "skin/Color32.h"

TColor32 ColorToColor32(TColor color) {
    const uint32_t bgr = ColorToRGB(color);
    return MakeColor32(uint8_t(bgr), uint8_t(bgr >> 8), uint8_t(bgr >> 16));
}
