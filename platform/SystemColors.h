#pragma once
// The desktop's system colours (button face, window text, ...).
#include <cstdint>

namespace platform {

// The colour 0x00BBGGRR of system colour number index (0 = scroll bar,
// 15 = button face, ...); black for an index the system does not know.
uint32_t SystemColorRGB(int index);

}  // namespace platform
