#include "uninstall/ProductBounds.h"

#include "app/SetupLogBook.h"
#include "platform/Registry.h"
#include "platform/Shell.h"

namespace {

// The Start menu's Programs folders and the desktops, the user's and the machine's.
constexpr int kShortcutFolders[] = {0x02, 0x17, 0x10, 0x19};

std::string EntryLocation(const std::string& key) {
    if (key.empty() || key.find('\\') != std::string::npos) return {};
    platform::TRegistry registry(platform::TRootKey::rkLocalMachine);
    if (!registry.OpenKey(UninstallKeyOf(key), false) || !registry.ValueExists("InstallLocation")) return {};
    return registry.ReadString("InstallLocation");
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

std::string FolderOfFile(const std::string& file) {
    const size_t cut = file.find_last_of('\\');
    return cut == std::string::npos ? file : file.substr(0, cut);
}

}  // namespace

TRemovalBounds ProductBounds(const TRemovalPlan& plan, const std::string& programFile) {
    TRemovalBounds bounds;
    bounds.InstalledLocation = TrustedLocation(EntryLocation(plan.Key), FolderOfFile(programFile));
    for (const int csidl : kShortcutFolders) {
        std::string folder = SpecialFolder(csidl);
        while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
        if (!folder.empty()) bounds.ShortcutFolders.push_back(folder);
    }
    return bounds;
}
