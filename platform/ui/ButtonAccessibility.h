#pragma once
// What screen readers learn of a window of our own that acts as a push
// button: the system's description of the window (place, focus, disabled),
// with the role of a button, its name and access key from the window's text
// ("&Next" is "Next", Alt+N), the pressed state and "Press" as its action.
// A program opts in per control (TWinControl::SetAccessibleObjectMaker), so
// that programs without such buttons do not carry it.
#include <cstdint>

#include "platform/ui/UiTypes.h"

// The answer to the window's request for its client object, or 0 when the
// accessibility library is not there (the system's answer then stands).
intptr_t ButtonAccessibleObject(TWindowHandle window, uintptr_t request, bool pressed);
