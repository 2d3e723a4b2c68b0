// The wizard with the keyboard alone, as real windows: the order in which
// Tab and Shift+Tab reach the controls of each page, Enter, Escape, Space
// and the access keys under the rules of the mouse, and the texts a screen
// reader finds on the pages and the image buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/SetupForm.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/Panel.h"
#include "skin/KelButton.h"
#include "tests/win32/QuestionBox.h"
#include "tests/win32/SetupFormFixture.h"
#include "tests/win32/WindowChecks.h"

namespace {

const char* const kEntries =
    "SiteletTitle=Tool\r\nLanguage=English\r\nLicence=Licence.txt\r\nDestination=Maker\\Tool\r\n"
    "Folder=Maker Tool\r\nAddfile=tool.exe\r\nDesktopIcon=1\r\nLaunchProg=1\r\n";

void HoldShift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

class SetupFormKeys : public SetupFormStart {
protected:
    std::unique_ptr<TSetupForm> form;

    void StartShown(const std::string& entries = kEntries) {
        WritePayload(entries);
        form = Start();
        form->Show();
        Pump();
    }
    static std::string FocusedName() {
        TWinControl* control = TWinControl::FromHandle(GetFocus());
        return control ? control->Name() : "(none)";
    }
    static void Key(WPARAM key) {
        PostKey(key);
        Pump();
    }
    static void AltKey(wchar_t character) {
        PostMessageW(GetFocus(), WM_SYSCHAR, character, 0x20000001);  // bit 29: Alt is held
        Pump();
    }
    // The controls Tab reaches, from the focused one until it comes round again.
    static std::vector<std::string> TabRound(bool backwards) {
        HoldShift(backwards);
        std::vector<std::string> names;
        HWND first = GetFocus();
        for (int i = 0; i < 10 && (i == 0 || GetFocus() != first); ++i) {
            names.push_back(FocusedName());
            Key(VK_TAB);
        }
        HoldShift(false);
        return names;
    }
    std::string Escape(WPARAM answer) {
        std::string question;
        WithQuestionBoxAnswer([] { Key(VK_ESCAPE); },
                              [&](HWND box) {
                                  question = QuestionOf(box);
                                  PostKey(answer);
                              });
        return question;
    }
};

using Names = std::vector<std::string>;

}  // namespace

// The user's setting: keyboard cues shown always, or only once the keyboard is used.
void SetAlwaysShownCues(bool on) { SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(on), 0); }

TEST_F(SetupFormKeys, FocusCuesFollowTheUsersSettingAndShowOnceTheKeyboardIsUsed) {
    BOOL before = FALSE;
    SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &before, 0);
    for (const bool always : {false, true}) {
        SetAlwaysShownCues(always);
        StartShown();
        EXPECT_EQ(FocusedName(), "Forwardbutton") << "the first focus: Next";
        EXPECT_EQ(form->Forwardbutton->ShowsFocusCue(), always);
        Key(VK_TAB);
        EXPECT_TRUE(form->Cancelbutton->ShowsFocusCue()) << "the keyboard was used";
        form.reset();
    }
    SetAlwaysShownCues(before != FALSE);
}

TEST_F(SetupFormKeys, TabReachesEveryControlOfThePageInReadingOrderAndShiftTabGoesBack) {
    StartShown();
    Key(VK_TAB);
    EXPECT_TRUE(form->KeyboardUsed());
    struct Row {
        uint8_t page;
        Names forwards;
    };
    const Row table[] = {
        {0, {"Forwardbutton", "Cancelbutton"}},
        {1, {"LicenceMemo", "LicenceCheck", "Backbutton", "Cancelbutton"}},
        {2, {"DestinationButton", "Backbutton", "Forwardbutton", "Cancelbutton"}},
        {3, {"FolderEdit", "FolderList", "Backbutton", "Forwardbutton", "Cancelbutton"}},
        {5, {"DesktopCheck", "LaunchProgCheck", "Forwardbutton", "Cancelbutton"}},
    };
    for (const Row& row : table) {
        form->ShowPage(row.page);
        EXPECT_EQ(TabRound(false), row.forwards) << "page " << int(row.page);
        Names backwards(row.forwards.rbegin(), row.forwards.rend());
        backwards.insert(backwards.begin(), row.forwards.front());
        backwards.pop_back();
        EXPECT_EQ(TabRound(true), backwards) << "page " << int(row.page);
        if (row.page == 1) form->LicenceCheck->SetChecked(true);
    }
}

TEST_F(SetupFormKeys, EnterEscapeSpaceAndAccessKeysFollowTheRulesOfTheMouse) {
    StartShown();
    Key(VK_RETURN);
    EXPECT_EQ(form->CurrentPage(), 1) << "Enter is Next";
    EXPECT_EQ(FocusedName(), "LicenceMemo");
    Key(VK_RETURN);
    AltKey(L'n');
    EXPECT_EQ(form->CurrentPage(), 1) << "Next waits for the tick";
    Key(VK_TAB);
    Key(VK_SPACE);
    EXPECT_TRUE(form->LicenceCheck->Checked());
    EXPECT_TRUE(form->Forwardbutton->Enabled());
    Key(VK_RETURN);
    EXPECT_EQ(form->CurrentPage(), 2);
    AltKey(L'B');
    EXPECT_EQ(form->CurrentPage(), 1) << "Alt+B is Back";
    EXPECT_FALSE(form->LicenceCheck->Checked());
    AltKey(L'b');
    EXPECT_EQ(form->CurrentPage(), 0);
    AltKey(L'b');
    EXPECT_EQ(form->CurrentPage(), 0) << "no Back on the Welcome page";

    EXPECT_EQ(Escape(VK_ESCAPE), "Do you want to cancel setup?");
    EXPECT_TRUE(form->Visible()) << "No keeps the wizard";
    form->Forwardbutton->SetFocus();
    Key(VK_SPACE);
    EXPECT_EQ(form->CurrentPage(), 1) << "Space presses the focused image button";
    form->Cancelbutton->SetFocus();
    WithQuestionBoxAnswer([] { Key(VK_RETURN); }, [](HWND) { PostKey(VK_ESCAPE); });
    EXPECT_EQ(form->CurrentPage(), 1) << "Enter presses the focused Cancel, which asks";

    form->ShowPage(5);
    EXPECT_EQ(Escape(VK_RETURN), "") << "no question on the Finish page";
    EXPECT_TRUE(form->Visible());
}

TEST_F(SetupFormKeys, AccessKeysComeFromTheButtonNamesOfThePageLanguage) {
    StartShown("SiteletTitle=Tool\r\nLanguage=German\r\nLicence=   \r\n");
    EXPECT_EQ(TextOf(WindowOf(*form->Forwardbutton)), "&Weiter");
    AltKey(L'n');
    EXPECT_EQ(form->CurrentPage(), 0);
    AltKey(L'w');
    EXPECT_EQ(form->CurrentPage(), 2);
    AltKey(L'z');
    EXPECT_EQ(form->CurrentPage(), 0);
    std::string question;
    WithQuestionBoxAnswer([] { AltKey(L'a'); },
                          [&](HWND box) {
                              question = QuestionOf(box);
                              PostKey(VK_ESCAPE);
                          });
    EXPECT_EQ(question, "Wollen Sie das Setup abbrechen?");
}

TEST_F(SetupFormKeys, EachPageWindowCarriesItsHeadingForScreenReaders) {
    StartShown();
    struct Row {
        TPanel* page;
        const char* heading;
    };
    const Row table[] = {{form->WelcomeBox, "Welcome to the Setup Wizard for Tool"},
                         {form->LicenceBox, "Licence Agreement"},
                         {form->DestinationBox, "Choose Destination Location"},
                         {form->FolderBox, "Select Program Folder"},
                         {form->FinishBox, "Setup Complete"}};
    for (const Row& row : table) EXPECT_EQ(TextOf(WindowOf(*row.page)), row.heading);
    EXPECT_EQ(TextOf(WindowOf(*form->Backbutton)), "&Back");
    EXPECT_EQ(TextOf(WindowOf(*form->Cancelbutton)), "&Cancel");
}

// Escape asks wherever the focus is on the pages before the copy, the text
// fields and the list included, and the focus comes back after the answer
// No.
TEST_F(SetupFormKeys, EscapeAsksFromEveryControlOfThePagesBeforeTheCopy) {
    StartShown();
    Key(VK_TAB);
    for (const uint8_t page : {0, 1, 2, 3}) {
        form->ShowPage(page);
        if (page == 1) form->LicenceCheck->SetChecked(true);
        const Names controls = TabRound(false);
        for (const std::string& name : controls) {
            EXPECT_EQ(Escape(VK_ESCAPE), "Do you want to cancel setup?") << "page " << int(page) << ", " << name;
            EXPECT_EQ(FocusedName(), name) << "page " << int(page) << ": the focus comes back";
            Key(VK_TAB);
        }
    }
}
