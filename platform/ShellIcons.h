#pragma once
// The shell's view of files and folders: the index of an item's small icon
// in the shell's shared system image list, the item's display name, and that
// image list itself. Windows only.
#include <string>

namespace platform {

// The small icon of a file or folder, in its open state when asked
// (an open folder); 0 when the shell has none.
int SmallIconIndex(const std::string& path, bool open);
// The name the shell shows for a file, folder or drive root.
std::string ShellDisplayName(const std::string& path);
// The shell's list of small icons (HIMAGELIST), shared by the whole
// process; it belongs to the shell and is never freed.
void* SmallSystemImageList();

// The closed and open icons of a plain folder: those of the Windows folder.
struct TFolderIcons {
    int Closed = 0;
    int Open = 0;
};
TFolderIcons PlainFolderIcons();

}  // namespace platform
