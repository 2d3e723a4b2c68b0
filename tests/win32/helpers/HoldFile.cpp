// Test helper: holds a file open for reading and writing without sharing it,
// as a program that works on the file does, until it is ended (or five
// minutes have passed). Prints "held" once the file is open.
//   holdfile FILE
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// Long paths in the long-path form, so that a file deep in a tree can be held.
std::wstring FilePath(const wchar_t* path) {
    if (std::wcslen(path) < MAX_PATH - 12 || std::wcsncmp(path, L"\\\\?\\", 4) == 0) return path;
    std::wstring full(32768, L'\0');
    full.resize(GetFullPathNameW(path, static_cast<DWORD>(full.size()), full.data(), nullptr));
    return full.rfind(L"\\\\", 0) == 0 ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 2) {
        std::fputs("usage: holdfile FILE\n", stderr);
        return 2;
    }
    HANDLE file = CreateFileW(FilePath(argv[1]).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fwprintf(stderr, L"cannot open %ls: error %lu\n", argv[1], GetLastError());
        return 1;
    }
    LocalFree(argv);
    std::puts("held");
    std::fflush(stdout);
    Sleep(5 * 60 * 1000);
    CloseHandle(file);
    return 0;
}
