// Installations for the user alone and for every user of the machine, made
// by Setup.exe /S and removed by the installed uninstaller /S: each lands in
// its scope's places (the uninstall entry, the Start menu's program folder,
// the desktop shortcut, the proposed destination), none in the other's, and
// the removal leaves nothing of either.
#include "tests/e2e/SamplePlaces.h"
#include "tests/e2e/SetupWizard.h"
#include "tests/e2e/WineSystem.h"

namespace {

const std::string kRunLog = "C:\\kel-scope-run.log";

bool Exists(const std::string& windowsPath) {
    const std::string path = UnixPathOfDriveC(windowsPath);
    return platform::FileExists(path) || platform::DirectoryExists(path);
}

class InstallScope : public SetupWizardTest {
protected:
    SamplePlaces machine, user;
    bool userProgramsWasThere = false;

    void SetUp() override {
        machine = SamplePlacesInThePrefix(SampleScope::Machine);
        user = SamplePlacesInThePrefix(SampleScope::User);
        RemoveInstallations();
        userProgramsWasThere = Exists(UserProgramsFolderInThePrefix());
    }
    void TearDown() override {
        EndWinePrograms();
        RemoveInstallations();
        SetupWizardTest::TearDown();
    }
    void RemoveInstallations() {
        RemoveSampleAndTraces(machine, kRunLog);
        RemoveSampleAndTraces(user, kRunLog);
    }

    // The sample setup whose description says "Scope=" this (nothing: no Scope line).
    void MakeSetupFor(const std::string& scope) {
        std::string ini = ReadFile(KEL_SOURCE_DIR "/samples/setup/Setup.ini");
        if (!scope.empty()) ini.insert(ini.find("Object=Setup\r\n") + 14, "Scope=" + scope + "\r\n");
        MakeSetupWith(ini);
    }

    std::optional<int> Run(const std::string& program, const std::vector<std::string>& arguments) {
        std::vector<std::string> command{program};
        command.insert(command.end(), arguments.begin(), arguments.end());
        Launch(command);
        WaitUntil([&] { return !Program().Running(); }, 60s, 50ms);
        const std::optional<int> exitCode = Program().WaitForExit(5s);
        Program().Stop();
        return exitCode;
    }

    std::string RunLog() { return ReadFile(UnixPathOfDriveC(kRunLog)); }

    // Everything the installation made lies in the places, nothing in the other's.
    void ExpectInstalledIn(const SamplePlaces& places, const SamplePlaces& other, const std::string& what) {
        for (const char* file : {"LarkNotes.exe", "uninstall.exe", "setup.log"})
            EXPECT_TRUE(Exists(places.Destination + "\\" + file)) << what << ": " << places.Destination << "\\" << file;
        EXPECT_TRUE(Exists(places.Group + "\\" + kSampleTitle + ".lnk")) << what << ": " << places.Group;
        EXPECT_TRUE(Exists(places.DesktopLink)) << what << ": " << places.DesktopLink;
        EXPECT_EQ(RegistryValue32(places.UninstallKey, "InstallLocation"), places.Destination) << what;
        for (const std::string& path : {other.Destination, other.Group, other.DesktopLink})
            EXPECT_FALSE(Exists(path)) << what << ": " << path;
        EXPECT_EQ(RegistryValue32(other.UninstallKey, "DisplayName"), std::nullopt) << what;
    }

    // The silent removal by the installed uninstaller leaves nothing.
    void ExpectRemovedCompletely(const SamplePlaces& places, const std::string& what) {
        EXPECT_EQ(Run(UnixPathOfDriveC(places.Destination + "\\uninstall.exe"), {"/S"}), 0) << what;
        const auto gone = [&] { return !Exists(places.ProductRoot); };
        EXPECT_TRUE(WaitUntil(gone, 10s)) << what << ": " << RunProcess("find " + Quoted(UnixPathOfDriveC(places.ProductRoot))).Out;
        for (const std::string& path : {places.Group, places.DesktopLink}) EXPECT_FALSE(Exists(path)) << what << ": " << path;
        EXPECT_EQ(RegistryValue32(places.UninstallKey, "DisplayName"), std::nullopt) << what;
    }
};

}  // namespace

TEST_F(InstallScope, AUsersInstallationUsesTheUsersPlacesAndItsRemovalLeavesNothing) {
    CheckPrerequisites(kSetupExe);
    MakeSetupFor("User");
    ASSERT_EQ(Run(setupFolder + "/Setup.exe", {"/S", "/LOG=" + kRunLog}), 0) << RunLog();
    ExpectInstalledIn(user, machine, "Scope=User");
    EXPECT_NE(ReadFile(UnixPathOfDriveC(user.Destination + "\\setup.log")).find("\r\nSCOPE=User\r\n"), std::string::npos);
    EXPECT_NE(RunLog().find("Registered the uninstall entry HKEY_CURRENT_USER\\"), std::string::npos) << RunLog();
    ExpectRemovedCompletely(user, "Scope=User");
    if (!userProgramsWasThere) {
        EXPECT_FALSE(Exists(UserProgramsFolderInThePrefix())) << "made by the setup, so it goes";
    }
}

TEST_F(InstallScope, AMachineInstallationUsesTheCommonPlacesWithOrWithoutTheKey) {
    CheckPrerequisites(kSetupExe);
    for (const char* scope : {"Machine", ""}) {
        MakeSetupFor(scope);
        ASSERT_EQ(Run(setupFolder + "/Setup.exe", {"/S", "/LOG=" + kRunLog}), 0) << RunLog();
        ExpectInstalledIn(machine, user, std::string("Scope=") + scope);
        EXPECT_EQ(ReadFile(UnixPathOfDriveC(machine.Destination + "\\setup.log")).find("SCOPE="), std::string::npos);
        ExpectRemovedCompletely(machine, std::string("Scope=") + scope);
        RemoveInstallations();
    }
}

TEST_F(InstallScope, TheCommandLineOverridesTheDescriptionsScope) {
    CheckPrerequisites(kSetupExe);
    MakeSetupFor("Machine");
    ASSERT_EQ(Run(setupFolder + "/Setup.exe", {"/S", "/CURRENTUSER", "/LOG=" + kRunLog}), 0) << RunLog();
    ExpectInstalledIn(user, machine, "/CURRENTUSER over Scope=Machine");
    ExpectRemovedCompletely(user, "/CURRENTUSER");
    RemoveInstallations();
    MakeSetupFor("User");
    ASSERT_EQ(Run(setupFolder + "/Setup.exe", {"/ALLUSERS", "/S", "/LOG=" + kRunLog}), 0) << RunLog();
    ExpectInstalledIn(machine, user, "/ALLUSERS over Scope=User");
    ExpectRemovedCompletely(machine, "/ALLUSERS");
}
