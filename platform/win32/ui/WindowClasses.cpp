#include "platform/win32/ui/WindowClasses.h"

#include <set>

namespace platform::ui {

void EnsureWindowClass(const std::string& name, UINT classStyle) {
    static std::set<std::string> registered;
    if (registered.count(name)) return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = OwnWindowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    windowClass.lpszClassName = name.c_str();
    RegisterClassExA(&windowClass);
    registered.insert(name);
}

HCURSOR CursorHandle(int cursor) {
    LPCSTR id = reinterpret_cast<LPCSTR>(IDC_ARROW);
    switch (cursor) {
        case -3: id = reinterpret_cast<LPCSTR>(IDC_CROSS); break;
        case -4: id = reinterpret_cast<LPCSTR>(IDC_IBEAM); break;
        case -11: id = reinterpret_cast<LPCSTR>(IDC_WAIT); break;
        case -18: id = reinterpret_cast<LPCSTR>(IDC_NO); break;
        case -19: id = reinterpret_cast<LPCSTR>(IDC_APPSTARTING); break;
        case -21: id = reinterpret_cast<LPCSTR>(IDC_HAND); break;
        default: break;
    }
    return LoadCursorA(nullptr, id);
}

}  // namespace platform::ui
