#pragma once
// The shell's special-folder item lists, its allocator, and starting a
// program or document through it. Windows only.
#include <string>

namespace platform {

using TWindowHandle = void*;  // a window handle, or null
using TItemIdList = void*;    // a shell item identifier list

// Asks the shell for a special folder by its CSIDL number; true on success.
bool SpecialFolderLocation(TWindowHandle owner, int folder, TItemIdList& list);
// The file-system path of an item list; false when it has none.
bool PathFromItemIdList(TItemIdList list, std::string& path);
// Hands an item list back to the shell's allocator.
void FreeWithShellAllocator(TItemIdList list);

// Starts file through the shell with the verb "open", the parameters and the
// working folder (empty: none) in the given show state; false when it failed.
// The full path of a program of the system folder ("notepad.exe"), so that
// starting it never picks a file of that name from the current folder or
// the search path. Just the name when the system folder cannot be told.
std::string SystemProgram(const std::string& name);

bool ShellOpen(const std::string& file, const std::string& parameters, const std::string& folder, int showCommand);

// As ShellOpen, but from an elevated process the desktop shell starts the
// file, so that it runs without elevation as the user of the desktop (who
// may not be the administrator who approved the elevation). Where the
// desktop shell offers no such start, the file is started directly.
bool ShellOpenAsUser(const std::string& file, const std::string& parameters, const std::string& folder,
                     int showCommand);

}  // namespace platform
