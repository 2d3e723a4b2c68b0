#include "platform/win32/ui/TabOrder.h"

#include <vector>

namespace platform::ui {

namespace {

void CollectTabStops(HWND parent, std::vector<HWND>& stops) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if ((style & (WS_VISIBLE | WS_DISABLED)) != WS_VISIBLE) continue;
        if (style & WS_TABSTOP) stops.push_back(child);
        else CollectTabStops(child, stops);
    }
}

}  // namespace

HWND NextTabStop(HWND root, HWND from, bool backwards) {
    std::vector<HWND> stops;
    CollectTabStops(root, stops);
    if (stops.empty()) return nullptr;
    const size_t count = stops.size();
    for (size_t i = 0; i < count; ++i)
        if (from && (stops[i] == from || IsChild(stops[i], from)))
            return stops[backwards ? (i + count - 1) % count : (i + 1) % count];
    return backwards ? stops.back() : stops.front();
}

}  // namespace platform::ui
