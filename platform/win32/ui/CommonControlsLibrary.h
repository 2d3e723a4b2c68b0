#pragma once
// The common controls library, loaded when a control first needs it rather
// than with the program: loading it registers many window classes, which
// costs start-up time although the first window uses none of them.
#include <windows.h>
#include <commctrl.h>

namespace platform::ui {

struct TCommonControlsLibrary {
    BOOL(WINAPI* InitCommonControlsEx)(const INITCOMMONCONTROLSEX* classes) = nullptr;
    BOOL(WINAPI* SetWindowSubclass)(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) = nullptr;
    BOOL(WINAPI* RemoveWindowSubclass)(HWND window, SUBCLASSPROC procedure, UINT_PTR id) = nullptr;
    LRESULT(WINAPI* DefSubclassProc)(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = nullptr;
};

// A system library by its file name, from the system folder only.
HMODULE LoadSystemLibrary(const wchar_t* name);

// The library's functions, loaded on the first call; those it lacks stay null.
const TCommonControlsLibrary& CommonControlsLibrary();

}  // namespace platform::ui
