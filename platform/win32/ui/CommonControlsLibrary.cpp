#include "platform/win32/ui/CommonControlsLibrary.h"

namespace platform::ui {

namespace {

template <class TFunction>
void Resolve(HMODULE library, const char* name, TFunction& function) {
    function = reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

TCommonControlsLibrary Load() {
    TCommonControlsLibrary functions;
    // The program's manifest chooses the version; the library stays loaded for the process.
    HMODULE library = LoadLibraryA("comctl32.dll");
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
