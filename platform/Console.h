#pragma once
#include <cstdio>

namespace platform {

// Whether the stream goes to an interactive terminal (for progress bars).
bool IsTerminal(std::FILE* stream);

}  // namespace platform
