#pragma once
// Helpers shared by the wrappers of the system's standard and common controls.
#include <windows.h>

#include <string>

namespace platform::ui {

// Loads the common control classes (progress bar, tree view, standard) once.
void EnsureCommonControls();

// The whole text of a window.
std::string WindowText(HWND window);

}  // namespace platform::ui
