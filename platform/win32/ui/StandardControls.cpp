#include "platform/win32/ui/StandardControls.h"

#include "platform/win32/WideText.h"
#include "platform/win32/ui/CommonControlsLibrary.h"

#include <string>

namespace platform::ui {

void EnsureCommonControls() {
    static const bool loaded = [] {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS | ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
        const auto initialize = CommonControlsLibrary().InitCommonControlsEx;
        return initialize && initialize(&classes) != FALSE;
    }();
    (void)loaded;
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring buffer(size_t(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, buffer.data(), length + 1);
    return Utf8Of(buffer.data(), size_t(copied > 0 ? copied : 0));
}

void SetWindowUtf8Text(HWND window, const std::string& text) { SetWindowTextW(window, Wide(text).c_str()); }

int DrawUtf8Text(HDC dc, const std::string& text, RECT& area, UINT flags) {
    const std::wstring wide = text.empty() ? std::wstring(L" ") : Wide(text);
    return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area, flags);
}

}  // namespace platform::ui
