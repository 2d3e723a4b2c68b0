// The wizard itself: Setup.exe beside a Data.Kel made by kelpack, run under
// Wine and walked with real mouse input through its first four pages and
// back, cancelled with No and then with Yes. Pages are told apart by what
// the text area shows.
#include <cstdlib>

#include "archive/ZLIBArchive.h"
#include "tests/e2e/SetupWizard.h"
#include "tests/e2e/WindowFinder.h"
#include "tests/e2e/WineSystem.h"

TEST_F(SetupWizardTest, WalksTheFirstFourPagesAndBackAndCancelsWithNoThenYes) {
    StartSetup("English");
    if (HasFatalFailure()) return;
    const PageImage welcome = Page();
    SaveForm("wizard-english-0-welcome");

    PageImage licence, destination, folder;
    Click("Next");
    ASSERT_TRUE(NewPage({welcome}, licence));
    EXPECT_TRUE(ButtonShows("Back", ButtonState::Normal));
    EXPECT_TRUE(ButtonShows("Next", ButtonState::Disabled)) << "Next waits for the licence to be accepted";
    SaveForm("wizard-english-1-licence");
    Click("Next");
    EXPECT_TRUE(ButtonKeeps("Next", ButtonState::Disabled));
    EXPECT_TRUE(SamePage(licence)) << "a disabled Next goes nowhere";

    ClickAt(OnForm(kLicenceCheckX, kLicenceCheckY));
    EXPECT_TRUE(ButtonShows("Next", ButtonState::Normal));
    Click("Next");
    ASSERT_TRUE(NewPage({welcome, licence}, destination));
    SaveForm("wizard-english-2-destination");
    Click("Next");
    ASSERT_TRUE(NewPage({welcome, licence, destination}, folder));
    SaveForm("wizard-english-3-folder");

    Click("Back");
    EXPECT_TRUE(SamePage(destination));
    Click("Back");
    EXPECT_TRUE(SamePage(licence)) << "the licence page comes back with its box unticked";
    EXPECT_TRUE(ButtonShows("Next", ButtonState::Disabled));
    Click("Back");
    EXPECT_TRUE(SamePage(welcome));
    EXPECT_TRUE(ButtonShows("Back", ButtonState::Disabled));

    CancelAnswering("Escape");
    EXPECT_TRUE(Program().Running()) << "No keeps the wizard";
    EXPECT_TRUE(SamePage(welcome));
    CancelAnswering("Return");
    ExpectEndedWithoutWorkingFolder();
}

TEST_F(SetupWizardTest, GermanPagesAndCancelOnTheProgramFolderPage) {
    StartSetup("German");
    if (HasFatalFailure()) return;
    PageImage welcome = Page(), licence, destination, folder;
    SaveForm("wizard-german-0-welcome");
    Click("Next");
    ASSERT_TRUE(NewPage({welcome}, licence));
    ClickAt(OnForm(kLicenceCheckX, kLicenceCheckY));
    EXPECT_TRUE(ButtonShows("Next", ButtonState::Normal));
    SaveForm("wizard-german-1-licence");
    Click("Next");
    ASSERT_TRUE(NewPage({welcome, licence}, destination));
    SaveForm("wizard-german-2-destination");
    Click("Next");
    ASSERT_TRUE(NewPage({welcome, licence, destination}, folder));
    SaveForm("wizard-german-3-folder");
    CancelAnswering("Return");
    ExpectEndedWithoutWorkingFolder();
}

TEST_F(SetupWizardTest, AFailedStartShowsTheErrorEndsWithCodeOneAndLeavesNoWorkingFolder) {
    CheckPrerequisites(kSetupExe);
    if (HasFatalFailure()) return;
    MakeSetup();
    if (HasFatalFailure()) return;
    std::string payload = ReadFile(setupFolder + "/Data.Kel");
    TZLBArchive archive;
    archive.OpenArchive(setupFolder + "/Data.Kel");
    payload[size_t(archive.Trailer().TableOffset) + 3] ^= 0x5A;  // no longer the table whose digest Setup.exe carries
    archive.CloseArchive();
    WriteFile(setupFolder + "/Data.Kel", payload);

    Launch({setupFolder + "/Setup.exe"});
    std::optional<TRect> box;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindShownWindow("Application Error")).has_value(); }, 90s))
        << "no error box; the program's output:\n" << ProgramOutput();
    SaveScreenshot("/tmp/e2e-wizard-start-error.png", *box);
    EXPECT_FALSE(FindShownWindow("SetupForm").has_value()) << "the wizard must not show";
    MoveMouse((box->Left + box->Right) / 2, box->Top + 8);
    RunDisplayTool("xdotool key Return");
    const std::optional<int> exitCode = Program().WaitForExit(30s);
    ASSERT_TRUE(exitCode.has_value()) << "Setup.exe still runs";
    EXPECT_EQ(*exitCode, 1);
    EXPECT_FALSE(platform::DirectoryExists(setupFolder + "/temp")) << "the working folder is left behind";
}

// Language=Auto speaks the user's interface language, Spanish and Polish
// here; "/LANG=" overrides the description. The question box tells which.
TEST_F(SetupWizardTest, AutoSpeaksTheInterfaceLanguageAndLangOverridesIt) {
    CheckPrerequisites(kSetupExe);
    if (HasFatalFailure()) return;
    MakeSetup("Auto");
    if (HasFatalFailure()) return;
    const struct {
        const char* Locale;
        std::vector<std::string> Arguments;
        const char* Caption;
        const char* Shot;
    } cases[] = {
        {"es_ES.UTF-8", {}, "Confirmaci.*", "wizard-auto-spanish-0-welcome"},
        {"pl_PL.UTF-8", {}, "Potwierdzenie", "wizard-auto-polish-0-welcome"},
        {"pl_PL.UTF-8", {"/LANG=Russian"}, "\xD0\x9F\xD0\xBE\xD0\xB4\xD1\x82\xD0\xB2.*", "wizard-lang-russian-0-welcome"},
    };
    for (const auto& c : cases) {
        // A server that Wine started in another locale would serve this start.
        EndWinePrograms();
        setenv("LC_ALL", c.Locale, 1);
        ShowWizard(c.Arguments);
        unsetenv("LC_ALL");
        if (HasFatalFailure()) return;
        SaveForm(c.Shot);
        CancelAnswering("Return", c.Caption);
        ExpectEndedWithoutWorkingFolder();
        if (HasFatalFailure()) return;
    }
    EndWinePrograms();
}
