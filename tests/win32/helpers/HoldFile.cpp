// Test helper: holds a file open for reading and writing without sharing it,
// as a program that works on the file does, until it is ended (or five
// minutes have passed). Prints "held" once the file is open.
//   holdfile FILE
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 2) {
        std::fputs("usage: holdfile FILE\n", stderr);
        return 2;
    }
    HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
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
