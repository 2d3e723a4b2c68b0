// A second version of the sample product over the first under Wine, as a
// vendor ships it: version 1.0 carries a file that 2.0 dropped, and 2.0 a
// ReadMe of its own. The upgrade goes where 1.0 lies, removes the dropped
// file but not the user's, and leaves one log and one entry that a removal
// empties completely; the same version again repairs; an older version
// asks, or refuses without a window; a file in use is replaced at the next
// start of Wine.
#include <filesystem>

#include "platform/posix/NativePath.h"
#include "tests/e2e/BackgroundProgram.h"
#include "tests/e2e/SampleProductTest.h"

namespace {

const std::string kRunLog = "C:\\kel-upgrade-run.log";
const std::string kRoot = "C:\\Kel Upgrade";
const std::string kPlace = kRoot + "\\Lark";  // where version 1.0 is installed, not the proposed destination
const std::string kDroppedFile = "Old-tips.txt";
const std::string kUsersFile = "My note.txt";
const std::string kReadMe2 = "Version 2.0 of the ReadMe\r\n";
// 3010 as a Unix exit status, which keeps the low byte only.
constexpr int kNewerInstalled = 4, kRestartRequired = 3010 & 0xFF;

class Upgrade : public SampleProductTest {
protected:
    Upgrade() : SampleProductTest(kRunLog) {}

    std::string version1, version2;  // the setups' programs

    void SetUp() override {
        SampleProductTest::SetUp();
        RemoveSample(sample, kRoot);
        CheckPrerequisites(kSetupExe);
        if (HasFatalFailure()) return;
        version1 = MakeVersion("1.0", kDroppedFile, "Tips of version 1.0\r\n");
        version2 = MakeVersion("2.0", "ReadMe.txt", kReadMe2);
    }
    void TearDown() override {
        holder.reset();
        SampleProductTest::TearDown();
        RemoveSample(sample, kRoot);
    }

    // The sample setup at the version, with one more (or another) file; its program.
    std::string MakeVersion(const std::string& version, const std::string& file, const std::string& bytes) {
        std::string ini = ReadFile(KEL_SOURCE_DIR "/samples/setup/Setup.ini");
        ini.replace(ini.find("Version=1.0"), 11, "Version=" + version);
        if (ini.find("Addfile=" + file) == std::string::npos)
            ini.insert(ini.find("Addfile=First-note.txt"), "Addfile=" + file + "\r\n");
        const std::string more = platform::NativePath(Scratch() / ("more-" + version));
        std::filesystem::create_directories(more);
        WriteFile(more + "/" + file, bytes);
        MakeSetupWith(ini, more);
        const std::string folder = platform::NativePath(Scratch() / ("setup-" + version));
        std::filesystem::rename(setupFolder, folder);
        return folder + "/Setup.exe";
    }

    std::optional<int> Install(const std::string& program, std::vector<std::string> arguments = {}) {
        arguments.insert(arguments.begin(), "/LOG=" + kRunLog);
        return RunSilently(program, arguments);
    }

    std::string At(const std::string& name) const { return UnixPathOf(kPlace + "\\" + name); }
    std::string RunLog() const { return ReadFile(UnixPathOfDriveC(kRunLog)); }
    std::optional<std::string> EntryValue(const std::string& name) const {
        return RegistryValue32(sample.UninstallKey, name);
    }

    // Version 1.0 in its own place, with a file of the user's beside it.
    void InstallVersion1() {
        ASSERT_EQ(Install(version1, {"/D=" + kPlace}), 0) << RunLog();
        ASSERT_TRUE(platform::FileExists(At(kDroppedFile)));
        WriteFile(At(kUsersFile), "mine");
    }

    // Version 2.0 where 1.0 was: its files, the dropped one gone, the
    // user's kept, nothing at the proposed destination, and its entry.
    void ExpectVersion2InPlace() {
        EXPECT_EQ(ReadFile(At("ReadMe.txt")), kReadMe2);
        EXPECT_FALSE(platform::FileExists(At(kDroppedFile))) << "the file version 2.0 dropped stays";
        EXPECT_EQ(ReadFile(At(kUsersFile)), "mine");
        EXPECT_FALSE(platform::DirectoryExists(UnixPathOf(sample.Destination))) << "installed a second time";
        EXPECT_EQ(EntryValue("DisplayVersion"), "2.0");
        EXPECT_EQ(EntryValue("InstallLocation"), kPlace);
        EXPECT_EQ(EntryValue("UninstallString"), "\"" + kPlace + "\\uninstall.exe\"");
        const std::string log = ReadFile(At("setup.log"));
        EXPECT_EQ(log.find(kDroppedFile), std::string::npos) << log;
        // The program folder that version 1.0 made is the product's still.
        EXPECT_NE(log.find("DIRECTORY=" + sample.Group + "\r\n"), std::string::npos) << log;
    }

    // The uninstaller leaves the user's file alone, in the folders that hold it.
    void ExpectRemovalLeavesOnlyTheUsersFile() {
        ASSERT_EQ(RunSilently(kPlace + "\\uninstall.exe", {}), 0);
        const auto onlyUsersFile = [&] {
            return RunProcess("ls -1A " + Quoted(UnixPathOf(kPlace))).Out == kUsersFile + "\n";
        };
        EXPECT_TRUE(WaitUntil(onlyUsersFile, 20s)) << RunProcess("ls -1AR " + Quoted(UnixPathOf(kRoot))).Out;
        EXPECT_FALSE(platform::DirectoryExists(UnixPathOf(sample.Group))) << "the program folder stays";
        EXPECT_FALSE(platform::FileExists(UnixPathOf(sample.DesktopLink)));
        EXPECT_FALSE(EntryValue("DisplayName").has_value()) << "the entry stays";
    }

    std::unique_ptr<BackgroundProgram> holder;
};

}  // namespace

TEST_F(Upgrade, SilentlyIntoTheInstalledFolderWithOneLogAndEntryThatARemovalEmpties) {
    InstallVersion1();
    if (HasFatalFailure()) return;
    ASSERT_EQ(Install(version2), 0) << RunLog();
    EXPECT_NE(RunLog().find("Upgrading: installed version 1.0 in " + kPlace + ", this setup's version 2.0"),
              std::string::npos) << RunLog();
    ExpectVersion2InPlace();
    ExpectRemovalLeavesOnlyTheUsersFile();
}

TEST_F(Upgrade, TheWizardProposesTheInstalledFolderAndUpgradesThere) {
    InstallVersion1();
    if (HasFatalFailure()) return;
    setupFolder = std::filesystem::path(version2).parent_path().string();
    ShowWizard();
    if (HasFatalFailure()) return;
    std::optional<std::string> proposed;
    WalkToTheFolderPage("upgrade", true, [&](const TRect&) {
        proposed = ShownWindowText("Choose Folder", "Edit");
        RunDisplayTool("xdotool key alt+F4");
    });
    if (HasFatalFailure()) return;
    EXPECT_TRUE(proposed && proposed->starts_with(kPlace)) << proposed.value_or("(no path shown)");
    Click("Next");
    PageImage finish;
    ASSERT_TRUE(NewPage({folderPage}, finish));
    Click("Next");
    ExpectEndedWithoutWorkingFolder();
    ExpectVersion2InPlace();
}

TEST_F(Upgrade, TheSameVersionRepairsAnOlderOneIsRefusedUnlessAllowed) {
    ASSERT_EQ(Install(version2, {"/D=" + kPlace}), 0) << RunLog();
    std::filesystem::remove(At("LarkNotes.exe"));
    ASSERT_EQ(Install(version2), 0) << RunLog();
    EXPECT_TRUE(platform::FileExists(At("LarkNotes.exe"))) << "the repair did not bring the file back";
    EXPECT_NE(RunLog().find("Repairing: installed version 2.0"), std::string::npos) << RunLog();

    const std::string log = ReadFile(At("setup.log"));
    EXPECT_EQ(Install(version1), kNewerInstalled);
    EXPECT_NE(RunLog().find("Not installed: version 1.0 of this setup is older than the installed version 2.0"),
              std::string::npos) << RunLog();
    EXPECT_EQ(EntryValue("DisplayVersion"), "2.0");
    EXPECT_EQ(ReadFile(At("setup.log")), log);
    EXPECT_EQ(ReadFile(At("ReadMe.txt")), kReadMe2);

    // The wizard asks, No being the answer of Enter, and changes nothing.
    setupFolder = std::filesystem::path(version1).parent_path().string();
    Launch({version1});
    std::optional<TRect> box;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindShownWindow(kSampleTitle)).has_value(); }, 60s)) << "no question";
    EXPECT_NE(ShownBoxText(kSampleTitle).value_or("").find("Version 2.0 of " + kSampleTitle + " is installed"),
              std::string::npos);
    SaveScreenshot("/tmp/e2e-upgrade-downgrade-question.png", *box);
    MoveMouse((box->Left + box->Right) / 2, box->Top + 8);
    RunDisplayTool("xdotool key Return");
    ExpectEndedWithoutWorkingFolder();
    EXPECT_EQ(EntryValue("DisplayVersion"), "2.0");
    EXPECT_EQ(ReadFile(At("ReadMe.txt")), kReadMe2);

    EXPECT_EQ(Install(version1, {"/ALLOWDOWNGRADE"}), 0) << RunLog();
    EXPECT_EQ(EntryValue("DisplayVersion"), "1.0");
    EXPECT_TRUE(platform::FileExists(At(kDroppedFile)));
}

TEST_F(Upgrade, AFileInUseIsReplacedWhenWineStartsNext) {
    InstallVersion1();
    if (HasFatalFailure()) return;
    const std::string said = platform::NativePath(Scratch() / "holder.txt");
    holder = std::make_unique<BackgroundProgram>(
        std::vector<std::string>{"bash", KEL_SOURCE_DIR "/scripts/wine-run.sh",
                                 KEL_WIN32_BUILD_DIR "/tests/win32/holdfile.exe", kPlace + "\\ReadMe.txt"},
        said);
    ASSERT_TRUE(WaitUntil([&] { return platform::FileExists(said) && ReadFile(said).find("held") == 0; }, 60s))
        << "the file is not held";
    ASSERT_EQ(Install(version2), kRestartRequired) << RunLog();
    EXPECT_NE(ReadFile(At("ReadMe.txt")), kReadMe2) << "replaced while in use";
    EXPECT_EQ(EntryValue("DisplayVersion"), "2.0");
    EXPECT_FALSE(platform::FileExists(At(kDroppedFile)));
    holder.reset();
    RestartWine();
    EXPECT_EQ(ReadFile(At("ReadMe.txt")), kReadMe2) << "not replaced at the restart";
    EXPECT_FALSE(platform::FileExists(At("ReadMe.txt.kelnew")));
    ExpectRemovalLeavesOnlyTheUsersFile();
}
