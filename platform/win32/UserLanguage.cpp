#include "platform/UserLanguage.h"

#include <windows.h>

namespace platform {

uint16_t UserInterfaceLanguage() { return GetUserDefaultUILanguage(); }

}  // namespace platform
