// A destination on a drive too small for the product, a tmpfs of 2 MB
// given to Wine as drive X:: "/S" changes nothing and ends with 1, its log
// telling what was needed and what was free, and the wizard keeps the user
// on the Destination page with a box that says how much is missing.
#include <memory>
#include <regex>

#include "tests/e2e/SamplePlaces.h"
#include "tests/e2e/SetupWizard.h"
#include "tests/e2e/TestMount.h"
#include "tests/e2e/WineSystem.h"

namespace {

const std::string kRunLog = "C:\\kel-disk-space.log";
const std::string kDestination = "X:\\Lark Product";
constexpr int64_t kDriveBytes = 2 << 20;
constexpr int64_t kLargeFileBytes = 3 << 20;

class SmallDrive : public SetupWizardTest {
protected:
    // The sample product with a file larger than the drive.
    void SetUp() override {
        EndWinePrograms();  // a running Wine would not know the new drive
        drive = std::make_unique<TestMount>(platform::NativePath(driveScratch / "drive"), kDriveBytes);
        ASSERT_TRUE(drive->Mounted()) << drive->Error();
        ASSERT_TRUE(MapDrive("x:", drive->Folder()));
        CheckPrerequisites(kSetupExe);
        if (HasFatalFailure()) return;
        const std::string more = platform::NativePath(driveScratch / "more");
        ASSERT_TRUE(platform::CreateDir(more));
        WriteFile(more + "/Large.bin", std::string(kLargeFileBytes, 'L'));
        std::string ini = ReadFile(KEL_SOURCE_DIR "/samples/setup/Setup.ini");
        const std::string last = "Addfile=First-note.txt\r\n";
        ini.insert(ini.find(last) + last.size(), "Addfile=Large.bin\r\n");
        MakeSetupWith(ini, more);
    }
    // Wine's drive list is made when Wine starts: the drive goes before the next start.
    void TearDown() override {
        SetupWizardTest::TearDown();
        UnmapDrive("x:");
        EndWinePrograms();
        drive.reset();
        platform::RemoveFile(UnixPathOfDriveC(kRunLog));
    }

    void ExpectNothingChanged() {
        EXPECT_EQ(RunProcess("ls -A " + Quoted(drive->Folder())).Out, "") << "written on the drive";
        EXPECT_EQ(RegistryValue32(kSampleUninstallKey, "DisplayName"), std::nullopt);
    }

    ScratchFolder driveScratch;
    std::unique_ptr<TestMount> drive;
};

}  // namespace

TEST_F(SmallDrive, ASilentInstallationChangesNothingAndLogsWhatIsNeededAndWhatIsFree) {
    EXPECT_EQ(RunSilently(setupFolder + "/Setup.exe", {"/LOG=" + kRunLog, "/D=" + kDestination}), 1);
    const std::string log = ReadFile(UnixPathOfDriveC(kRunLog));
    EXPECT_TRUE(std::regex_search(log, std::regex("Error: Not enough space on the drive of X:\\\\Lark Product: "
                                                  "3\\.[0-9] MB needed, 2 MB free, 1\\.[0-9] MB missing\r\n")))
        << log;
    EXPECT_TRUE(log.ends_with("Not installed: nothing was changed\r\n")) << log;
    EXPECT_FALSE(platform::DirectoryExists(setupFolder + "/temp")) << "the working folder is left behind";
    ExpectNothingChanged();
}

TEST_F(SmallDrive, TheWizardStaysOnTheDestinationPageAndSaysHowMuchIsMissing) {
    ShowWizard({"/D=" + kDestination});
    if (HasFatalFailure()) return;
    WalkToTheDestinationPage("space");
    if (HasFatalFailure()) return;
    Click("Next");
    std::optional<TRect> box;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindShownWindow(kSampleTitle)).has_value(); }, 30s)) << "no box";
    SaveScreenshot("/tmp/e2e-space-box.png", *box);
    const std::string text = ShownBoxText(kSampleTitle).value_or("(no box text)");
    const std::regex told("It needs 3\\.[0-9] MB, but only 2 MB is available: 1\\.[0-9] MB is missing");
    EXPECT_TRUE(std::regex_search(text, told)) << text;
    MoveMouse((box->Left + box->Right) / 2, box->Top + 8);
    RunDisplayTool("xdotool key Return");
    ASSERT_TRUE(WaitUntil([&] { return !FindShownWindow(kSampleTitle).has_value(); }, 10s)) << "the box stays";
    EXPECT_TRUE(SamePage(walked.back())) << "Next stays on the Destination page";
    CancelAnswering("Return");
    ExpectEndedWithoutWorkingFolder();
    ExpectNothingChanged();
}
