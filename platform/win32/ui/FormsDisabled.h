#pragma once
// Holding the application's other forms back while a modal window or box is
// up. Internal to the Windows framework.
#include <windows.h>

#include <vector>

#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

// Disables the application's enabled forms other than the given window
// (which a box disables itself, and a modal form is) while it lives, and
// enables them again afterwards.
class TFormsDisabled {
public:
    explicit TFormsDisabled(HWND owner) {
        for (size_t i = 0; i < Application().ComponentCount(); ++i) {
            auto* form = Application().Component(i).AsForm();
            if (!form || !form->HandleAllocated()) continue;
            HWND window = static_cast<HWND>(form->Handle());
            if (window == owner || !IsWindowEnabled(window)) continue;
            EnableWindow(window, FALSE);
            disabled_.push_back(window);
        }
    }
    ~TFormsDisabled() {
        for (HWND window : disabled_) EnableWindow(window, TRUE);
    }
    TFormsDisabled(const TFormsDisabled&) = delete;
    TFormsDisabled& operator=(const TFormsDisabled&) = delete;

private:
    std::vector<HWND> disabled_;
};
