#pragma once
// Folders of the machine. Windows only.
#include <string>

namespace platform {

// The Windows folder, in which only administrators may make folders;
// without a trailing backslash.
std::string WindowsFolder();

// The user's local application data folder, which no other user may
// change; empty when the system cannot tell it.
std::string LocalAppDataFolder();

// The folder that programs installed for the user alone go below
// ("%LOCALAPPDATA%\Programs" unless the user moved it); it need not exist
// yet. Empty when the system cannot tell it.
std::string UserProgramsFolder();

}  // namespace platform
