#pragma once
// The order in which Tab moves the focus through a window's controls: depth
// first through the child windows in their order (the first made first),
// taking the visible and enabled windows that are tab stops and looking
// inside the others. The system's own walk does not climb out of controls
// nested more than one level deep, as the pages of a wizard are.
#include <windows.h>

namespace platform::ui {

// The tab stop after (or before) `from` inside root, round at the ends; the
// first (or last) when `from` is none of them. Null when root has none.
HWND NextTabStop(HWND root, HWND from, bool backwards);

}  // namespace platform::ui
