#include "platform/Elevation.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/WideText.h"

namespace platform {

bool RunsElevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool known = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    CloseHandle(token);
    return known && elevation.TokenIsElevated != 0;
}

std::optional<uint32_t> RunElevatedAndWait(const std::string& program, const std::string& arguments) {
    const std::wstring file = Wide(program), parameters = Wide(arguments);
    // Relative paths among the arguments mean the same to the restarted program.
    const std::wstring folder = GrowingText([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"runas";
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info) || !info.hProcess) return std::nullopt;
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(info.hProcess, &exitCode);
    CloseHandle(info.hProcess);
    return exitCode;
}

}  // namespace platform
