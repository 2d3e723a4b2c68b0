#include "platform/win32/ui/WindowClasses.h"

#include <set>

#include "platform/win32/WideText.h"

namespace platform::ui {

void EnsureWindowClass(const std::string& name, UINT classStyle) {
    static std::set<std::string> registered;
    if (registered.count(name)) return;
    const std::wstring className = Wide(name);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = OwnWindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    windowClass.lpszClassName = className.c_str();
    RegisterClassExW(&windowClass);
    registered.insert(name);
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
