// Test helper: holds a file open for reading and writing without sharing it,
// as a program that works on the file does, until it is ended (or five
// minutes have passed). Prints "held" once the file is open.
//   holdfile FILE
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: holdfile FILE\n", stderr);
        return 2;
    }
    HANDLE file = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open %s: error %lu\n", argv[1], GetLastError());
        return 1;
    }
    std::puts("held");
    std::fflush(stdout);
    Sleep(5 * 60 * 1000);
    CloseHandle(file);
    return 0;
}
