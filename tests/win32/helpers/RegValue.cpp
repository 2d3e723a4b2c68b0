// Test helper: prints, as UTF-8, a string value of the registry as 32-bit
// programs see it; exit code 3 when the key or the value is missing, a code
// that Wine's own failures to start a program do not give. The
// wide calls keep names and texts exact whatever the system's code page,
// where the registry tool's listing passes them through the console's.
//   regvalue HKLM|HKCU\KEY NAME
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "tests/win32/helpers/PrintUtf8.h"

constexpr int kMissing = 3;

int main() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count != 3) {
        std::fputs("usage: regvalue HKLM|HKCU\\KEY NAME\n", stderr);
        return 2;
    }
    const std::wstring path = arguments[1];
    const HKEY root = path.rfind(L"HKCU\\", 0) == 0 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.substr(5).c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) return kMissing;
    DWORD type = 0, size = 0;
    std::wstring text;
    LONG result = RegQueryValueExW(key, arguments[2], nullptr, &type, nullptr, &size);
    if (result == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        text.resize(size / sizeof(wchar_t) + 1);
        result = RegQueryValueExW(key, arguments[2], nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size);
        text.resize(size / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0') text.pop_back();
    }
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return kMissing;
    PrintUtf8(text);
    return 0;
}
