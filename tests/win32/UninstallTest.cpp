// The uninstaller's removal on a real file system and registry: a product
// laid out as the setup leaves it, with its log, removed without the
// question box; what goes, what stays and what waits for the restart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "app/SetupLogBook.h"
#include "samples/uninstall/Removal.h"
#include "tests/support/ScratchFolder.h"

namespace {

class UninstallRun : public ::testing::Test {
protected:
    ScratchFolder scratch;
    const std::string parent = scratch / "Larkspur";
    const std::string install = parent + "\\Notes";
    const std::string menu = scratch / "Menu\\Larkspur Notes";
    const std::string desktopLink = scratch / "Desktop\\Larkspur Notes.lnk";
    const std::string uninstaller = install + "\\uninstall.exe";
    const std::string log = install + "\\setup.log";
    const std::string key = "KelUninstallTest";
    std::vector<std::string> marked;  // what was marked for removal at restart, in order

    // The product as the setup installs it; the log lists it newest first.
    void SetUp() override {
        ASSERT_TRUE(platform::ForceDirectories(install));
        ASSERT_TRUE(platform::ForceDirectories(menu));
        ASSERT_TRUE(platform::ForceDirectories(scratch / "Desktop"));
        std::string lines = "SetupLOG\r\nNAME=Larkspur Notes\r\nKEY=" + key + "\r\n";
        const auto logged = [&](const std::string& kind, const std::string& path) {
            lines.insert(lines.find("\r\n", lines.find("KEY=")) + 2, kind + "=" + path + "\r\n");
        };
        logged("DIRECTORY", parent);
        logged("DIRECTORY", install);
        for (const char* file : {"LarkNotes.exe", "ReadMe.txt", "Licence.txt", "First-note.txt", "uninstall.exe"}) {
            WriteFile(install + "\\" + file, file);
            logged("COPYFILE", install + "\\" + file);
        }
        logged("DIRECTORY", menu);
        for (const std::string& link : {menu + "\\Larkspur Notes.lnk", menu + "\\Uninstall.lnk", desktopLink}) {
            WriteFile(link, "L");
            logged("LINK", link);
        }
        WriteFile(log, lines);

        platform::TRegistry registry(platform::TRootKey::rkLocalMachine);
        ASSERT_TRUE(registry.OpenKey(UninstallKeyOf(key), true));
        registry.WriteString("DisplayName", "Larkspur Notes");
        registry.WriteString("UninstallString", install + "\\Uninstall.exe");
    }

    void TearDown() override { platform::TRegistry(platform::TRootKey::rkLocalMachine).DeleteKey(UninstallKeyOf(key)); }

    TRemovalResult Remove() {
        const TRemovalPlan plan = ReadRemovalPlan(log, uninstaller);
        return CarryOutRemoval(plan, [this](const std::string& path) {
            marked.push_back(path);
            return true;
        });
    }

    bool KeyExists() const { return platform::TRegistry(platform::TRootKey::rkLocalMachine).KeyExists(UninstallKeyOf(key)); }
};

std::vector<std::string> ItemsOf(const TRemovalResult& result) {
    std::vector<std::string> items;
    for (const TLeftOver& item : result.LeftOvers) items.push_back(item.Item + " (" + item.Reason + ")");
    return items;
}

}  // namespace

TEST_F(UninstallRun, RemovesEverythingAndLeavesItsOwnFileAndFoldersToTheRestart) {
    const TRemovalResult result = Remove();
    EXPECT_EQ(ItemsOf(result), std::vector<std::string>{});
    EXPECT_TRUE(result.RestartPending);
    for (const char* file : {"LarkNotes.exe", "ReadMe.txt", "Licence.txt", "First-note.txt", "setup.log"})
        EXPECT_FALSE(platform::FileExists(install + "\\" + file)) << file;
    EXPECT_FALSE(platform::FileExists(desktopLink));
    EXPECT_FALSE(platform::DirectoryExists(menu));
    EXPECT_TRUE(platform::DirectoryExists(scratch / "Menu")) << "a folder the setup did not make stays";
    EXPECT_FALSE(KeyExists());
    // Its own file is still running: it and the folders that hold only it go at restart, file first.
    EXPECT_TRUE(platform::FileExists(uninstaller));
    EXPECT_EQ(marked, (std::vector<std::string>{uninstaller, install, parent}));
}

TEST_F(UninstallRun, TheUsersFilesAndTheirFoldersStay) {
    WriteFile(install + "\\Notes.txt", "My notes.");
    const TRemovalResult result = Remove();
    EXPECT_EQ(ItemsOf(result), (std::vector<std::string>{install + " (holds other files)", parent + " (holds other files)"}));
    EXPECT_EQ(ReadFile(install + "\\Notes.txt"), "My notes.");
    EXPECT_FALSE(platform::FileExists(install + "\\LarkNotes.exe"));
    EXPECT_FALSE(platform::FileExists(log));
    EXPECT_FALSE(KeyExists());
    EXPECT_EQ(marked, std::vector<std::string>{uninstaller});
}

TEST_F(UninstallRun, AFileInUseStaysAReadOnlyOneGoesAndTheRestCarriesOn) {
    ASSERT_TRUE(platform::SetReadOnly(install + "\\ReadMe.txt", true));
    platform::RemoveFile(install + "\\First-note.txt");  // removed by the user: nothing to report
    TRemovalResult result;
    {
        TFileStream open(install + "\\LarkNotes.exe", TFileMode::fmOpenRead);
        result = Remove();
    }
    EXPECT_EQ(ItemsOf(result), (std::vector<std::string>{install + "\\LarkNotes.exe (in use or protected)",
                                                         install + " (holds other files)",
                                                         parent + " (holds other files)"}));
    EXPECT_FALSE(platform::FileExists(install + "\\ReadMe.txt"));
    EXPECT_FALSE(platform::FileExists(install + "\\Licence.txt"));
    EXPECT_FALSE(platform::DirectoryExists(menu));
    EXPECT_FALSE(KeyExists());
    EXPECT_FALSE(platform::FileExists(log));
}
