#include "app/ScopeFolders.h"

#include "platform/DataFolders.h"
#include "shell/PathParts.h"
#include "shell/ShellFolders.h"

std::string ProgramsFolderOf(TInstallScope scope, platform::TWindowHandle owner) {
    return GetSpecialFolder(owner, scope.ProgramsFolderId());
}

// The user's desktop as the user's shell folders name it, where the setup
// has always put it; the common one as the shell tells it.
std::string DesktopFolderOf(TInstallScope scope) {
    return scope.ForUser() ? GetShellFolder(0) : GetSpecialFolder(nullptr, scope.DesktopFolderId());
}

std::string DestinationRootOf(TInstallScope scope) {
    if (!scope.ForUser()) return GetProgramFilesDir();
    const std::string folder = platform::UserProgramsFolder();
    return folder.empty() ? folder : WithTrailingBackslash(folder);
}
