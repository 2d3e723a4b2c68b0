#include <gtest/gtest.h>

#include <optional>

#include "platform/FileSystem.h"
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
              "Konnte Daten f\xC3\xBCr 'DisplayName' nicht setzen");
    EXPECT_EQ(registry.ReadString("DisplayName"), "");
}
