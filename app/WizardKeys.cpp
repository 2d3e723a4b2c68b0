#include "app/WizardKeys.h"

#include "platform/Text.h"
#include "platform/TextCoding.h"

std::string AccessKeyOf(const std::string& caption) {
    for (size_t at = 0; at + 1 < caption.size(); ++at) {
        if (caption[at] != '&') continue;
        if (caption[at + 1] == '&') {
            ++at;
            continue;
        }
        char32_t character = 0;
        const size_t length = NextCharacter(caption, at + 1, character);
        return caption.substr(at + 1, length);
    }
    return "";
}

namespace {

bool IsAccessKey(char32_t typed, const std::string& caption) {
    const std::string key = AccessKeyOf(caption);
    std::string text;
    AppendUtf8(text, typed);
    return !key.empty() && SameText(text, key);
}

TWizardKeyAction AccessKeyAction(char32_t typed, const TWizardButtons& buttons) {
    if (buttons.BackEnabled && IsAccessKey(typed, buttons.BackCaption)) return TWizardKeyAction::Back;
    if (buttons.NextEnabled && IsAccessKey(typed, buttons.NextCaption)) return TWizardKeyAction::Next;
    if (IsAccessKey(typed, buttons.CancelCaption)) return TWizardKeyAction::Cancel;
    return TWizardKeyAction::None;
}

}  // namespace

TWizardKeyAction WizardKeyAction(const TKeyInput& input, const TWizardButtons& buttons) {
    if (buttons.Copying) return TWizardKeyAction::None;
    if (input.Key == 0) return (input.Shift & ssAlt) ? AccessKeyAction(input.Character, buttons) : TWizardKeyAction::None;
    if (input.Shift & (ssAlt | ssCtrl)) return TWizardKeyAction::None;
    if (input.Key == vkEscape) return TWizardKeyAction::Cancel;
    if (input.Key == vkReturn && buttons.NextEnabled && !input.FocusWantsKey) return TWizardKeyAction::Next;
    return TWizardKeyAction::None;
}
