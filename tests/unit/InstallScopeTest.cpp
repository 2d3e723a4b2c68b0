// The install scope: its names, what each scope answers, when a program
// restarts itself elevated, how the command line overrides the description,
// how the payload's description is read before unpacking, and how the log
// hands the scope to the uninstaller.
#include <gtest/gtest.h>

#include "app/ElevationChoice.h"
#include "app/PayloadScope.h"
#include "app/RemovalPlan.h"
#include "app/SetupArguments.h"
#include "app/SetupLogBook.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/ScratchFolder.h"
#include "uninstall/UninstallArguments.h"

namespace {

const TInstallScope kMachine = TInstallScope::isMachine, kUser = TInstallScope::isUser;

std::string NameOf(const std::optional<TInstallScope>& scope) { return scope ? scope->Name() : "(none)"; }

}  // namespace

TEST(InstallScope, OnlyTheExactNamesNameAScope) {
    const struct {
        const char* Written;
        const char* Scope;
    } cases[] = {{"Machine", "Machine"}, {"User", "User"},     {"user", "(none)"},
                 {"MACHINE", "(none)"},  {" User", "(none)"},  {"", "(none)"}};
    for (const auto& c : cases) EXPECT_EQ(NameOf(TInstallScope::Named(c.Written)), c.Scope) << c.Written;
}

TEST(InstallScope, TheMachineIsTheDefaultAndUsesTheCommonPlacesTheUserHisOwn) {
    EXPECT_EQ(TInstallScope(), kMachine);
    EXPECT_EQ(kMachine.RegistryRoot(), platform::TRootKey::rkLocalMachine);
    EXPECT_EQ(kUser.RegistryRoot(), platform::TRootKey::rkCurrentUser);
    EXPECT_STREQ(kUser.RegistryRootName(), "HKEY_CURRENT_USER");
    // Every place of the one differs from the other's.
    EXPECT_NE(kMachine.ProgramsFolderId(), kUser.ProgramsFolderId());
    EXPECT_NE(kMachine.DesktopFolderId(), kUser.DesktopFolderId());
    EXPECT_TRUE(kMachine.NeedsElevation());
    EXPECT_FALSE(kUser.NeedsElevation());
}

TEST(ElevationChoice, OnlyAMachineInstallationWithoutElevationRestartsAndNeverTwice) {
    using enum TElevationChoice;
    const struct {
        TInstallScope Scope;
        bool Elevated, Restarted;
        TElevationChoice Choice;
    } cases[] = {
        {kMachine, false, false, RestartElevated}, {kMachine, true, false, RunHere},
        {kMachine, true, true, RunHere},           {kMachine, false, true, RunWithout},
        {kUser, false, false, RunHere},            {kUser, true, false, RunHere},
        {kUser, false, true, RunHere},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ElevationChoiceFor(c.Scope, c.Elevated, c.Restarted), c.Choice)
            << c.Scope.Name() << " elevated " << c.Elevated << " restarted " << c.Restarted;
}

TEST(ElevationChoice, TheScopeSwitchesOverrideTheLastOneWinningAndTheRestartMarkComesBeforeTheDestination) {
    const struct {
        const char* Line;
        const char* Scope;
        bool Elevated;
        const char* Unknown;
    } cases[] = {
        {"/S", "(none)", false, ""},
        {"/allusers /S", "Machine", false, ""},
        {"/CurrentUser", "User", false, ""},
        {"/CURRENTUSER /ALLUSERS", "Machine", false, ""},
        {"/ELEVATED /S /CURRENTUSER /D=C:\\a b", "User", true, ""},
        {"/S /D=C:\\x /CURRENTUSER", "(none)", false, ""},  // part of the destination
        {"/USER", "(none)", false, "/USER"},
    };
    for (const auto& c : cases) {
        const TSetupArguments parsed = ParseSetupArguments(c.Line);
        EXPECT_EQ(NameOf(parsed.Scope), c.Scope) << c.Line;
        EXPECT_EQ(parsed.Elevated, c.Elevated) << c.Line;
        EXPECT_EQ(parsed.Unknown, c.Unknown) << c.Line;
    }
    EXPECT_TRUE(ParseUninstallArguments({kElevatedArgument, "/S"}).Elevated);
    EXPECT_EQ(ParseUninstallArguments({kElevatedArgument, "/S"}).NotUnderstood, "");
}

TEST(PayloadScope, TheDescriptionIsReadFromTheArchiveWhateverItsPlaceAndPacking) {
    ScratchFolder scratch;
    const struct {
        const char* What;
        std::string Description;
        bool Stored;
        const char* Scope;
    } cases[] = {
        {"user", "t\r\nObject=Setup\r\nScope=User\r\nend\r\n", false, "User"},
        {"stored", "t\r\nObject=Setup\r\nSiteletTitle=x\r\nScope=User\r\nend\r\n", true, "User"},
        {"none given", "t\r\nObject=Setup\r\nSiteletTitle=x\r\nend\r\n", false, "Machine"},
        {"outside the block", "t\r\nScope=User\r\nObject=Setup\r\nend\r\n", false, "Machine"},
        {"unknown", "t\r\nObject=Setup\r\nScope=Everyone\r\nend\r\n", false, "(none)"},
    };
    for (const auto& c : cases) {
        ArchiveBuilder archive;
        archive.Add("gfx.x", TextData(3000), "", false);
        archive.Add("Setup.ini", c.Description, "", c.Stored);
        archive.WriteTo(scratch / "Data.Kel");
        EXPECT_EQ(NameOf(DescribedScope(scratch / "Data.Kel")), c.Scope) << c.What;
    }
    ArchiveBuilder inFolder;
    inFolder.Add("Setup.ini", "t\r\nObject=Setup\r\nScope=User\r\nend\r\n", "docs");
    inFolder.WriteTo(scratch / "Other.Kel");
    EXPECT_EQ(NameOf(DescribedScope(scratch / "Other.Kel")), "(none)");
    EXPECT_EQ(NameOf(DescribedScope(scratch / "Missing.Kel")), "(none)");
    WriteFile(scratch / "Broken.Kel", "not an archive at all, but long enough to hold a trailer");
    EXPECT_EQ(NameOf(DescribedScope(scratch / "Broken.Kel")), "(none)");
}

TEST(InstallScope, TheLogTellsTheUninstallerAUsersInstallationAndOldLogsAreTheMachines) {
    ScratchFolder scratch;
    for (const TInstallScope scope : {kMachine, kUser}) {
        TSetupLogBook log;
        log.AddCopyFile("C:\\P\\a.exe");
        log.LogFileName = scratch / "setup.log";
        log.KeyName = "Key\\Sub";  // refused by the uninstaller, which names it below the scope's root
        log.AppName = "Name";
        log.Scope = scope;
        log.SaveLog();
        const std::string text = ReadFile(log.LogFileName);
        // A machine installation's log stays as logs always were.
        EXPECT_EQ(text.find("SCOPE="), scope.ForUser() ? text.find("KEY=") + 13 : std::string::npos) << text;
        const TRemovalPlan plan = PlanOfLogFile(log.LogFileName, scratch / "Uninstall.exe").value();
        EXPECT_EQ(plan.Scope, scope);
        ASSERT_FALSE(plan.Skipped.empty());
        EXPECT_EQ(plan.Skipped[0].Item,
                  std::string(scope.RegistryRootName()) + "\\" + UninstallKeyOf("Key\\Sub"));
    }
    TStringList strange;
    for (const char* line : {"SetupLOG", "NAME=n", "KEY=k", "SCOPE=Everyone"}) strange.Add(line);
    EXPECT_EQ(PlanOfLog(strange, "C:\\P\\setup.log", "C:\\P\\Uninstall.exe").value().Scope, kMachine);
}
