#include "platform/Drives.h"
#include "platform/FileSystem.h"
#include "shell/DirTreeRules.h"
#include "shell/FolderMan.h"

namespace {

bool IsDriveRoot(const std::string& path) { return path.size() == 3 && path[1] == ':' && path[2] == '\\'; }

bool DrivePresent(char letter) {
    const int index = LetterIndex(letter);
    return index >= 0 && (platform::LogicalDrives() & (1u << index));
}

}  // namespace

// A search for the exact name passes over hidden and system entries. A
// pattern would match other folders, so it never names an existing one.
bool FolderExists(const std::string& path) {
    platform::TCriticalErrorGuard guard;
    if (IsDriveRoot(path)) return DrivePresent(path[0]);
    std::string name = path;
    if (!name.empty() && name.back() == '\\') name.pop_back();
    if (name.empty() || name.find_first_of("*?") != std::string::npos) return false;
    platform::TFindEnum find;
    platform::TSearchRec found;
    return find.First(name, platform::faDirectory, found) && (found.Attr & platform::faDirectory);
}
