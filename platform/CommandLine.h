#pragma once
// The process's command line as the system hands it over, program name
// included, so that a caller can take the rest of it as it stands.
#include <string>

namespace platform {

std::string CommandLine();

}  // namespace platform
