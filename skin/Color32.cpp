#include "skin/Color32.h"

#include "platform/SystemColors.h"

namespace {

// A negative window colour names the system colour in its low byte.
uint32_t ResolveSystemColor(TColor color) {
    if (color < 0) return platform::SystemColorRGB(color & 0xFF);
    return uint32_t(color);
}

}  // namespace

TColor32 ColorToColor32(TColor color) {
    const uint32_t bgr = ResolveSystemColor(color);
    return MakeColor32(uint8_t(bgr), uint8_t(bgr >> 8), uint8_t(bgr >> 16));
}
