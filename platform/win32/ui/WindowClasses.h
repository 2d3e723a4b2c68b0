#pragma once
// The window classes of the framework and the procedures behind them.
#include <windows.h>

#include <string>

namespace platform::ui {

// The property under which a window keeps its control.
constexpr const wchar_t* kControlProperty = L"KelControl";

// Registers our own window class of that name and class style once.
void EnsureWindowClass(const std::string& name, UINT classStyle);

// The procedure of our own classes, and the one that subclassed system controls get.
LRESULT CALLBACK OwnWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The system cursor of a framework cursor number.
HCURSOR CursorHandle(int cursor);

}  // namespace platform::ui
