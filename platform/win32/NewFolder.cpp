#include "platform/NewFolder.h"

#include <windows.h>
#include <sddl.h>

#include "platform/win32/WideText.h"

namespace platform {

namespace {

// Full access for the administrators and SYSTEM, inherited by all below;
// the parent's entries are not taken over (the access list is protected),
// and everybody else may only read.
constexpr wchar_t kAdministratorsOnly[] = L"D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200A9;;;BU)";

bool RunsElevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool elevated =
        GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size) && elevation.TokenIsElevated;
    CloseHandle(token);
    return elevated;
}

bool CreateForAdministrators(const std::wstring& path) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kAdministratorsOnly, SDDL_REVISION_1, &descriptor, nullptr))
        return false;
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor, FALSE};
    const bool made = CreateDirectoryW(path.c_str(), &attributes) != 0;
    const DWORD error = GetLastError();
    LocalFree(descriptor);
    SetLastError(error);
    return made;
}

}  // namespace

bool CreateNewFolder(const std::string& path) {
    const std::wstring folder = FilePath(path);
    if (RunsElevated()) return CreateForAdministrators(folder);
    return CreateDirectoryW(folder.c_str(), nullptr) != 0;
}

}  // namespace platform
