#include "platform/ShellIcons.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/Com.h"
#include "platform/DataFolders.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

DWORD_PTR FileInfo(const std::string& path, UINT flags, SHFILEINFOW& info) {
    info = SHFILEINFOW{};
    NeedCom();  // the icons of some items come from shell extensions
    return SHGetFileInfoW(Wide(path).c_str(), 0, &info, sizeof info, flags);
}

}  // namespace

int SmallIconIndex(const std::string& path, bool open) {
    SHFILEINFOW info;
    const UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    return FileInfo(path, flags, info) ? info.iIcon : 0;
}

std::string ShellDisplayName(const std::string& path) {
    SHFILEINFOW info;
    return FileInfo(path, SHGFI_DISPLAYNAME, info) ? Utf8Of(info.szDisplayName) : std::string();
}

void* SmallSystemImageList() {
    SHFILEINFOW info;
    return reinterpret_cast<void*>(FileInfo(WindowsFolder(), SHGFI_SYSICONINDEX | SHGFI_SMALLICON, info));
}

TFolderIcons PlainFolderIcons() {
    const std::string windows = WindowsFolder();
    return TFolderIcons{SmallIconIndex(windows, false), SmallIconIndex(windows, true)};
}

}  // namespace platform
