#include "platform/win32/ui/CommonControlsLibrary.h"

namespace platform::ui {

namespace {

template <class TFunction>
void Resolve(HMODULE library, const char* name, TFunction& function) {
    function = reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

TCommonControlsLibrary Load() {
    TCommonControlsLibrary functions;
    // The library stays loaded for the process.
    HMODULE library = LoadSystemLibrary(L"comctl32.dll");
    if (!library) return functions;
    Resolve(library, "InitCommonControlsEx", functions.InitCommonControlsEx);
    Resolve(library, "SetWindowSubclass", functions.SetWindowSubclass);
    Resolve(library, "RemoveWindowSubclass", functions.RemoveWindowSubclass);
    Resolve(library, "DefSubclassProc", functions.DefSubclassProc);
    return functions;
}

}  // namespace

// A library from the system folder only, never a file of that name beside
// the program (a setup often starts from a downloads folder). The program's
// manifest still chooses the version. Systems that lack the search flag take
// the file by its full path.
HMODULE LoadSystemLibrary(const wchar_t* name) {
    if (HMODULE library = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return library;
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenW(name) >= MAX_PATH) return nullptr;
    path[length] = L'\\';
    lstrcpyW(path + length + 1, name);
    return LoadLibraryW(path);
}

const TCommonControlsLibrary& CommonControlsLibrary() {
    static const TCommonControlsLibrary functions = Load();
    return functions;
}

}  // namespace platform::ui
