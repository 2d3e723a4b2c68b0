#pragma once
// The machine's folder for application data shared by all users. Windows only.
#include <string>

namespace platform {

// Without a trailing backslash; empty when the system names none.
std::string CommonDataFolder();

}  // namespace platform
