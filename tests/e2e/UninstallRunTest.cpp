// The uninstaller as a user and an administrator's script run it under
// Wine: a product laid out as the setup leaves it (its files, a folder made
// above the destination, the program folder with its shortcuts, a desktop
// shortcut, setup.log and the uninstall entry) is removed with the real
// mouse in English and in German, and with /S without any window. When the
// uninstaller has ended, nothing of the product is left but a file the user
// added, with the folders that hold it; only the uninstaller's copy stays in
// the temporary folder.
#include <cstdlib>
#include <set>
#include <sstream>

#include "platform/FileSystem.h"
#include "tests/e2e/DisplayTool.h"
#include "tests/e2e/Poll.h"
#include "tests/e2e/SamplePlaces.h"
#include "tests/e2e/ScreenGrab.h"
#include "tests/e2e/SkinnedWindowTest.h"
#include "tests/e2e/WindowFinder.h"
#include "tests/e2e/WineSystem.h"
#include "tests/support/RunProcess.h"

namespace {

const std::string& kTitle = kSampleTitle;
const std::string& kUninstallKey = kSampleUninstallKey;
const std::string kUninstallExe = std::string(KEL_WIN32_BUILD_DIR) + "/uninstall/uninstall.exe";

// The uninstaller's boxes, as X shows them without a window manager: the
// client area, with the buttons (75 x 23, 6 apart) centred 12 pixels above
// its foot.
ScreenPoint YesButtonOf(const TRect& box) { return {(box.Left + box.Right) / 2 - 41, box.Bottom - 23}; }
ScreenPoint OkButtonOf(const TRect& box) { return {(box.Left + box.Right) / 2, box.Bottom - 23}; }
// A box of one line beside its icon.
constexpr int32_t kOneLineBoxHeight = 91;

std::set<std::string> Lines(const std::string& text) {
    std::istringstream lines(text);
    std::set<std::string> found;
    for (std::string line; std::getline(lines, line);) found.insert(line);
    return found;
}

// The X windows shown now.
std::set<std::string> ShownWindows() { return Lines(RunProcess("xdotool search --onlyvisible --name .").Out); }

// The uninstaller copies' folders in the temporary folders of the prefix's users.
std::set<std::string> TempCopies() {
    return Lines(RunProcess("ls -1d " + Quoted(UnixPathOfDriveC("C:\\users")) + "/*/Temp/Uninstall-* 2>/dev/null").Out);
}

// The names in a folder, "." and ".." left out.
std::set<std::string> EntriesOf(const std::string& folder) {
    return Lines(RunProcess("ls -1A " + Quoted(folder)).Out);
}

class UninstallRun : public SkinnedWindowTest {
protected:
    SamplePlaces sample;
    const std::string &parent = sample.ProductRoot, &destination = sample.Destination, &group = sample.Group,
                      &desktopLink = sample.DesktopLink;
    std::set<std::string> copiesBefore;

    void SetUp() override {
        CheckPrerequisites(kUninstallExe);
        if (HasFatalFailure()) return;
        sample = SamplePlacesInThePrefix();
        RemoveProduct();
        copiesBefore = TempCopies();
        LayOutProduct();
    }

    void TearDown() override {
        SkinnedWindowTest::TearDown();
        unsetenv("LC_ALL");
        EndWinePrograms();
        RemoveProduct();
        for (const std::string& copy : TempCopies())
            if (!copiesBefore.count(copy)) RunProcess("rm -rf " + Quoted(copy));
    }

    std::string Unix(const std::string& windowsPath) const { return UnixPathOfDriveC(windowsPath); }

    void RemoveProduct() {
        if (!parent.empty()) RemoveSample(sample);  // empty: the prerequisites were missing
    }

    // What the setup leaves, and its log, newest first.
    void LayOutProduct() {
        ASSERT_TRUE(platform::ForceDirectories(Unix(destination + "\\Graphics")));
        ASSERT_TRUE(platform::ForceDirectories(Unix(group)));
        ASSERT_TRUE(platform::ForceDirectories(Unix(desktopLink.substr(0, desktopLink.rfind('\\')))));
        std::string log = "SetupLOG\r\nNAME=" + kTitle + "\r\nKEY=" + kTitle + "\r\n";
        for (const std::string& link : {desktopLink, group + "\\Uninstall.lnk", group + "\\" + kTitle + ".lnk"}) {
            WriteFile(Unix(link), "L");
            log += "LINK=" + link + "\r\n";
        }
        log += "DIRECTORY=" + group + "\r\n";
        ASSERT_TRUE(platform::CopyFileTo(kUninstallExe, Unix(destination + "\\uninstall.exe"), false));
        log += "COPYFILE=" + destination + "\\uninstall.exe\r\n";
        for (const char* file : {"Licence.txt", "ReadMe.txt"}) {
            WriteFile(Unix(destination + "\\" + file), file);
            log += "COPYFILE=" + destination + "\\" + file + "\r\n";
        }
        log += "DIRECTORY=" + destination + "\\Graphics\r\nDIRECTORY=" + destination + "\r\nDIRECTORY=" + parent + "\r\n";
        WriteFile(Unix(destination + "\\setup.log"), log);
        SetRegistryValue32(kUninstallKey, "DisplayName", kTitle);
        SetRegistryValue32(kUninstallKey, "UninstallString", destination + "\\Uninstall.exe");
        ASSERT_EQ(RegistryValue32(kUninstallKey, "DisplayName"), kTitle);
    }

    void StartUninstaller(const std::vector<std::string>& arguments, const char* locale = "en_US.UTF-8") {
        setenv("LC_ALL", locale, 1);
        std::vector<std::string> command{destination + "\\uninstall.exe"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        Launch(command);
    }

    // The shortcuts, the program folder and the entry are gone, and the
    // uninstaller leaves only its copy in the temporary folder.
    void ExpectRemovedButTheFolders() {
        for (const std::string& path : {group, desktopLink}) EXPECT_FALSE(platform::FileExists(Unix(path))) << path;
        EXPECT_FALSE(platform::DirectoryExists(Unix(group)));
        EXPECT_EQ(RegistryValue32(kUninstallKey, "DisplayName"), std::nullopt) << "the uninstall entry is left";
        std::set<std::string> copies = TempCopies();
        for (const std::string& copy : copiesBefore) copies.erase(copy);
        EXPECT_EQ(copies.size(), 1u) << "one copy of the uninstaller, left for the restart";
    }

    // Presses the box's button: with the mouse, or with the keys over the box.
    void Answer(const TRect& box, ScreenPoint button, const char* keys) {
        if (keys) {
            MoveMouse((box.Left + box.Right) / 2, box.Top + 8);  // the keys go to the window under the pointer
            RunDisplayTool(std::string("xdotool key --delay 150 ") + keys);
        } else {
            ClickAt(button);
        }
        MoveMouse(1, 1);
    }

    // Asks, answers Yes with the mouse, and closes the summary with it; or
    // with the keys given for the question and for the summary.
    void RemoveByMouse(const char* locale, const std::string& caption, const char* questionKeys = nullptr,
                       const char* summaryKeys = nullptr) {
        WriteFile(Unix(destination + "\\Notes.txt"), "My notes.");
        StartUninstaller({}, locale);
        std::optional<TRect> question, summary;
        ASSERT_TRUE(WaitUntil([&] { return (question = FindShownWindow(caption)).has_value(); }, 90s))
            << "no question box titled " << caption << "; the program's output:\n" << ProgramOutput();
        SaveScreenshot("/tmp/e2e-uninstall-" + std::string(locale) + "-question.png", *question);
        EXPECT_TRUE(platform::FileExists(Unix(destination + "\\ReadMe.txt"))) << "removed before the answer";
        Answer(*question, YesButtonOf(*question), questionKeys);
        const std::optional<int> exitCode = Program().WaitForExit(30s);
        ASSERT_TRUE(exitCode.has_value()) << "the uninstaller still runs";
        EXPECT_EQ(*exitCode, 0);
        ASSERT_TRUE(WaitUntil([&] { return (summary = FindShownWindow(caption)).has_value(); }, 30s)) << "no summary";
        SaveScreenshot("/tmp/e2e-uninstall-" + std::string(locale) + "-summary.png", *summary);
        EXPECT_GT(summary->Height(), kOneLineBoxHeight) << "the summary lists the folders that stayed";
        Answer(*summary, OkButtonOf(*summary), summaryKeys);
        EXPECT_TRUE(WaitUntil([&] { return !FindShownWindow(caption).has_value(); }, 10s)) << "the summary stays";

        ExpectRemovedButTheFolders();
        EXPECT_EQ(EntriesOf(Unix(destination)), std::set<std::string>{"Notes.txt"});
        EXPECT_EQ(EntriesOf(Unix(parent)), std::set<std::string>{"Notes"});
        EXPECT_EQ(ReadFile(Unix(destination + "\\Notes.txt")), "My notes.");
    }
};

}  // namespace

TEST_F(UninstallRun, RemovesByMouseInEnglishAndKeepsTheUsersFileWithItsFolders) {
    RemoveByMouse("en_US.UTF-8", "Uninstall " + kTitle);
}

// Tab moves to No and round to Yes, which Enter presses; Space closes the summary.
TEST_F(UninstallRun, RemovesByKeyboardAloneAndKeepsTheUsersFileWithItsFolders) {
    RemoveByMouse("en_US.UTF-8", "Uninstall " + kTitle, "Tab Tab Return", "space");
}

TEST_F(UninstallRun, RemovesByMouseInGermanAndKeepsTheUsersFileWithItsFolders) {
    RemoveByMouse("de_DE.UTF-8", kTitle + " deinstallieren");
}

// An installation made in French, as its entry records: the uninstaller asks
// and sums up in French under an English interface.
TEST_F(UninstallRun, SpeaksTheInstallationsLanguageUnderAnEnglishInterface) {
    SetRegistryValue32(kUninstallKey, "SetupLanguage", "French");
    RemoveByMouse("en_US.UTF-8", "D\xC3\xA9sinstaller " + kTitle);
}

TEST_F(UninstallRun, SilentlyRefusesAnUnknownArgumentThenRemovesEverythingWithoutAnyWindow) {
    const std::set<std::string> windowsBefore = ShownWindows();
    std::set<std::string> windowsSeen;
    const auto runs = [&] {
        for (const std::string& window : ShownWindows())
            if (!windowsBefore.count(window)) windowsSeen.insert(window);
        return Program().Running();
    };
    StartUninstaller({"/S", "/Quiet"});
    ASSERT_TRUE(WaitUntil([&] { return !runs(); }, 90s)) << "the uninstaller still runs";
    EXPECT_EQ(Program().WaitForExit(0s), 2);
    EXPECT_TRUE(platform::FileExists(Unix(destination + "\\setup.log"))) << "removed despite the unknown argument";

    StartUninstaller({"/S"});
    ASSERT_TRUE(WaitUntil([&] { return !runs(); }, 90s)) << "the uninstaller still runs";
    EXPECT_EQ(Program().WaitForExit(0s), 0);
    EXPECT_TRUE(WaitUntil([&] { return (runs(), !platform::DirectoryExists(Unix(parent))); }, 10s))
        << "the uninstaller's folder is left after it ended";
    ExpectRemovedButTheFolders();
    EXPECT_EQ(windowsSeen, std::set<std::string>{}) << "a window was shown";
}
