// The wizard's start where the place beside it fails: the setup folder on a
// nearly full disk and on a read-only medium, and a link to a folder outside
// that turns up in the working folder. What the user sees and what is left
// on disk.
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "tests/e2e/SetupWizard.h"
#include "tests/e2e/TestMount.h"
#include "tests/e2e/WineSystem.h"

namespace {

// The sample setup moved onto a small file system of its own.
class SetupOnMedium : public SetupWizardTest {
protected:
    void TearDown() override {
        SetupWizardTest::TearDown();
        medium.reset();
    }

    void MakeSetupOnMedium() {
        CheckPrerequisites(kSetupExe);
        if (HasFatalFailure()) return;
        MakeSetup();
        if (HasFatalFailure()) return;
        const std::string made = setupFolder;
        const int64_t size = platform::FileSizeOf(made + "/Setup.exe") + platform::FileSizeOf(made + "/Data.Kel");
        medium = std::make_unique<TestMount>(platform::NativePath(Scratch() / "medium"), size + (1 << 20));
        ASSERT_TRUE(medium->Mounted()) << medium->Error();
        setupFolder = medium->Folder();
        for (const char* file : {"/Setup.exe", "/Data.Kel"})
            ASSERT_TRUE(platform::CopyFileTo(made + file, setupFolder + file, false));
    }

    // Waits for the error box of a failed start; its text. Return closes it,
    // and the program ends with exit code 1.
    std::string StartErrorText() {
        std::optional<TRect> box;
        if (!WaitUntil([&] { return (box = FindShownWindow("Application Error")).has_value(); }, 90s)) {
            ADD_FAILURE() << "no error box; the program's output:\n" << ProgramOutput();
            return "";
        }
        SaveScreenshot("/tmp/e2e-wizard-start-fault.png", *box);
        EXPECT_FALSE(FindShownWindow("SetupForm").has_value()) << "the wizard must not show";
        const std::string text = ShownBoxText("Application Error").value_or("(no box text)");
        MoveMouse((box->Left + box->Right) / 2, box->Top + 8);
        RunDisplayTool("xdotool key Return");
        const std::optional<int> exitCode = Program().WaitForExit(30s);
        EXPECT_EQ(exitCode, std::optional<int>(1));
        return text;
    }

    std::unique_ptr<TestMount> medium;
};

// The first of temp, tempx, tempxx ... that is not a folder in the Unix folder.
std::string FreeWorkFolderIn(const std::string& folder) {
    std::string work = folder + "/temp";
    while (platform::PathTaken(work)) work += "x";
    return work;
}

}  // namespace

TEST_F(SetupOnMedium, AFullDiskIsNamedAsSuchAndNoWorkingFolderIsLeft) {
    MakeSetupOnMedium();
    if (HasFatalFailure()) return;
    // Setup.ini fits, the skin's archive after it does not.
    ASSERT_TRUE(medium->LeaveFree(16 << 10));
    Launch({setupFolder + "/Setup.exe"});
    EXPECT_EQ(StartErrorText(), "Unable to write file " + WinePath(setupFolder) + "\\temp\\gfx.x (Disk full.)");
    EXPECT_FALSE(platform::DirectoryExists(setupFolder + "/temp")) << "the working folder is left behind";
}

TEST_F(SetupOnMedium, OnAReadOnlyMediumTheWorkingFolderIsMadeInTheTemporaryFolder) {
    MakeSetupOnMedium();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(medium->MakeReadOnly());
    const std::string work = FreeWorkFolderIn(UnixTempFolder());
    ShowWizard();
    if (HasFatalFailure()) return;
    EXPECT_TRUE(platform::FileExists(work + "/Setup.ini")) << work;
    EXPECT_TRUE(platform::FileExists(work + "/Graphics/Window.bmp")) << work;
    CancelAnswering("Return");
    ExpectEndedWithoutWorkingFolder();
    EXPECT_FALSE(platform::DirectoryExists(work)) << "the working folder in the temporary folder is left behind";
}

// Wine shows a Unix link to a folder as a folder that is a reparse point,
// but cannot remove such a link while its target holds files: there the
// removal stops and says so in a box. What matters is that nothing outside
// is touched. (Wine shows a link to a file as a plain file, and deleting it
// deletes its target, so that case cannot be tried under Wine.)
TEST_F(SetupWizardTest, ALinkInTheWorkingFolderIsNeverFollowed) {
    StartSetup("English");
    if (HasFatalFailure()) return;
    const std::string outside = platform::NativePath(Scratch() / "outside");
    const std::string link = setupFolder + "/temp/outside-link";
    ASSERT_TRUE(platform::CreateDir(outside));
    WriteFile(outside + "/keep.txt", "not the setup's");
    ASSERT_EQ(::symlink(outside.c_str(), link.c_str()), 0);

    CancelAnswering("Return");
    std::optional<TRect> box;
    WaitUntil([&] { return (box = FindShownWindow("Application Error")).has_value() || !Program().Running(); }, 30s);
    if (box) {
        MoveMouse((box->Left + box->Right) / 2, box->Top + 8);
        RunDisplayTool("xdotool key Return");
    }
    EXPECT_TRUE(Program().WaitForExit(30s).has_value()) << "Setup.exe still runs";
    EXPECT_EQ(ReadFile(outside + "/keep.txt"), "not the setup's");
    struct stat info {};
    EXPECT_TRUE(box || ::lstat(link.c_str(), &info) != 0) << "the link stays without a word";
}
