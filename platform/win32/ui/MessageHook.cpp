#include "platform/ui/MessageHook.h"

#include <windows.h>

#include <exception>
#include <utility>

#include "platform/ui/Application.h"
#include "platform/win32/ui/CommonControlsLibrary.h"

using platform::ui::CommonControlsLibrary;

namespace {

// The system keeps the chain of hooks on one window in order, whoever else
// hooks it before or after.
LRESULT CALLBACK HookProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto& handler = *reinterpret_cast<TMessageHook::THandler*>(data);
    TMessage message{msg, wParam, lParam, 0};
    try {
        if (handler(message)) return message.Result;
    } catch (const std::exception& error) {
        Application().HandleException(error);
        return 0;
    }
    return CommonControlsLibrary().DefSubclassProc(window, msg, wParam, lParam);
}

UINT_PTR HookId(const TMessageHook* hook) { return reinterpret_cast<UINT_PTR>(hook); }

// Hooks the window; false when the library offers no hooks or the window takes none.
bool Hook(HWND window, const TMessageHook* hook, DWORD_PTR data) {
    const auto& library = CommonControlsLibrary();
    if (!library.SetWindowSubclass || !library.DefSubclassProc || !library.RemoveWindowSubclass) return false;
    return library.SetWindowSubclass(window, HookProcedure, HookId(hook), data) != FALSE;
}

}  // namespace

TMessageHook::TMessageHook(TWindowHandle window, THandler handler) : window_(window), handler_(std::move(handler)) {
    if (window_ && !Hook(static_cast<HWND>(window_), this, reinterpret_cast<DWORD_PTR>(&handler_))) window_ = nullptr;
}

// A window already gone took its hooks with it; removing fails harmlessly then.
TMessageHook::~TMessageHook() {
    if (window_ && IsWindow(static_cast<HWND>(window_)))
        CommonControlsLibrary().RemoveWindowSubclass(static_cast<HWND>(window_), HookProcedure, HookId(this));
}
