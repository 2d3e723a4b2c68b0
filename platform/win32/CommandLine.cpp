#include "platform/CommandLine.h"

#include <windows.h>

namespace platform {

std::string CommandLine() { return GetCommandLineA(); }

}  // namespace platform
