#include "platform/LibrarySearch.h"

#include <windows.h>

namespace platform {

namespace {

using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);

// Looked up rather than imported: systems before the search flags lack the
// function, and the program must still start there.
TSetDefaultDllDirectories DefaultDllDirectoriesFunction() {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (!kernel) return nullptr;
    return reinterpret_cast<TSetDefaultDllDirectories>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
}

}  // namespace

void RestrictLibrarySearch() {
    if (const TSetDefaultDllDirectories restrict = DefaultDllDirectoriesFunction())
        if (restrict(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    SetDllDirectoryW(L"");
}

}  // namespace platform
