#include "platform/win32/ui/WindowClasses.h"

#include "platform/win32/WideText.h"

namespace platform::ui {

void EnsureWindowClass(const std::string& name, UINT classStyle) {
    const std::wstring className = Wide(name);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    // The system knows the classes the program registered already.
    if (GetClassInfoExW(instance, className.c_str(), &windowClass)) return;
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = OwnWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.lpszClassName = className.c_str();
    RegisterClassExW(&windowClass);
}

HCURSOR CursorHandle(int cursor) {
    LPCWSTR id = reinterpret_cast<LPCWSTR>(IDC_ARROW);
    switch (cursor) {
        case -3: id = reinterpret_cast<LPCWSTR>(IDC_CROSS); break;
        case -4: id = reinterpret_cast<LPCWSTR>(IDC_IBEAM); break;
        case -11: id = reinterpret_cast<LPCWSTR>(IDC_WAIT); break;
        case -18: id = reinterpret_cast<LPCWSTR>(IDC_NO); break;
        case -19: id = reinterpret_cast<LPCWSTR>(IDC_APPSTARTING); break;
        case -21: id = reinterpret_cast<LPCWSTR>(IDC_HAND); break;
        default: break;
    }
    return LoadCursorW(nullptr, id);
}

}  // namespace platform::ui
