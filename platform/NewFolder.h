#pragma once
// A folder the program makes for itself and trusts afterwards.
#include <string>

namespace platform {

// Makes a new folder; fails when anything of that name is there already (a
// folder, a file or a link), so that a folder somebody else prepared is
// never taken over. When the program runs with an administrator's elevated
// rights, only administrators and SYSTEM may change the folder or what it
// holds; otherwise it takes its parent's access, as any new folder does.
bool CreateNewFolder(const std::string& path);

}  // namespace platform
