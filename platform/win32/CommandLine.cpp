#include "platform/CommandLine.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform {

std::string CommandLine() { return Utf8Of(GetCommandLineW()); }

}  // namespace platform
