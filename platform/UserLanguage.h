#pragma once
// The language the user reads the system's own texts in. Windows only.
#include <cstdint>

namespace platform {

// The Windows language id of the user's interface language (0x0407 German
// in Germany, 0x0409 English in the United States).
uint16_t UserInterfaceLanguage();

}  // namespace platform
