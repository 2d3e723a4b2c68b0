#include "platform/SystemColors.h"

#include <windows.h>

namespace platform {

uint32_t SystemColorRGB(int index) {
    if (index < 0 || index > COLOR_MENUBAR) return 0;
    return GetSysColor(index);
}

}  // namespace platform
