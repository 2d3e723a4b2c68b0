// The uninstaller's removal on a real file system and registry: a product
// laid out as the setup leaves it, with its log, removed without the
// question box; what goes at once, what waits for the uninstaller's end,
// what stays, what is left to the restart, and the progress window.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "platform/ProcessLink.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "app/ProductBounds.h"
#include "app/SetupLogBook.h"
#include "uninstall/Removal.h"
#include "uninstall/RemovalProgressForm.h"
#include "uninstall/SelfCopy.h"
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

    TRemovalPlan Plan() const { return PlanOfLogFile(log, uninstaller).value(); }

    // Both phases, with the uninstaller's process ended in between.
    TRemovalResult Remove() {
        TRemovalResult result = CarryOutRemoval(Plan());
        FinishRemoval(result, [this](const std::string& path) { return Mark(path); });
        return result;
    }

    bool Mark(const std::string& path) {
        marked.push_back(path);
        return true;
    }

    bool KeyExists() const { return platform::TRegistry(platform::TRootKey::rkLocalMachine).KeyExists(UninstallKeyOf(key)); }
};

// The uninstaller copies' folders in the temporary folder.
std::vector<std::string> CopyFolders() {
    std::vector<std::string> folders;
    platform::TFindEnum find;
    platform::TSearchRec found;
    for (bool more = find.First(platform::TempFolder() + "Uninstall-*", platform::faDirectory, found); more;
         more = find.Next(found))
        folders.push_back(found.Name);
    std::sort(folders.begin(), folders.end());
    return folders;
}

}  // namespace

void PrintTo(const TLeftOver& item, std::ostream* out) { *out << item.Item << " (reason " << int(item.Reason) << ")"; }

TEST_F(UninstallRun, RemovesEverythingAndItsOwnFileAndFoldersOnceItHasEnded) {
    TRemovalResult result = CarryOutRemoval(Plan());
    EXPECT_EQ(result.LeftOvers, std::vector<TLeftOver>{});
    for (const char* file : {"LarkNotes.exe", "ReadMe.txt", "Licence.txt", "First-note.txt", "setup.log"})
        EXPECT_FALSE(platform::FileExists(install + "\\" + file)) << file;
    EXPECT_FALSE(platform::FileExists(desktopLink));
    EXPECT_FALSE(platform::DirectoryExists(menu));
    EXPECT_TRUE(platform::DirectoryExists(scratch / "Menu")) << "a folder the setup did not make stays";
    EXPECT_FALSE(KeyExists());
    // Its own file and the folders that hold it wait for its end.
    EXPECT_TRUE(platform::FileExists(uninstaller));
    ASSERT_EQ(result.AfterExit.size(), 3u);
    EXPECT_EQ(result.AfterExit[2].Path, parent);

    FinishRemoval(result, [this](const std::string& path) { return Mark(path); });
    EXPECT_FALSE(platform::DirectoryExists(parent));
    EXPECT_TRUE(marked.empty());
    EXPECT_FALSE(result.RestartPending);
    EXPECT_TRUE(RemovedCompletely(result));
}

// A log that names a file outside the product (the entry's installed
// location, here the product's parent folder) leaves that file alone and
// says so; the shortcuts outside the machine's shortcut folders stay too.
TEST_F(UninstallRun, WhatTheLogNamesOutsideTheProductStays) {
    const std::string outside = scratch / "System\\kernel32.dll";
    ASSERT_TRUE(platform::ForceDirectories(scratch / "System"));
    WriteFile(outside, "not the product's");
    WriteFile(log, ReadFile(log) + "COPYFILE=" + outside + "\r\n");
    platform::TRegistry registry(platform::TRootKey::rkLocalMachine);
    ASSERT_TRUE(registry.OpenKey(UninstallKeyOf(key), false));
    registry.WriteString("InstallLocation", parent);
    TRemovalPlan plan = Plan();
    ConfinePlan(plan, ProductBounds(plan, uninstaller));
    TRemovalResult result = CarryOutRemoval(plan);
    FinishRemoval(result, [this](const std::string& path) { return Mark(path); });
    EXPECT_EQ(ReadFile(outside), "not the product's");
    EXPECT_TRUE(platform::FileExists(desktopLink));
    EXPECT_FALSE(platform::FileExists(install + "\\LarkNotes.exe"));
    EXPECT_FALSE(RemovedCompletely(result));
    EXPECT_NE(std::find(result.LeftOvers.begin(), result.LeftOvers.end(), TLeftOver{outside, TStayReason::OutsideProduct}),
              result.LeftOvers.end());
}

TEST_F(UninstallRun, TheUsersFilesAndTheirFoldersStayAndTheUninstallerGoes) {
    WriteFile(install + "\\Notes.txt", "My notes.");
    const TRemovalResult result = Remove();
    EXPECT_EQ(result.LeftOvers, (std::vector<TLeftOver>{{install, TStayReason::HoldsOtherFiles},
                                                        {parent, TStayReason::HoldsOtherFiles}}));
    EXPECT_TRUE(RemovedCompletely(result));
    EXPECT_EQ(ReadFile(install + "\\Notes.txt"), "My notes.");
    EXPECT_FALSE(platform::FileExists(uninstaller));
    EXPECT_FALSE(platform::FileExists(install + "\\LarkNotes.exe"));
    EXPECT_FALSE(platform::FileExists(log));
    EXPECT_FALSE(KeyExists());
    EXPECT_TRUE(marked.empty());
}

TEST_F(UninstallRun, AFileInUseStaysAReadOnlyOneGoesAndTheRestCarriesOn) {
    ASSERT_TRUE(platform::SetReadOnly(install + "\\ReadMe.txt", true));
    platform::RemoveFile(install + "\\First-note.txt");  // removed by the user: nothing to report
    TRemovalResult result;
    {
        TFileStream open(install + "\\LarkNotes.exe", TFileMode::fmOpenRead);
        result = Remove();
    }
    EXPECT_EQ(result.LeftOvers, (std::vector<TLeftOver>{{install + "\\LarkNotes.exe", TStayReason::InUse},
                                                        {install, TStayReason::HoldsOtherFiles},
                                                        {parent, TStayReason::HoldsOtherFiles}}));
    EXPECT_FALSE(RemovedCompletely(result));
    EXPECT_FALSE(platform::FileExists(install + "\\ReadMe.txt"));
    EXPECT_FALSE(platform::FileExists(install + "\\Licence.txt"));
    EXPECT_FALSE(platform::FileExists(uninstaller));
    EXPECT_FALSE(platform::DirectoryExists(menu));
    EXPECT_FALSE(KeyExists());
    EXPECT_FALSE(platform::FileExists(log));
}

TEST_F(UninstallRun, AnUninstallerThatStillRunsIsLeftToTheRestartWithTheFoldersHoldingOnlyIt) {
    TRemovalResult result = CarryOutRemoval(Plan());
    {
        TFileStream running(uninstaller, TFileMode::fmOpenRead);  // a running program's file cannot be deleted
        FinishRemoval(result, [this](const std::string& path) { return Mark(path); });
    }
    EXPECT_EQ(marked, (std::vector<std::string>{uninstaller, install, parent}));
    EXPECT_TRUE(result.RestartPending);
    EXPECT_TRUE(RemovedCompletely(result));
    EXPECT_EQ(result.LeftOvers, std::vector<TLeftOver>{});
}

TEST_F(UninstallRun, ALongRemovalShowsItsProgressItemByItem) {
    std::string lines = ReadFile(log);
    for (int i = 0; i < 60; ++i) {
        const std::string file = install + "\\Data" + std::to_string(i) + ".txt";
        WriteFile(file, "d");
        lines.insert(lines.find("\r\n", lines.find("KEY=")) + 2, "COPYFILE=" + file + "\r\n");
    }
    WriteFile(log, lines);
    const TRemovalPlan plan = Plan();
    ASSERT_GE(plan.Steps.size(), kStepsShowingProgress);
    TRemovalProgressForm window(nullptr, "Uninstall Larkspur Notes", "Please wait while Larkspur Notes is removed.");
    size_t shown = 0;
    CarryOutRemoval(plan, [&](size_t done, size_t count, const std::string& item) {
        window.ShowStep(done, count, "Removing " + item);
        EXPECT_TRUE(IsWindowVisible(static_cast<HWND>(window.Handle())));
        EXPECT_EQ(window.Bar->Position(), int32_t(shown));
        EXPECT_EQ(window.Bar->Max(), int32_t(plan.Steps.size()));
        EXPECT_EQ(window.Item->Caption(), "Removing " + plan.Steps[shown].Path);
        ++shown;
    });
    EXPECT_EQ(shown, plan.Steps.size());
    EXPECT_FALSE(platform::FileExists(install + "\\Data59.txt"));
}

// The copy ends without its report, a moment after its pipe broke, as when
// it fails at its start: the original waits for its end, so that its file
// can be deleted, and passes its exit code on.
TEST(UninstallSelfCopy, ACopyEndingWithoutReportIsDeletedAndItsExitCodePassedOn) {
    const std::vector<std::string> before = CopyFolders();
    EXPECT_EQ(RemoveThroughCopy(KEL_FAILING_COPY, true), 7);
    EXPECT_EQ(CopyFolders(), before) << "the copy or its folder is left behind";
}
