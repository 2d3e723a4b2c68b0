#pragma once
// Writing a shortcut (".lnk") file through the shell link object. Windows only.
#include <string>

// Raises only when the shell link object or one of its interfaces cannot be
// had. Returns 0 when the file was saved, else the system's code of why it
// was not (for SystemErrorMessage); the values set before are not checked.
int CreateShortcut(const std::string& linkFile, const std::string& target, const std::string& arguments,
                    const std::string& workingFolder, const std::string& description, int iconFlag,
                    const std::string& iconFile, int iconIndex, int hotkeyFlag, int hotkey, int showCommand);
