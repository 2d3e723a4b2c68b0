#pragma once
// Folders of the machine. Windows only.
#include <string>

namespace platform {

// The Windows folder, in which only administrators may make folders;
// without a trailing backslash.
std::string WindowsFolder();

}  // namespace platform
