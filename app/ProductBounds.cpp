#include "app/ProductBounds.h"

#include "app/UninstallEntryValues.h"
#include "platform/Shell.h"

namespace {

// The Start menu's Programs folders and the desktops that hold the product's
// shortcuts: the scope's own, and for the machine the user's too, where
// earlier versions of the setup put them.
std::vector<int> ShortcutFolderIds(TInstallScope scope) {
    const TInstallScope user(TInstallScope::isUser);
    std::vector<int> ids = {scope.ProgramsFolderId(), scope.DesktopFolderId()};
    if (!scope.ForUser()) ids.insert(ids.end(), {user.ProgramsFolderId(), user.DesktopFolderId()});
    return ids;
}

// Through the platform layer itself: the shell library's folder functions
// would bring the rest of that library into the uninstaller.
std::string SpecialFolder(int csidl) {
    std::string path;
    platform::TItemIdList list = nullptr;
    if (!platform::SpecialFolderLocation(nullptr, csidl, list)) return path;
    if (!platform::PathFromItemIdList(list, path)) path.clear();
    platform::FreeWithShellAllocator(list);
    return path;
}

// The uninstaller's folder; a file named without one is its own bound, so
// that an empty bound never leaves the plan unconfined.
std::string UninstallerFolder(const std::string& file) {
    const size_t cut = file.find_last_of('\\');
    return cut == std::string::npos ? file : file.substr(0, cut);
}

}  // namespace

TRemovalBounds ProductBounds(const TRemovalPlan& plan, const std::string& programFile) {
    TRemovalBounds bounds;
    bounds.InstalledLocation = TrustedLocation(UninstallEntryValue(plan.Scope, plan.Key, "InstallLocation"), UninstallerFolder(programFile));
    for (const int csidl : ShortcutFolderIds(plan.Scope)) {
        std::string folder = SpecialFolder(csidl);
        while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
        if (!folder.empty()) bounds.ShortcutFolders.push_back(folder);
    }
    return bounds;
}
