#include "platform/RestartRemoval.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform {

namespace {

constexpr DWORD kLongestPath = 32768;

// The path of what the handle is open on, as the system resolves it now:
// "\\?\C:\..." with every link on the way already followed.
std::wstring FinalPathOf(HANDLE handle) {
    std::wstring path(kLongestPath, L'\0');
    const DWORD length = GetFinalPathNameByHandleW(handle, path.data(), kLongestPath, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= kLongestPath) return {};
    path.resize(length);
    return path;
}

// The path with short 8.3 names made long, as the resolved path has them.
std::wstring LongNames(const std::wstring& path) {
    std::wstring names(kLongestPath, L'\0');
    const DWORD length = GetLongPathNameW(path.c_str(), names.data(), kLongestPath);
    if (length == 0 || length >= kLongestPath) return path;
    names.resize(length);
    return names;
}

// The path without the long-path form's prefix.
std::wstring WithoutLongPrefix(const std::wstring& path) {
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + path.substr(8);
    if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
    return path;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

// The request names the file the handle is open on, by the path the system
// resolves for that handle; when that is not the path asked for (a link on
// the way, or the file itself a link), nothing is requested, so that no
// other file can be deleted at the restart in its place.
bool RemoveAtRestart(const std::string& path) {
    const HANDLE handle = CreateFileW(FilePath(path).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool plain = GetFileInformationByHandle(handle, &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
    const std::wstring final = plain ? FinalPathOf(handle) : std::wstring();
    CloseHandle(handle);
    std::wstring asked = WithoutLongPrefix(LongNames(FilePath(path)));
    while (asked.size() > 3 && asked.back() == L'\\') asked.pop_back();
    if (final.empty() || !SamePath(WithoutLongPrefix(final), asked)) return false;
    return MoveFileExW(final.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

bool ReplaceAtRestart(const std::string& source, const std::string& target) {
    return MoveFileExW(FilePath(source).c_str(), FilePath(target).c_str(),
                       MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace platform
