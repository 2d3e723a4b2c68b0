#include "platform/win32/ui/CommonControlsLibrary.h"

#include <string>

#include "platform/win32/WideText.h"

namespace platform::ui {

namespace {

template <class TFunction>
void Resolve(HMODULE library, const char* name, TFunction& function) {
    function = reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// The library from the system folder only, never a file of that name beside
// the program (a setup often starts from a downloads folder). The program's
// manifest still chooses the version. Systems that lack the search flag take
// the file by its full path.
HMODULE LoadFromSystemFolder() {
    constexpr const wchar_t* kName = L"comctl32.dll";
    if (HMODULE library = LoadLibraryExW(kName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return library;
    const std::wstring folder = GrowingText([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
    if (folder.empty()) return nullptr;
    return LoadLibraryW((folder + L"\\" + kName).c_str());
}

TCommonControlsLibrary Load() {
    TCommonControlsLibrary functions;
    // The library stays loaded for the process.
    HMODULE library = LoadFromSystemFolder();
    if (!library) return functions;
    Resolve(library, "InitCommonControlsEx", functions.InitCommonControlsEx);
    Resolve(library, "SetWindowSubclass", functions.SetWindowSubclass);
    Resolve(library, "RemoveWindowSubclass", functions.RemoveWindowSubclass);
    Resolve(library, "DefSubclassProc", functions.DefSubclassProc);
    return functions;
}

}  // namespace

const TCommonControlsLibrary& CommonControlsLibrary() {
    static const TCommonControlsLibrary functions = Load();
    return functions;
}

}  // namespace platform::ui
