#include <gtest/gtest.h>

#include <optional>

#include "app/ScopeFolders.h"
#include "platform/DataFolders.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/Registry.h"
#include "shell/ShellFolders.h"
#include "tests/support/ArchiveFixture.h"
#include "tests/win32/RegistryValueOverride.h"

namespace {

const char* const CurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char* const ShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

}  // namespace

TEST(ProgramFilesDir, IsTheRegistryValueWithABackslash) {
    ValueOverride value(platform::TRootKey::rkLocalMachine, CurrentVersion, "ProgramFilesDir");
    ASSERT_TRUE(value.Saved().has_value());
    EXPECT_EQ(GetProgramFilesDir(), *value.Saved() + "\\");
    EXPECT_TRUE(platform::DirectoryExists(GetProgramFilesDir()));

    value.Set("D:\\Apps");
    EXPECT_EQ(GetProgramFilesDir(), "D:\\Apps\\");
    value.Remove();
    EXPECT_EQ(GetProgramFilesDir(), "\\");
}

// The machine's places are shared by every user, the user's own lie in the
// user's profile; a user's installation goes below the local application
// data's "Programs" folder, which the setup makes when it is missing.
TEST(ScopeFolders, TheMachinesPlacesAreTheCommonOnesTheUsersHisOwn) {
    const TInstallScope machine = TInstallScope::isMachine, user = TInstallScope::isUser;
    const std::string profile = platform::LocalAppDataFolder();
    ASSERT_FALSE(profile.empty());
    const std::string userRoot = profile.substr(0, profile.find("\\AppData"));
    const auto inProfile = [&](const std::string& path) { return SameText(path.substr(0, userRoot.size()), userRoot); };
    for (const std::string& folder : {ProgramsFolderOf(machine, nullptr), DesktopFolderOf(machine)}) {
        EXPECT_TRUE(platform::DirectoryExists(folder)) << folder;
        EXPECT_FALSE(inProfile(folder)) << folder << " lies in the profile " << userRoot;
    }
    for (const std::string& folder : {ProgramsFolderOf(user, nullptr), DesktopFolderOf(user)}) {
        EXPECT_TRUE(platform::DirectoryExists(folder)) << folder;
        EXPECT_TRUE(inProfile(folder)) << folder << " lies outside the profile " << userRoot;
    }
    EXPECT_TRUE(SameText(ProgramsFolderOf(user, nullptr), GetProgramsFolder(nullptr)));
    EXPECT_EQ(DestinationRootOf(machine), GetProgramFilesDir());
    EXPECT_TRUE(SameText(DestinationRootOf(user), profile + "\\Programs\\")) << DestinationRootOf(user);
}

TEST(ProgramsFolder, IsAnExistingFolderOfTheCurrentUser) {
    const std::string programs = GetProgramsFolder(nullptr);
    ASSERT_FALSE(programs.empty());
    EXPECT_TRUE(platform::DirectoryExists(programs)) << programs;
    EXPECT_NE(programs.find("Programs"), std::string::npos) << programs;
}

TEST(ShellFolder, ReadsTheNamedValueAsStored) {
    const char* const names[] = {"Desktop", "Favorites", "Fonts",      "NetHood", "Programs",
                                 "Recent",  "SendTo",    "Start Menu", "Startup", "Templates"};
    for (int index = 0; index < 10; ++index) {
        ValueOverride value(platform::TRootKey::rkCurrentUser, ShellFolders, names[index]);
        value.Set(std::string("C:\\Test\\") + names[index] + "\\");
        EXPECT_EQ(GetShellFolder(index), std::string("C:\\Test\\") + names[index] + "\\");
        value.Remove();
        EXPECT_EQ(GetShellFolder(index), "") << names[index];
    }
}

TEST(ShellFolder, IndexOutsideTheTableGivesEmpty) {
    EXPECT_EQ(GetShellFolder(10), "");
    EXPECT_EQ(GetShellFolder(-1), "");
}

TEST(Registry, FailedWriteNamesTheValue) {
    platform::TRegistry registry(platform::TRootKey::rkCurrentUser);
    EXPECT_FALSE(registry.OpenKey("Software\\NoSuchVendor\\NoSuchKey", false));
    EXPECT_EQ(MessageOf([&] { registry.WriteString("DisplayName", "x"); }),
              "Konnte Daten für 'DisplayName' nicht setzen");
    EXPECT_EQ(registry.ReadString("DisplayName"), "");
}
