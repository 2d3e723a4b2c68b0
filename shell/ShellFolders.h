#pragma once
// Where the Program Files folder, the Start-menu Programs folder and the
// named shell folders of the current user are. Windows only.
#include <string>

#include "platform/Shell.h"

// The Program Files folder followed by "\", "\" alone when the value is
// missing, or empty when its registry key cannot be opened.
std::string GetProgramFilesDir();

// The current user's Start-menu Programs folder, or empty.
std::string GetProgramsFolder(platform::TWindowHandle owner);

// A special folder by the shell's number (CSIDL), or empty.
std::string GetSpecialFolder(platform::TWindowHandle owner, int folder);

// Hands a shell item list back to the shell's allocator.
void FreeShellPidl(platform::TItemIdList list);

// A named shell folder of the current user, index 0 ("Desktop") to 9
// ("Templates"), as stored; empty for any other index or a missing value.
std::string GetShellFolder(int index);
