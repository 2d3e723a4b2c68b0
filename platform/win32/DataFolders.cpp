#include "platform/DataFolders.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "platform/win32/WideText.h"

namespace platform {

std::string WindowsFolder() {
    return Utf8Of(GrowingText([](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); }));
}

namespace {

// A known folder's path, "" when the system does not know it.
std::string KnownFolder(const KNOWNFOLDERID& id) {
    wchar_t* path = nullptr;
    std::string result;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path)) && path) result = Utf8Of(path);
    CoTaskMemFree(path);
    return result;
}

}  // namespace

std::string LocalAppDataFolder() { return KnownFolder(FOLDERID_LocalAppData); }

std::string UserProgramsFolder() {
    std::string folder = KnownFolder(FOLDERID_UserProgramFiles);
    if (!folder.empty()) return folder;
    folder = LocalAppDataFolder();
    return folder.empty() ? folder : folder + "\\Programs";
}

}  // namespace platform
