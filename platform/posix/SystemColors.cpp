#include "platform/SystemColors.h"

#include <array>

namespace platform {

namespace {

// The classic desktop scheme, 0x00BBGGRR, by system colour number.
constexpr std::array<uint32_t, 31> kClassicScheme = {
    0xC8C8C8, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
    0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
    0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
    0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0x6A240A, 0xC8D0D4,
};

}  // namespace

uint32_t SystemColorRGB(int index) {
    if (index < 0 || index >= int(kClassicScheme.size())) return 0;
    return kClassicScheme[index];
}

}  // namespace platform
