// Test helper: stands in for the uninstaller's copy that fails at its start.
// It closes the report pipe it inherited without reporting, lingers a
// moment as a process does while it ends, and ends with code 7.
//   failingcopy [/S] /COPYOF=PROCESS,REPORT,FILE
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        unsigned long process = 0, report = 0;
        if (std::strncmp(argv[i], "/COPYOF=", 8) == 0 && std::sscanf(argv[i] + 8, "%lu,%lu", &process, &report) == 2)
            CloseHandle(reinterpret_cast<HANDLE>(uintptr_t(report)));
    }
    Sleep(1500);
    return 7;
}
