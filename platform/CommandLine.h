#pragma once
// The process's command line, in UTF-8.
#include <string>

namespace platform {

// The command line as the system hands it over, program name included, so
// that a caller can take the rest of it as it stands. Windows only.
std::string CommandLine();

}  // namespace platform
