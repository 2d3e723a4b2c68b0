#include "platform/Color.h"

#include "platform/SystemColors.h"

uint32_t ColorToRGB(TColor color) {
    if (color < 0) return platform::SystemColorRGB(color & 0xFF);
    return uint32_t(color);
}
