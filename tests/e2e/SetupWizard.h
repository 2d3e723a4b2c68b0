#pragma once
// The wizard under test: the sample setup made by kelpack in a scratch
// folder, Setup.exe started beside it under Wine, its pages told apart by
// what the text area shows, and its buttons clicked with the real mouse.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/posix/NativePath.h"
#include "tests/e2e/DisplayTool.h"
#include "tests/e2e/Poll.h"
#include "tests/e2e/ScreenGrab.h"
#include "tests/e2e/SkinnedWindowTest.h"
#include "tests/e2e/WinePath.h"
#include "tests/e2e/WindowFinder.h"
#include "tests/support/RunProcess.h"
#include "tests/support/ScratchFolder.h"

inline const std::string kSetupExe = std::string(KEL_WIN32_BUILD_DIR) + "/app/Setup.exe";
// The text area of the sample skin's window and the licence tick box in it.
constexpr TRect kTextArea{190, 40, 590, 360};
constexpr int32_t kLicenceCheckX = 208, kLicenceCheckY = 324;
// The Browse button of the destination page.
constexpr int32_t kBrowseX = 532, kBrowseY = 291;

using PageImage = std::vector<ScreenColor>;

// The question box's caption in English and German, as a pattern of the whole window name.
inline const std::string kQuestionCaptions = "(Confirmation|Best.*tigung)";

// The share of pixels in which two images of the text area differ.
inline double Difference(const PageImage& a, const PageImage& b) {
    size_t differing = 0;
    for (size_t i = 0; i < a.size(); ++i) differing += a[i] != b[i];
    return double(differing) / double(a.size());
}

// Another page shows at least this much change; the same page (with a
// focus frame or a caret perhaps) at most this much.
constexpr double kOtherPage = 0.02, kSamePage = 0.005;

class SetupWizardTest : public SkinnedWindowTest {
protected:
    std::string setupFolder;

    // Makes the sample setup in setupFolder, in the given language.
    void MakeSetup(const std::string& language = "English") {
        std::string ini = ReadFile(KEL_SOURCE_DIR "/samples/setup/Setup.ini");
        const std::string english = "Language=English";
        ini.replace(ini.find(english), english.size(), "Language=" + language);
        MakeSetupWith(ini);
    }

    // Makes the sample setup in setupFolder with the description given, and
    // the product's files completed with what the Unix folder `more` holds.
    void MakeSetupWith(const std::string& ini, const std::string& more = "") {
        setupFolder = platform::NativePath(Scratch() / "CD");
        const std::string iniFile = platform::NativePath(Scratch() / "Setup.ini");
        WriteFile(iniFile, ini);
        std::string command = "bash " + Quoted(KEL_SOURCE_DIR "/scripts/make-sample-setup.sh") + " " +
                              Quoted(KEL_KELPACK) + " " + Quoted(setupFolder) + " " +
                              Quoted(iniFile);
        if (!more.empty()) command.append(" ").append(Quoted(more));
        const ProcessResult made = RunProcess(command);
        ASSERT_EQ(made.ExitCode, 0) << made.Out << made.Err;
    }

    // Makes the sample setup (in the given language) and starts it.
    void StartSetup(const std::string& language) {
        CheckPrerequisites(kSetupExe);
        if (HasFatalFailure()) return;
        MakeSetup(language);
        if (HasFatalFailure()) return;
        ShowWizard();
    }

    // Starts the setup in setupFolder and waits for its Welcome page.
    void ShowWizard(const std::vector<std::string>& arguments = {}) {
        std::vector<std::string> command{setupFolder + "/Setup.exe"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        Launch(command);
        FindForm("SetupForm", 620, 440);
        if (HasFatalFailure()) return;
        ASSERT_TRUE(ButtonShows("Back", ButtonState::Disabled));
        ASSERT_TRUE(ButtonShows("Next", ButtonState::Normal));
        ASSERT_TRUE(ButtonShows("Cancel", ButtonState::Normal));
        Pause(500ms);  // the first paint of the text area
    }

    // From the Welcome page to the Destination page, with the licence
    // accepted; a screenshot of each page, named from `shots`. The pages
    // seen are kept in `walked`, in their order.
    void WalkToTheDestinationPage(const std::string& shots) {
        PageImage welcome = Page(), licence, destinationPage;
        SaveForm(shots + "-0-welcome");
        Click("Next");
        ASSERT_TRUE(NewPage({welcome}, licence));
        ClickAt(OnForm(kLicenceCheckX, kLicenceCheckY));
        ASSERT_TRUE(ButtonShows("Next", ButtonState::Normal));
        SaveForm(shots + "-1-licence");
        Click("Next");
        ASSERT_TRUE(NewPage({welcome, licence}, destinationPage));
        SaveForm(shots + "-2-destination");
        walked = {welcome, licence, destinationPage};
    }

    // On to the Program folder page. With openChooser, Browse on the
    // destination page opens the folder chooser, which `choose` (given its
    // place on the screen) closes, or else the close key, before Next.
    void WalkToTheFolderPage(const std::string& shots, bool openChooser = false,
                             const std::function<void(const TRect&)>& choose = {}) {
        WalkToTheDestinationPage(shots);
        if (HasFatalFailure()) return;
        if (openChooser) {
            std::optional<TRect> chooser;
            const auto chooserShown = [&] { return (chooser = FindShownWindow("Choose Folder")).has_value(); };
            ClickAt(OnForm(kBrowseX, kBrowseY));
            ASSERT_TRUE(WaitUntil(chooserShown, std::chrono::seconds(20))) << "no folder chooser";
            if (choose) choose(*chooser);
            else RunDisplayTool("xdotool key alt+F4");
            ASSERT_TRUE(WaitUntil([&] { return !chooserShown(); }, std::chrono::seconds(20))) << "the folder chooser stays";
        }
        Click("Next");
        ASSERT_TRUE(NewPage(walked, folderPage));
        SaveForm(shots + "-3-folder");
    }

    std::vector<PageImage> walked;  // Welcome, Licence and Destination, as the walk found them
    PageImage folderPage;           // likewise

    PageImage Page() const {
        const TRect area{Form().Left + kTextArea.Left, Form().Top + kTextArea.Top, Form().Left + kTextArea.Right,
                         Form().Top + kTextArea.Bottom};
        const ScreenImage image = GrabScreen(area);
        PageImage pixels;
        for (int32_t y = area.Top; y < area.Bottom; ++y)
            for (int32_t x = area.Left; x < area.Right; ++x) pixels.push_back(image.At(x, y));
        return pixels;
    }

    // Waits until the text area shows a page other than each of `others`.
    testing::AssertionResult NewPage(const std::vector<PageImage>& others, PageImage& shown) const {
        auto isNew = [&] {
            shown = Page();
            for (const PageImage& other : others)
                if (Difference(shown, other) < kOtherPage) return false;
            return true;
        };
        if (WaitUntil(isNew, 3s, 100ms)) return testing::AssertionSuccess();
        return testing::AssertionFailure() << "the text area shows no new page";
    }

    testing::AssertionResult SamePage(const PageImage& expected) const {
        double difference = 1;
        if (WaitUntil([&] { return (difference = Difference(Page(), expected)) <= kSamePage; }, 3s, 100ms))
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "the text area differs in " << difference * 100 << "% of its pixels";
    }

    void Click(const std::string& role) {
        ClickAt(ButtonMiddle(role));
        MoveMouse(1, 1);
    }

    // Cancel, then the answer by keyboard: Escape answers No, Enter Yes.
    // The question box's caption is the wizard's language's (a pattern).
    void CancelAnswering(const char* key, const std::string& caption = kQuestionCaptions) {
        Click("Cancel");
        AnswerQuestion(key, caption);
    }

    // The window's close key, Alt+F4, with the mouse over the wizard.
    void PressCloseKey() {
        MoveTo(OnForm(100, 100));
        RunDisplayTool("xdotool key alt+F4");
    }

    // Keys as xdotool names them ("Tab", "alt+b", "shift+Tab"), pressed over
    // the wizard: without a window manager the keys go to the window under
    // the pointer, here a spot of the form away from its buttons.
    void PressKeys(const std::string& keys) {
        MoveTo(OnForm(100, 100));
        RunDisplayTool("xdotool key --delay 150 " + keys);
        Pause(300ms);
    }

    // The button's whole picture on the screen.
    ScreenImage ButtonImage(const std::string& role) const {
        const ScreenPoint corner = OnButton(role, 0, 0), end = OnButton(role, 96, 34);
        return GrabScreen(TRect{corner.X, corner.Y, end.X, end.Y});
    }

    // Answers the question box that must be showing by keyboard.
    void AnswerQuestion(const char* key, const std::string& caption = kQuestionCaptions) {
        std::optional<TRect> box;
        ASSERT_TRUE(WaitUntil([&] { return (box = FindShownWindow(caption)).has_value(); }, 5s))
            << "no question box titled " << caption;
        SaveScreenshot("/tmp/e2e-wizard-question.png", *box);
        // Without a window manager the keys go to the window under the pointer.
        MoveMouse((box->Left + box->Right) / 2, box->Top + 8);
        RunDisplayTool(std::string("xdotool key ") + key);
        MoveMouse(1, 1);
        ASSERT_TRUE(WaitUntil([&] { return !FindShownWindow(caption).has_value(); }, 5s));
    }

    void ExpectEndedWithoutWorkingFolder() {
        const std::optional<int> exitCode = Program().WaitForExit(30s);
        ASSERT_TRUE(exitCode.has_value()) << "Setup.exe still runs";
        EXPECT_EQ(*exitCode, 0);
        EXPECT_FALSE(platform::DirectoryExists(setupFolder + "/temp")) << "the working folder is left behind";
        EXPECT_TRUE(platform::FileExists(setupFolder + "/Data.Kel"));
    }

    // Runs the program with /S and the arguments, and waits for its end.
    std::optional<int> RunSilently(const std::string& program, std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {program, "/S"});
        Launch(arguments);
        WaitUntil([&] { return !Program().Running(); }, 120s);
        return Program().WaitForExit(1s);
    }
};

