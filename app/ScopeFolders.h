#pragma once
// The folders of an install scope on this machine. Windows only.
#include <string>

#include "app/InstallScope.h"
#include "platform/Shell.h"

// The Start menu's Programs folder that receives the program folder: the
// common one for the machine, the user's own otherwise. Empty when unknown.
std::string ProgramsFolderOf(TInstallScope scope, platform::TWindowHandle owner);
// The desktop that receives the desktop shortcut, likewise.
std::string DesktopFolderOf(TInstallScope scope);
// The folder that the proposed destination lies below, ending in "\": the
// Program Files folder for the machine, the user's own programs folder
// ("%LOCALAPPDATA%\Programs") otherwise.
std::string DestinationRootOf(TInstallScope scope);
