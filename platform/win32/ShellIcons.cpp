#include "platform/ShellIcons.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/Com.h"

namespace platform {

namespace {

DWORD_PTR FileInfo(const std::string& path, UINT flags, SHFILEINFOA& info) {
    info = SHFILEINFOA{};
    NeedCom();  // the icons of some items come from shell extensions
    return SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, flags);
}

std::string WindowsFolder() {
    char buffer[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

}  // namespace

int SmallIconIndex(const std::string& path, bool open) {
    SHFILEINFOA info;
    const UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    return FileInfo(path, flags, info) ? info.iIcon : 0;
}

std::string ShellDisplayName(const std::string& path) {
    SHFILEINFOA info;
    return FileInfo(path, SHGFI_DISPLAYNAME, info) ? std::string(info.szDisplayName) : std::string();
}

void* SmallSystemImageList() {
    SHFILEINFOA info;
    return reinterpret_cast<void*>(FileInfo(WindowsFolder(), SHGFI_SYSICONINDEX | SHGFI_SMALLICON, info));
}

TFolderIcons PlainFolderIcons() {
    const std::string windows = WindowsFolder();
    return TFolderIcons{SmallIconIndex(windows, false), SmallIconIndex(windows, true)};
}

}  // namespace platform
