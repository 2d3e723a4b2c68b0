// The kit as a vendor gets it, installed from a build (cmake --install) or
// as the Debian package: its kelpack makes a new project and builds it
// without an edit, and the setup it writes installs the sample product
// silently under Wine. And archives travel between the Windows and the
// Linux kelpack with their names intact.
#include <unistd.h>

#include "app/PayloadDigest.h"
#include "tests/e2e/SamplePlaces.h"
#include "tests/e2e/SetupWizard.h"
#include "tests/e2e/WineSystem.h"
#include "tests/support/FileTree.h"

namespace {

// Whether program is the kit's program with 32 bytes written into the slot
// after the payload digest's marker, and nothing else changed.
bool StampedCopyOf(const std::string& program, const std::string& kitProgram) {
    const size_t slot = kitProgram.find(std::string(kPayloadDigestMarker, sizeof(kPayloadDigestMarker)));
    if (slot == std::string::npos || program.size() != kitProgram.size()) return false;
    const size_t digest = slot + sizeof(kPayloadDigestMarker);
    return program.compare(0, digest, kitProgram, 0, digest) == 0 &&
           program.compare(digest + 32, std::string::npos, kitProgram, digest + 32) == 0 &&
           program.compare(digest, 32, kitProgram, digest, 32) != 0;
}

const std::string kVendor = "C:\\Program Files\\Kel Kit Vendor";
const std::string kDestination = kVendor + "\\Lark Notes";

ProcessResult RunOrFail(const std::string& commandLine) {
    const ProcessResult run = RunProcess(commandLine);
    EXPECT_EQ(run.ExitCode, 0) << commandLine << "\n" << run.Out << run.Err;
    return run;
}

}  // namespace

class Kit : public SetupWizardTest {
protected:
    SamplePlaces sample;

    void SetUp() override {
        sample = SamplePlacesInThePrefix();
        RemoveSample(sample, kVendor);
    }
    void TearDown() override {
        EndWinePrograms();
        RemoveSample(sample, kVendor);
        SetupWizardTest::TearDown();
    }

    // With the kit's kelpack: "init", then "build" as it is, then the setup
    // installed silently; the product must be where the setup was told.
    void BuildAndInstallWith(const std::string& kelpack, const std::string& kitShare) {
        EXPECT_EQ(RunOrFail(Quoted(kelpack) + " --version").Out, "kelpack " KEL_VERSION "\n");
        const std::string project = platform::NativePath(Scratch() / "project");
        setupFolder = platform::NativePath(Scratch() / "CD");
        RunOrFail(Quoted(kelpack) + " init " + Quoted(project));
        const ProcessResult built = RunOrFail(Quoted(kelpack) + " build " + Quoted(project) + " " + Quoted(setupFolder));
        EXPECT_NE(built.Out.find("Ready to ship: " + setupFolder), std::string::npos) << built.Out;
        EXPECT_TRUE(StampedCopyOf(ReadFile(setupFolder + "/Setup.exe"), ReadFile(kitShare + "/Setup.exe")))
            << "Setup.exe is the kit's with the payload's digest in its slot";

        Launch({setupFolder + "/Setup.exe", "/S", "/D=" + kDestination});
        ASSERT_TRUE(WaitUntil([&] { return !Program().Running(); }, 60s)) << "Setup.exe /S does not end";
        EXPECT_EQ(Program().WaitForExit(5s), 0);
        for (const char* file : {"LarkNotes.exe", "uninstall.exe", "Licence.txt", "ReadMe.txt", "setup.log"})
            EXPECT_TRUE(platform::FileExists(UnixPathOfDriveC(kDestination + "\\" + file))) << file;
        EXPECT_EQ(ReadFile(UnixPathOfDriveC(kDestination + "\\LarkNotes.exe")),
                  ReadFile(kitShare + "/sample/Files/LarkNotes.exe"));
        EXPECT_EQ(ReadFile(UnixPathOfDriveC(kDestination + "\\uninstall.exe")), ReadFile(kitShare + "/uninstall.exe"));
        EXPECT_EQ(RegistryValue32(kSampleUninstallKey, "UninstallString"), "\"" + kDestination + "\\uninstall.exe\"");
    }
};

TEST_F(Kit, InstalledFromTheBuildItMakesASetupThatInstallsTheProduct) {
    CheckPrerequisites(kSetupExe);
    if (HasFatalFailure()) return;
    const std::string kit = platform::NativePath(Scratch() / "kit");
    RunOrFail(Quoted(KEL_CMAKE) + " --install " + Quoted(KEL_BUILD_DIR) + " --prefix " + Quoted(kit));
    BuildAndInstallWith(kit + "/bin/kelpack", kit + "/share/kelpack");
}

TEST_F(Kit, TheDebianPackageInstallsAKitThatMakesASetupAndGoesAgain) {
    if (geteuid() != 0 || RunProcess("command -v apt-get").ExitCode != 0)
        GTEST_SKIP() << "installing a package needs apt-get and root";
    if (RunProcess("dpkg -s kelpack").ExitCode == 0)
        GTEST_SKIP() << "a kelpack package is installed already; the test would replace it";
    CheckPrerequisites(kSetupExe);
    if (HasFatalFailure()) return;
    const std::string packages = platform::NativePath(Scratch() / "packages");
    RunOrFail(Quoted(KEL_CPACK) + " -G DEB --config " + Quoted(KEL_BUILD_DIR "/CPackConfig.cmake") + " -B " +
              Quoted(packages) + " >/dev/null");
    const std::string deb = RunProcess("cd " + Quoted(packages) + " && ls kelpack_*.deb").Out;
    ASSERT_EQ(deb.rfind("kelpack_" KEL_VERSION "_", 0), 0u) << deb;

    // The package goes again however the test ends.
    struct Removal {
        ~Removal() { RunProcess("apt-get remove -y -q -o DPkg::Lock::Timeout=120 kelpack >/dev/null"); }
    } removal;
    RunOrFail("cd " + Quoted(packages) + " && apt-get install -y -q --no-install-recommends -o DPkg::Lock::Timeout=120 ./" +
              deb.substr(0, deb.find('\n')) + " >/dev/null");
    BuildAndInstallWith("/usr/bin/kelpack", "/usr/share/kelpack");

    RunOrFail("apt-get remove -y -q -o DPkg::Lock::Timeout=120 kelpack >/dev/null");
    EXPECT_FALSE(platform::FileExists("/usr/bin/kelpack"));
    EXPECT_FALSE(platform::DirectoryExists("/usr/share/kelpack"));
}

// Names with letters beyond ASCII: UTF-8 on the Linux side, the ANSI code
// page on the Windows side, Windows-1252 in the archive.
TEST_F(Kit, ArchivesTravelBetweenTheWindowsAndTheLinuxKelpackWithTheirNames) {
    const std::string windowsKelpack = KEL_WIN32_BUILD_DIR "/tools/kelpack/kelpack.exe";
    CheckPrerequisites(windowsKelpack);
    if (HasFatalFailure()) return;
    const std::string tree = platform::NativePath(Scratch() / "tree");
    ASSERT_TRUE(platform::ForceDirectories(tree + "/Gr\xC3\xBC\xC3\x9F" "e"));
    WriteFile(tree + "/Gr\xC3\xBC\xC3\x9F" "e/F\xC3\xBCr alle.txt", "greetings");
    WriteFile(tree + "/\xC5\x92uvre \xE2\x82\xAC.txt", "works");
    const auto wine = [&](const std::string& arguments) {
        return RunOrFail("bash " + Quoted(KEL_SOURCE_DIR "/scripts/wine-run.sh") + " " + Quoted(windowsKelpack) + " " +
                         arguments);
    };
    const std::string scratch = platform::NativePath(Scratch().Path());

    wine("pack " + Quoted(WinePath(scratch + "/windows.kel")) + " " + Quoted(WinePath(tree)));
    RunOrFail(Quoted(KEL_KELPACK) + " extract " + Quoted(scratch + "/windows.kel") + " " + Quoted(scratch + "/on-linux") +
              " --with-paths");
    EXPECT_EQ(FileTree(scratch + "/on-linux"), FileTree(tree)) << "written on Windows, extracted on Linux";

    RunOrFail(Quoted(KEL_KELPACK) + " pack " + Quoted(scratch + "/linux.kel") + " " + Quoted(tree));
    wine("extract " + Quoted(WinePath(scratch + "/linux.kel")) + " " + Quoted(WinePath(scratch + "/on-windows")) +
         " --with-paths");
    EXPECT_EQ(FileTree(scratch + "/on-windows"), FileTree(tree)) << "written on Linux, extracted on Windows";
}
