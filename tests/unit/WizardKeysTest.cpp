// The wizard's keys as a table: which key presses which button, and which
// keys the rules of the pages leave without effect.
#include <gtest/gtest.h>

#include "app/SetupTexts.h"
#include "app/WizardKeys.h"

namespace {

using A = TWizardKeyAction;

TKeyInput Key(uint16_t key, TShiftState shift = 0, bool focusWantsKey = false) {
    TKeyInput input;
    input.Key = key;
    input.Shift = shift;
    input.FocusWantsKey = focusWantsKey;
    return input;
}

TKeyInput AltCharacter(char32_t character) {
    TKeyInput input;
    input.Character = character;
    input.Shift = ssAlt;
    return input;
}

TWizardButtons Buttons(const TSetupWords& words, bool back, bool next, bool copying = false) {
    TWizardButtons buttons;
    buttons.BackEnabled = back;
    buttons.NextEnabled = next;
    buttons.Copying = copying;
    buttons.BackCaption = words[TSetupText::BackButton];
    buttons.NextCaption = words[TSetupText::NextButton];
    buttons.CancelCaption = words[TSetupText::CancelButton];
    return buttons;
}

}  // namespace

TEST(WizardKeys, KeysPressOnlyTheButtonsTheMouseCouldPress) {
    const TTextTable texts = BuiltInSetupTexts();
    const TSetupWords english(texts, "English", "Product"), german(texts, "German", "Product"),
        russian(texts, "Russian", "Product"), japanese(texts, "Japanese", "Product");
    struct Row {
        const char* what;
        TKeyInput input;
        TWizardButtons buttons;
        A action;
    };
    const Row table[] = {
        {"Enter is Next", Key(vkReturn), Buttons(english, false, true), A::Next},
        {"Enter waits for the licence tick", Key(vkReturn), Buttons(english, true, false), A::None},
        {"Enter stays in a multi-line text", Key(vkReturn, 0, true), Buttons(english, true, true), A::None},
        {"Ctrl+Enter is not Enter", Key(vkReturn, ssCtrl), Buttons(english, true, true), A::None},
        {"Escape is Cancel", Key(vkEscape), Buttons(english, false, false), A::Cancel},
        {"Escape in a multi-line text is still Cancel", Key(vkEscape, 0, true), Buttons(english, true, true), A::Cancel},
        {"Space is the focused control's", Key(vkSpace), Buttons(english, true, true), A::None},
        {"Alt+B", AltCharacter('b'), Buttons(english, true, true), A::Back},
        {"Alt+Shift+N", AltCharacter('N'), Buttons(english, true, true), A::Next},
        {"Alt+C", AltCharacter('c'), Buttons(english, false, false), A::Cancel},
        {"Alt+B with Back disabled", AltCharacter('b'), Buttons(english, false, true), A::None},
        {"Alt+N with Next disabled", AltCharacter('n'), Buttons(english, true, false), A::None},
        {"a letter of no button", AltCharacter('x'), Buttons(english, true, true), A::None},
        {"a letter without Alt", TKeyInput{0, U'n', 0, false}, Buttons(english, true, true), A::None},
        {"German Alt+W is Next", AltCharacter('w'), Buttons(german, true, true), A::Next},
        {"German Alt+Z is Back", AltCharacter('Z'), Buttons(german, true, true), A::Back},
        {"German Alt+N is nothing", AltCharacter('n'), Buttons(german, true, true), A::None},
        {"Russian Alt+D is Next", AltCharacter(U'\u0434'), Buttons(russian, true, true), A::Next},
        {"Japanese Alt+N is Next", AltCharacter('n'), Buttons(japanese, true, true), A::Next},
        {"no key acts while copying", Key(vkEscape), Buttons(english, false, false, true), A::None},
        {"no access key acts while copying", AltCharacter('c'), Buttons(english, false, false, true), A::None},
    };
    for (const Row& row : table) EXPECT_EQ(WizardKeyAction(row.input, row.buttons), row.action) << row.what;
}

TEST(WizardKeys, AccessLetterIsTheCharacterAfterASingleAmpersand) {
    const std::pair<const char*, const char*> table[] = {
        {"&Next", "N"},   {"Abbre&chen", "c"}, {"Fish && &Chips", "C"}, {"&&Back", ""},
        {"Next", ""},     {"Next&", ""},       {"&\xC3\x9C" "ber", "\xC3\x9C"},  // a two-byte letter
    };
    for (const auto& [caption, key] : table) EXPECT_EQ(AccessKeyOf(caption), key) << caption;
}

TEST(WizardKeys, AnAccessLetterBeyondAsciiMatchesInEitherCase) {
    TWizardButtons buttons;
    buttons.NextEnabled = true;
    buttons.NextCaption = "\xD0\x94\xD0\xB0\xD0\xBB\xD0\xB5\xD0\xB5";  // Cyrillic "Далее" without a mark
    EXPECT_EQ(WizardKeyAction(AltCharacter(U'д'), buttons), A::None);
    buttons.NextCaption = "&" + buttons.NextCaption;
    EXPECT_EQ(WizardKeyAction(AltCharacter(U'д'), buttons), A::Next);
    EXPECT_EQ(WizardKeyAction(AltCharacter(U'Д'), buttons), A::Next);
}
