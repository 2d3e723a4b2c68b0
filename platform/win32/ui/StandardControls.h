#pragma once
// Helpers shared by the wrappers of the system's windows and controls. Texts
// are UTF-8 here and UTF-16 in the calls.
#include <windows.h>

#include <string>

namespace platform::ui {

// Loads the common control classes (progress bar, tree view, standard) once.
void EnsureCommonControls();

// The whole text of a window, and giving it one.
std::string WindowText(HWND window);
void SetWindowUtf8Text(HWND window, const std::string& text);

// Draws the text, or measures it with DT_CALCRECT, as characters. An empty
// text is measured as one blank: it still takes the height of a line.
int DrawUtf8Text(HDC dc, const std::string& text, RECT& area, UINT flags);

}  // namespace platform::ui
