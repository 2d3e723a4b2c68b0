#pragma once
// What screen readers learn of a window of our own that acts as a push
// button: the system's description of the window (place, focus, disabled),
// with the role of a button, its name and access key from the window's text
// ("&Next" is "Next", Alt+N), the pressed state and "Press" as its action.
#include <windows.h>

namespace platform::ui {

// The answer to WM_GETOBJECT for the window's client object, or 0 when the
// accessibility library is not there (the system's answer then stands).
LRESULT ButtonAccessibleObject(HWND window, WPARAM wParam, bool pressed);

}  // namespace platform::ui
