// A product with folders as a vendor ships it: the sample's files and more
// below folders of Files, all installed by "Addfile=*", by the wizard and
// silently, then removed by its uninstaller until nothing of it is left;
// and a long copy, during which the wizard repaints what was covered and
// takes no input.
#include <sstream>

#include "tests/e2e/BackgroundProgram.h"
#include "tests/e2e/SamplePlaces.h"
#include "tests/e2e/SampleProductTest.h"
#include "tests/e2e/SetupWizard.h"
#include "tests/e2e/WineSystem.h"

namespace {

const std::string kRunLog = "C:\\kel-tree-run.log";
// A few files in nested folders; the long copy adds many more.
const std::pair<const char*, const char*> kTreeFiles[] = {
    {"plugins\\codec.dll", "MZ codec"}, {"plugins\\de\\strings.txt", "Zeichen"}, {"docs\\guide.txt", "guide"}};

// The share of the image's pixels that are pure red, the colour of the cover.
double RedShare(const ScreenImage& image) {
    const TRect& area = image.Area();
    size_t red = 0;
    for (int32_t y = area.Top; y < area.Bottom; ++y)
        for (int32_t x = area.Left; x < area.Right; ++x) red += image.At(x, y) == 0xFF0000;
    return double(red) / double(area.Width() * area.Height());
}

class TreeInstall : public SampleProductTest {
protected:
    TreeInstall() : SampleProductTest(kRunLog) {}

    // The sample setup whose Files also hold the tree files and `many` small
    // files in 50 folders, every one installed by "Addfile=*".
    void MakeTreeSetup(int many) {
        const std::string more = platform::NativePath(Scratch() / "more");
        for (const auto& [name, bytes] : kTreeFiles) WriteMore(more, name, bytes);
        for (int i = 0; i < many; ++i)
            WriteMore(more, "many\\" + std::to_string(i % 50) + "\\f" + std::to_string(i) + ".txt", std::string(1000, 'x'));
        std::string ini = ReadFile(KEL_SOURCE_DIR "/samples/setup/Setup.ini");
        const size_t first = ini.find("Addfile="), last = ini.find("\r\n", ini.rfind("Addfile="));
        ini.replace(first, last - first, "Addfile=*");
        // Nothing is started: a running program, or one whose current folder
        // is the destination, keeps its files and folders from being removed.
        ini.replace(ini.find("LaunchProg=1"), 12, "LaunchProg=0");
        ini.replace(ini.find("ReadMe=ReadMe.txt"), 17, "ReadMe=");
        MakeSetupWith(ini, more);
    }

    static void WriteMore(const std::string& more, const std::string& name, const std::string& bytes) {
        const std::string path = more + "/" + name;
        ASSERT_TRUE(platform::ForceDirectories(path.substr(0, path.find_last_of('\\'))));
        WriteFile(path, bytes);
    }

    std::string Installed(const std::string& name) { return UnixPathOf(sample.Destination + "\\" + name); }
    std::string RunLog() { return ReadFile(UnixPathOfDriveC(kRunLog)); }

    void ExpectTreeInstalled() {
        for (const auto& [name, bytes] : kTreeFiles) EXPECT_EQ(ReadFile(Installed(name)), bytes) << name;
        EXPECT_TRUE(platform::FileExists(Installed("LarkNotes.exe")));
        const std::string d = sample.Destination, log = ReadFile(Installed("setup.log"));
        EXPECT_NE(log.find("COPYFILE=" + d + "\\plugins\\de\\strings.txt\r\nDIRECTORY=" + d + "\\plugins\\de\r\n"),
                  std::string::npos)
            << log;
    }

    // The product's uninstaller, silently: afterwards nothing of the product remains.
    void RemoveAndExpectNothingLeft() {
        Launch({sample.Destination + "\\uninstall.exe", "/S"});
        EXPECT_EQ(Program().WaitForExit(60s), 0);
        const auto gone = [&] { return !platform::DirectoryExists(UnixPathOf(sample.ProductRoot)); };
        EXPECT_TRUE(WaitUntil(gone, 10s)) << "left:\n" << RunProcess("find " + Quoted(UnixPathOf(sample.ProductRoot))).Out;
        for (const std::string& path : {sample.Group, sample.DesktopLink})
            EXPECT_FALSE(platform::FileExists(UnixPathOf(path)) || platform::DirectoryExists(UnixPathOf(path))) << path;
        EXPECT_EQ(RegistryValue32(kSampleUninstallKey, "DisplayName"), std::nullopt);
    }
};

}  // namespace

TEST_F(TreeInstall, InstalledByTheWizardAndSilentlyThenRemovedWithNothingLeft) {
    CheckPrerequisites(kSetupExe);
    MakeTreeSetup(0);
    if (HasFatalFailure()) return;
    ShowWizard();
    WalkToTheFolderPage("tree");
    if (HasFatalFailure()) return;
    Click("Next");
    PageImage finish;
    ASSERT_TRUE(NewPage({folderPage}, finish));
    Click("Next");
    ExpectEndedWithoutWorkingFolder();
    ExpectTreeInstalled();
    RemoveAndExpectNothingLeft();

    Launch({setupFolder + "/Setup.exe", "/S", "/LOG=" + kRunLog});
    ASSERT_EQ(Program().WaitForExit(120s), 0) << RunLog();
    ExpectTreeInstalled();
    EXPECT_NE(RunLog().find("Created folder " + sample.Destination + "\\plugins\\de\r\n"), std::string::npos) << RunLog();
    RemoveAndExpectNothingLeft();
}

// A red window covers the text area while thousands of files are copied
// and goes again: the wizard paints the area anew at once, with the copy
// page on it, while the copy goes on.
TEST_F(TreeInstall, ALongCopyRepaintsWhatWasUncoveredWhileItGoesOn) {
    CheckPrerequisites(kSetupExe);
    MakeTreeSetup(4000);
    if (HasFatalFailure()) return;
    ShowWizard({"/LOG=" + kRunLog});
    WalkToTheFolderPage("tree-long");
    if (HasFatalFailure()) return;
    Click("Next");
    ASSERT_TRUE(WaitUntil([&] { return RunLog().find("\r\nCopied ") != std::string::npos; }, 60s, 20ms));
    const PageImage copying = Page();
    const TRect area{Form().Left + kTextArea.Left, Form().Top + kTextArea.Top, Form().Left + kTextArea.Right,
                     Form().Top + kTextArea.Bottom};
    {
        const std::string geometry = std::to_string(area.Width()) + "x" + std::to_string(area.Height()) + "+" +
                                     std::to_string(area.Left) + "+" + std::to_string(area.Top);
        BackgroundProgram cover({"xmessage", "-geometry", geometry, "-bg", "red", "-fg", "red", "-bw", "0", "-buttons",
                                 "", " "},
                                platform::NativePath(Scratch() / "cover.txt"));
        ASSERT_TRUE(WaitUntil([&] { return RedShare(GrabScreen(area)) > 0.9; }, 10s)) << "the cover did not show";
    }
    double red = 1;
    EXPECT_TRUE(WaitUntil([&] { return (red = RedShare(GrabScreen(area))) < 0.001; }, 1s, 50ms))
        << red * 100 << "% of the text area still shows the cover";
    const PageImage uncovered = Page();
    const std::string last = "Copied " + sample.Destination + "\\uninstall.exe\r\n";
    EXPECT_EQ(RunLog().find(last), std::string::npos) << "the copy ended before the window was uncovered";
    SaveScreenshot("/tmp/e2e-tree-copy-uncovered.png",
                   TRect{Form().Left - 20, Form().Top - 20, Form().Right + 20, Form().Bottom + 20});
    EXPECT_LT(Difference(uncovered, copying), 0.05) << "the copy page, with another file's name and a longer bar";

    ASSERT_TRUE(WaitUntil([&] { return RunLog().find(last) != std::string::npos; }, 120s, 200ms));
    PageImage finish;
    ASSERT_TRUE(NewPage({folderPage, copying}, finish));
    Click("Next");
    ExpectEndedWithoutWorkingFolder();
}

// The close key and a click on Next given while the files are copied do
// nothing, then or later: the Finish page stays, with its options, until
// Next is clicked on it.
TEST_F(TreeInstall, InputGivenDuringTheCopyIsNotReplayedOnTheFinishPage) {
    CheckPrerequisites(kSetupExe);
    MakeTreeSetup(2000);
    if (HasFatalFailure()) return;
    ShowWizard({"/LOG=" + kRunLog});
    WalkToTheFolderPage("tree-input");
    if (HasFatalFailure()) return;
    Click("Next");
    ASSERT_TRUE(WaitUntil([&] { return RunLog().find("\r\nCopied ") != std::string::npos; }, 60s, 20ms));
    const PageImage copying = Page();
    // In one go, as the copy is short: the close key with the pointer over
    // the wizard, where the keys go without a window manager, and a click
    // on Next. Wine reads them while the copy goes on.
    const ScreenPoint over = OnForm(100, 100), next = ButtonMiddle("Next");
    RunDisplayTool("xdotool mousemove " + std::to_string(over.X) + " " + std::to_string(over.Y) +
                   " key alt+F4 mousemove " + std::to_string(next.X) + " " + std::to_string(next.Y) +
                   " click 1 mousemove 1 1");
    Pause(500ms);
    const std::string last = "Copied " + sample.Destination + "\\uninstall.exe\r\n";
    ASSERT_EQ(RunLog().find(last), std::string::npos) << "the copy ended before the input was given";

    ASSERT_TRUE(WaitUntil([&] { return RunLog().find(last) != std::string::npos; }, 120s, 50ms));
    PageImage finish;
    ASSERT_TRUE(NewPage({folderPage, copying}, finish));
    Pause(1s);  // fully painted
    finish = Page();
    SaveForm("tree-input-5-finish");
    Pause(2s);
    EXPECT_TRUE(Program().Running()) << "the wizard ended after the copy";
    EXPECT_TRUE(SamePage(finish));
    EXPECT_EQ(RunLog().find("\r\nInstalled\r\n"), std::string::npos) << "the installation was completed";
    Click("Next");
    ExpectEndedWithoutWorkingFolder();
    EXPECT_NE(RunLog().find("\r\nCreated shortcut " + sample.DesktopLink + "\r\n"), std::string::npos)
        << "the desktop option was lost";
}
