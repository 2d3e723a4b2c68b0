// Setup.exe run without a person at the keyboard: "/S" with a destination
// given by "/D=" (blanks and all) and a step log by "/LOG=", its exit codes,
// and the proof that no window is ever shown, not even for a failure.
#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "app/ProductCopy.h"
#include "archive/ZLIBArchive.h"

#include "tests/e2e/SamplePlaces.h"
#include "tests/e2e/SetupWizard.h"
#include "tests/e2e/WineSystem.h"

namespace {

const std::string& kTitle = kSampleTitle;
const std::string& kUninstallKey = kSampleUninstallKey;
const std::string kRunLog = "C:\\kel-silent-run.log";
// The library that marks its loading, and the system names it is planted under.
const std::string kPlantedLibrary = std::string(KEL_WIN32_BUILD_DIR) + "/tests/win32/plantedlibrary.dll";
constexpr const char* kPlantedNames[] = {"version.dll", "uxtheme.dll", "dwmapi.dll", "winmm.dll",
                                         "propsys.dll", "comctl32.dll", "userenv.dll", "cryptbase.dll"};

// The titles of the windows on the display that are mapped now, one a line;
// Wine's own untitled helper windows are left out.
std::string ShownWindows() {
    std::istringstream lines(RunProcess("xdotool search --onlyvisible --name '' getwindowname %@ 2>/dev/null").Out);
    std::string titles;
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) titles += line + "\n";
    return titles;
}

// The names in a Unix folder, one a line.
std::string EntriesOf(const std::string& folder) { return RunProcess("ls -1A " + Quoted(folder) + " 2>&1").Out; }

class SilentInstall : public SetupWizardTest {
protected:
    // A folder above the destination that the setup makes, and so logs.
    const std::string vendor = "C:\\Program Files\\Kel Silent Vendor";
    const std::string destination = vendor + "\\Lark Notes";
    SamplePlaces sample;
    const std::string &group = sample.Group, &desktopLink = sample.DesktopLink;

    void SetUp() override {
        sample = SamplePlacesInThePrefix();
        RemoveInstallation();
    }
    void TearDown() override {
        EndWinePrograms();
        RemoveInstallation();
        SetupWizardTest::TearDown();
    }
    void RemoveInstallation() { RemoveSampleAndTraces(sample, kRunLog, vendor); }

    // Runs the setup with the arguments to its end, watching the display
    // meanwhile; its exit code, and what was ever shown.
    std::optional<int> RunToTheEnd(const std::vector<std::string>& arguments, std::string& shown,
                                   const std::string& program = "", std::chrono::seconds timeout = 60s) {
        std::vector<std::string> command{program.empty() ? setupFolder + "/Setup.exe" : program};
        command.insert(command.end(), arguments.begin(), arguments.end());
        Launch(command);
        WaitUntil([&] {
            shown += ShownWindows();
            peakKilobytes = std::max(peakKilobytes, PeakResidentKilobytes("Setup.exe"));
            return !Program().Running();
        }, timeout, 20ms);
        return Program().WaitForExit(5s);
    }

    // The largest peak resident memory of the running processes whose
    // command line names the program, in kilobytes (0 when none runs).
    static int64_t PeakResidentKilobytes(const std::string& program) {
        const std::string command = "for p in $(pgrep -f " + Quoted(program) +
                                    "); do sed -n 's/^VmHWM:[[:space:]]*\\([0-9]*\\) kB/\\1/p' /proc/$p/status; done 2>/dev/null";
        std::istringstream lines(RunProcess(command).Out);
        int64_t peak = 0;
        for (int64_t kilobytes; lines >> kilobytes;) peak = std::max(peak, kilobytes);
        return peak;
    }

    int64_t peakKilobytes = 0;  // of the setup, over its runs so far

    std::string RunLog() { return ReadFile(UnixPathOfDriveC(kRunLog)); }
};

}  // namespace

TEST_F(SilentInstall, FailuresEndWithTheirExitCodeAndTheMessageInTheLogOnly) {
    CheckPrerequisites(kSetupExe);
    MakeSetup();
    std::string bytes = ReadFile(setupFolder + "/Data.Kel");
    // One byte changed in the middle of the program's data, and one in the table's.
    TZLBArchive archive;
    archive.OpenArchive(setupFolder + "/Data.Kel");
    TArchiveEntry program;
    for (int i = 0; i < archive.GetFileCount(); ++i)
        if (archive.GetFileEntry(i, program); program.FileName == "LarkNotes.exe") break;
    ASSERT_EQ(program.FileName, "LarkNotes.exe");
    std::string damaged = bytes, changedTable = bytes;
    damaged[size_t(program.DataOffset) + 200] ^= 0x55;
    changedTable[size_t(archive.Trailer().TableOffset) + 3] ^= 0x55;
    archive.CloseArchive();
    const std::string installedProgram = sample.Destination + "\\LarkNotes.exe";
    // Another payload that is a sound archive of its own, but not the one
    // kelpack built this Setup.exe with.
    const std::string other = setupFolder + "/other.kel";
    ASSERT_EQ(RunProcess(Quoted(KEL_KELPACK) + " pack " + Quoted(other) + " " +
                         Quoted(KEL_SOURCE_DIR "/samples/setup/Setup.ini")).ExitCode, 0);
    // The kit's Setup.exe carries no digest and takes any payload.
    const std::string kitSetup = setupFolder + "/KitSetup.exe";
    ASSERT_TRUE(platform::CopyFileTo(kSetupExe, kitSetup, false));
    const std::string refused = "Error: The setup's files do not belong together: ";
    const std::string corrupt = "Error: Could not copy " + installedProgram + " (" + kDamagedPayloadReason + "File (";
    struct Case {
        const char* what;
        std::string payload;
        std::vector<std::string> arguments;
        int exitCode;
        std::string logged;
        std::string program;
    };
    const Case cases[] = {
        {"damaged program", damaged, {"/S", "/LOG=" + kRunLog}, 1, corrupt, ""},
        {"changed table", changedTable, {"/S", "/LOG=" + kRunLog}, 1, refused, ""},
        {"another payload", ReadFile(other), {"/S", "/LOG=" + kRunLog}, 1, refused, ""},
        {"damaged program, kit's program", damaged, {"/S", "/LOG=" + kRunLog}, 1, corrupt, kitSetup},
        {"changed table, kit's program", changedTable, {"/S", "/LOG=" + kRunLog}, 1,
         "Error: The archive file appears to be corrupted\r\n", kitSetup},
        {"unknown argument", bytes, {"/S", "/Q", "/LOG=" + kRunLog}, 2, "Error: Unknown argument: /Q\r\n", ""},
        {"/D= that is no path", bytes, {"/S", "/LOG=" + kRunLog, "/D=C:\\a|b"}, 2, "Error: Unknown argument: /D=C:\\a|b", ""},
    };
    for (const Case& c : cases) {
        WriteFile(setupFolder + "/Data.Kel", c.payload);
        std::string shown;
        EXPECT_EQ(RunToTheEnd(c.arguments, shown, c.program), c.exitCode) << c.what;
        EXPECT_EQ(shown, "") << c.what;
        EXPECT_NE(RunLog().find(c.logged), std::string::npos) << c.what << ":\n" << RunLog();
        if (c.logged == corrupt) {
            EXPECT_TRUE(RunLog().ends_with("Rolled back: everything the installation changed was undone\r\n"
                                           "Not installed completely\r\n")) << c.what << ":\n" << RunLog();
        }
        EXPECT_FALSE(platform::DirectoryExists(UnixPathOfDriveC(destination))) << c.what;
        EXPECT_FALSE(platform::DirectoryExists(setupFolder + "/temp")) << c.what;
        Program().Stop();
    }
}

// Installed into a destination with blanks below a folder that the setup
// makes, then removed: twice, with and without a file of the user's.
TEST_F(SilentInstall, InstallsWithoutAWindowAndASilentRemovalLeavesOnlyAFileTheUserAddedWithItsFolders) {
    CheckPrerequisites(kSetupExe);
    MakeSetup();
    const std::string userFolder = UnixPathOfDriveC(destination + "\\Graphics");
    // Libraries planted under system names beside the setup and in the
    // temporary folder, where the uninstaller's copy starts, are never loaded.
    std::vector<std::string> planted;
    for (const std::string& folder : {setupFolder, UnixTempFolder()})
        for (const char* name : kPlantedNames) {
            planted.push_back(folder + "/" + name);
            ASSERT_TRUE(platform::CopyFileTo(kPlantedLibrary, planted.back(), false)) << planted.back();
        }
    struct TPlantedRemoval {
        const std::vector<std::string>& Files;
        ~TPlantedRemoval() {
            for (const std::string& file : Files) {
                platform::RemoveFile(file);
                platform::RemoveFile(file + ".loaded");
            }
        }
    } removePlanted{planted};
    for (const bool userFile : {true, false}) {
        std::string shown;
        ASSERT_EQ(RunToTheEnd({"/S", "/LOG=" + kRunLog, "/D=" + destination}, shown), 0) << RunLog();
        for (const char* file : {"LarkNotes.exe", "uninstall.exe", "setup.log"})
            EXPECT_TRUE(platform::FileExists(UnixPathOfDriveC(destination + "\\" + file))) << file;
        for (const std::string& link : {group + "\\" + kTitle + ".lnk", desktopLink})
            EXPECT_TRUE(platform::FileExists(UnixPathOfDriveC(link))) << link;
        EXPECT_EQ(RegistryValue32(kUninstallKey, "QuietUninstallString"), "\"" + destination + "\\Uninstall.exe\" /S");
        EXPECT_FALSE(platform::DirectoryExists(setupFolder + "/temp")) << "the working folder is left behind";
        EXPECT_NE(RunLog().find("Copied " + destination + "\\LarkNotes.exe\r\n"), std::string::npos) << RunLog();
        EXPECT_TRUE(RunLog().ends_with("Installed\r\n")) << RunLog();

        if (userFile) WriteFile(userFolder + "/mine.txt", "mine");
        EXPECT_EQ(RunToTheEnd({"/S"}, shown, destination + "\\uninstall.exe"), 0) << userFile;
        EXPECT_EQ(shown, "") << "no window, no box";
        const auto removed = [&] {
            if (!userFile) return !platform::DirectoryExists(UnixPathOfDriveC(vendor));
            return EntriesOf(UnixPathOfDriveC(vendor)) == "Lark Notes\n" &&
                   EntriesOf(UnixPathOfDriveC(destination)) == "Graphics\n" && EntriesOf(userFolder) == "mine.txt\n";
        };
        EXPECT_TRUE(WaitUntil(removed, 10s)) << "left in " << vendor << ":\n"
                                             << RunProcess("find " + Quoted(UnixPathOfDriveC(vendor))).Out;
        for (const std::string& path : {group, desktopLink})
            EXPECT_FALSE(platform::FileExists(UnixPathOfDriveC(path)) || platform::DirectoryExists(UnixPathOfDriveC(path)))
                << path;
        for (const std::string& file : planted) EXPECT_FALSE(platform::FileExists(file + ".loaded")) << file << " was loaded";
        EXPECT_EQ(RegistryValue32(kUninstallKey, "DisplayName"), std::nullopt) << userFile;
        RemoveInstallation();
    }
}

// A file beyond what 32 bits count (2.25 GiB; KEL_HUGE_FILE_GIB sets the
// size for the long form, 5 for example), sparse so that packing it stays
// quick: installed with its size and bytes in bounded memory, then removed.
TEST_F(SilentInstall, AFileBeyond32BitsInstallsInBoundedMemoryAndIsRemoved) {
    CheckPrerequisites(kSetupExe);
    const char* gib = std::getenv("KEL_HUGE_FILE_GIB");
    const auto size = static_cast<int64_t>((gib ? std::atof(gib) : 2.25) * (int64_t{1} << 30));
    const std::string more = platform::NativePath(Scratch() / "more"), huge = more + "/huge.bin";
    ASSERT_TRUE(platform::CreateDir(more));
    const std::string tail = "the last bytes of the huge file";
    ASSERT_EQ(RunProcess("truncate -s " + std::to_string(size - int64_t(tail.size())) + " " + Quoted(huge)).ExitCode, 0);
    ASSERT_EQ(RunProcess("printf %s " + Quoted(tail) + " >> " + Quoted(huge)).ExitCode, 0);
    std::string ini = ReadFile(KEL_SOURCE_DIR "/samples/setup/Setup.ini");
    const std::string last = "Addfile=First-note.txt\r\n";
    ini.insert(ini.find(last) + last.size(), "Addfile=huge.bin\r\n");
    MakeSetupWith(ini, more);

    std::string shown;
    ASSERT_EQ(RunToTheEnd({"/S", "/LOG=" + kRunLog, "/D=" + destination}, shown, "", 600s), 0) << RunLog();
    const std::string installed = UnixPathOfDriveC(destination + "\\huge.bin");
    EXPECT_EQ(RunProcess("cmp " + Quoted(huge) + " " + Quoted(installed) + " && echo same").Out, "same\n");
    std::printf("[ figures  ] %.2f GiB installed; peak resident memory of Setup.exe %lld KB\n",
                double(size) / double(int64_t{1} << 30), static_cast<long long>(peakKilobytes));
    EXPECT_GT(peakKilobytes, 0);
    EXPECT_LE(peakKilobytes, 64 * 1024);
    EXPECT_EQ(RunToTheEnd({"/S"}, shown, destination + "\\uninstall.exe"), 0);
    EXPECT_FALSE(platform::DirectoryExists(UnixPathOfDriveC(vendor)));
}
