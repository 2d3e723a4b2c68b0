#include "platform/DataFolders.h"

#include <windows.h>

#include <shlobj.h>

#include "platform/win32/WideText.h"

namespace platform {

std::string CommonDataFolder() {
    wchar_t path[MAX_PATH];
    if (SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return {};
    return Utf8Of(path);
}

}  // namespace platform
