#pragma once
// What the wizard's keys do: Enter is Next, Escape is Cancel, and Alt with
// the access letter of a button's caption (the letter after "&") presses
// that button. A key does nothing that the mouse could not do at the time.
#include <cstdint>
#include <string>

#include "platform/ui/UiTypes.h"

enum class TWizardKeyAction : uint8_t { None, Back, Next, Cancel };

// The buttons as the key finds them.
struct TWizardButtons {
    bool BackEnabled = false;
    bool NextEnabled = false;
    bool Copying = false;  // the copy phase runs: no key acts
    std::string BackCaption, NextCaption, CancelCaption;
};

TWizardKeyAction WizardKeyAction(const TKeyInput& input, const TWizardButtons& buttons);

// The access letter of a caption, the character after a single "&", in
// UTF-8; empty when there is none ("&&" stands for "&" itself).
std::string AccessKeyOf(const std::string& caption);
