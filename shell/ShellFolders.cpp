#include "shell/ShellFolders.h"

#include "platform/Registry.h"

namespace {

constexpr int CSIDL_Programs = 2;

const char* const ShellFolderNames[] = {"Desktop", "Favorites", "Fonts",      "NetHood", "Programs",
                                        "Recent",  "SendTo",    "Start Menu", "Startup", "Templates"};

}  // namespace

std::string GetProgramFilesDir() {
    platform::TRegistry registry(platform::TRootKey::rkLocalMachine);
    if (!registry.OpenKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", false)) return std::string();
    return registry.ReadString("ProgramFilesDir") + "\\";
}

std::string GetProgramsFolder(platform::TWindowHandle owner) { return GetSpecialFolder(owner, CSIDL_Programs); }

std::string GetSpecialFolder(platform::TWindowHandle owner, int folder) {
    std::string result;
    platform::TItemIdList list = nullptr;
    if (!platform::SpecialFolderLocation(owner, folder, list)) return result;
    if (!platform::PathFromItemIdList(list, result)) result.clear();
    FreeShellPidl(list);
    return result;
}

void FreeShellPidl(platform::TItemIdList list) { platform::FreeWithShellAllocator(list); }

std::string GetShellFolder(int index) {
    platform::TRegistry registry(platform::TRootKey::rkCurrentUser);
    registry.OpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", false);
    if (static_cast<unsigned>(index) > 9) return std::string();
    return registry.ReadString(ShellFolderNames[index]);
}
