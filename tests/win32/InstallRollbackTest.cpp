// Installations that fail, are cancelled or were interrupted leave the
// machine as it was: every change an installation makes is made to fail in
// turn, over a clean machine and over an earlier installation, and the
// files, folders, shortcuts and the product's registry key must be exactly
// as before. Journals and working folders left by killed runs are found and
// undone.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/JournalRollback.h"
#include "app/PageFlow.h"
#include "app/RunLog.h"
#include "app/SilentSetup.h"
#include "app/WorkFolderMarker.h"
#include "platform/FileSystem.h"
#include "platform/HeldFile.h"
#include "platform/Registry.h"
#include "platform/ui/CheckBox.h"
#include "shell/FolderTree.h"
#include "app/ScopeFolders.h"
#include "shell/ShellFolders.h"
#include "tests/win32/SetupFormFixture.h"

namespace {

const std::string kTitle = "Kel Rollback Test";
const std::string kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + kTitle;

// Counts the changes, keeps their list, and fails those the test chooses.
class TFailingGate : public TChangeGate {
public:
    explicit TFailingGate(std::function<bool(size_t index, const TJournalRecord&)> fails) : fails_(std::move(fails)) {}
    bool Make(const TJournalRecord& change, const std::function<bool()>& perform) override {
        Changes.push_back(change);
        if (fails_ && fails_(Changes.size(), change)) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        return perform();
    }
    std::vector<TJournalRecord> Changes;

private:
    std::function<bool(size_t, const TJournalRecord&)> fails_;
};

// Every folder (ending in "\") and file with its bytes below folder, the folder itself included.
void AddTree(const std::string& folder, std::vector<std::string>& out) {
    if (!platform::DirectoryExists(folder)) return;
    out.push_back(folder + "\\");
    platform::TFindEnum find;
    platform::TSearchRec found;
    std::vector<std::string> names;
    for (bool more = find.First(folder + "\\*.*", platform::faAnyFile, found); more; more = find.Next(found))
        if (found.Name != "." && found.Name != "..") names.push_back(found.Name);
    find.Close();
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string path = folder + "\\" + name;
        if (platform::DirectoryExists(path)) AddTree(path, out);
        else out.push_back(path + "=" + ReadFile(path));
    }
}

std::vector<std::string> RegistryValues(const std::vector<std::string>& names) {
    std::vector<std::string> out;
    platform::TRegistry registry(platform::TRootKey::rkLocalMachine);
    if (!registry.OpenKey(kUninstallKey, false)) return {"(no key)"};
    for (const std::string& name : names)
        if (const auto value = registry.ReadValue(name))
            out.push_back(name + "=" + std::to_string(value->Type) + ":" + std::string(value->Data.begin(), value->Data.end()));
    return out;
}

class InstallRollback : public SetupFormStart {
protected:
    const std::string productRoot = GetProgramFilesDir() + "Kel rollback test";
    const std::string destination = productRoot + "\\Product";
    const std::string group = ProgramsFolderOf(TInstallScope(), nullptr) + "\\Kel rollback test group";
    const std::string desktopLink = DesktopFolderOf(TInstallScope()) + "\\" + kTitle + ".lnk";
    TRunLog log;

    void SetUp() override {
        TearDown();
        payloadFiles = {{"ReadMe.txt", "Read me\r\n"}, {"docs\\guide.txt", "guide"}, {"uninstall.exe", "MZ"}};
        WritePayload("SiteletTitle=" + kTitle + "\r\nDestination=Kel rollback test\\Product\r\nTargetFile=tool.exe\r\n"
                     "Addfile=tool.exe\r\nAddfile=ReadMe.txt\r\nAddfile=docs\\guide.txt\r\nAddfile=uninstall.exe\r\n"
                     "Folder=Kel rollback test group\r\nReadMe=ReadMe.txt\r\nDesktopIcon=1\r\nVersion=2.0\r\n"
                     "Publisher=Kel Makers\r\n");
    }
    void TearDown() override {
        platform::SetReadOnly(destination + "\\notes.txt", false);
        DeleteFolderTree(productRoot);
        DeleteFolderTree(group);
        platform::RemoveFile(desktopLink);
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, platform::Wide(kUninstallKey).c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, platform::Wide(kUninstallKey).c_str());
    }

    // Everything the installation may touch, and the journals left.
    std::vector<std::string> Machine() {
        std::vector<std::string> state;
        AddTree(productRoot, state);
        AddTree(group, state);
        if (platform::FileExists(desktopLink)) state.push_back(desktopLink + "=" + ReadFile(desktopLink));
        for (const std::string& value :
             RegistryValues({"DisplayName", "UninstallString", "QuietUninstallString", "DisplayIcon", "InstallLocation",
                             "EstimatedSize", "NoModify", "NoRepair", "DisplayVersion", "Publisher", "Own"}))
            state.push_back(value);
        AddTree(JournalRoot(), state);
        return state;
    }

    // A silent installation through the gate; whether it completed.
    bool InstallThrough(TFailingGate& gate) {
        return InstallSilently(program, TSetupRun{true, std::nullopt, &log, &gate}) == TSilentOutcome::soInstalled;
    }

    // An earlier version in the destination, its group, link and entry; its
    // add-on and the folder of it, which this version does not install, are
    // removed by the upgrade.
    void InstallEarlierVersion() {
        ASSERT_TRUE(platform::ForceDirectories(destination + "\\docs"));
        ASSERT_TRUE(platform::ForceDirectories(group));
        WriteFile(destination + "\\tool.exe", "MZ version one");
        WriteFile(destination + "\\docs\\guide.txt", "old guide");
        ASSERT_TRUE(platform::ForceDirectories(destination + "\\addons"));
        WriteFile(destination + "\\addons\\old.dll", "MZ dropped");
        WriteFile(destination + "\\setup.log", "SetupLOG\r\nNAME=old\r\nKEY=" + kTitle + "\r\nCOPYFILE=" + destination +
                                                   "\\addons\\old.dll\r\nDIRECTORY=" + destination + "\\addons\r\n");
        WriteFile(destination + "\\notes.txt", "the user's own");
        ASSERT_TRUE(platform::SetReadOnly(destination + "\\notes.txt", true));
        WriteFile(group + "\\Uninstall.lnk", "old link");
        WriteFile(desktopLink, "old desktop link");
        platform::TRegistry registry(platform::TRootKey::rkLocalMachine);
        ASSERT_TRUE(registry.OpenKey(kUninstallKey, true));
        registry.WriteString("DisplayName", "Earlier");
        registry.WriteString("DisplayVersion", "1.0");
        registry.WriteString("UninstallString", "\"" + destination + "\\Uninstall.exe\"");
        registry.WriteInteger("Own", 7);
    }

    // Makes each change in turn fail; each time the machine must be as before.
    size_t FailEachChangeInTurn() {
        const std::vector<std::string> before = Machine();
        TFailingGate counting(nullptr);
        EXPECT_TRUE(InstallThrough(counting)) << "without a failure the installation completes";
        EXPECT_NE(Machine(), before);
        const size_t count = counting.Changes.size();
        TearDown();
        return count;
    }

    void ExpectEachFailureUndone(size_t count, const std::function<void()>& prepare) {
        for (size_t k = 1; k <= count; ++k) {
            prepare();
            const std::vector<std::string> before = Machine();
            TFailingGate gate([k](size_t index, const TJournalRecord&) { return index == k; });
            EXPECT_FALSE(InstallThrough(gate)) << k;
            ASSERT_GE(gate.Changes.size(), k);
            const TJournalRecord& failed = gate.Changes[k - 1];
            EXPECT_EQ(Machine(), before) << "change " << k << ": " << char(failed.Kind) << " " << failed.Path << " "
                                         << failed.Detail;
            TearDown();
        }
    }
};

}  // namespace

TEST_F(InstallRollback, EachFailedChangeOfAFreshInstallationLeavesTheMachineAsItWas) {
    const size_t count = FailEachChangeInTurn();
    std::printf("changes of the fresh installation: %zu\n", count);
    EXPECT_GE(count, 20u);
    ExpectEachFailureUndone(count, [] {});
}

TEST_F(InstallRollback, EachFailedChangeOverAnEarlierInstallationPutsItsBytesAndValuesBack) {
    InstallEarlierVersion();
    const size_t count = FailEachChangeInTurn();
    std::printf("changes of the installation over an earlier one: %zu\n", count);
    ExpectEachFailureUndone(count, [this] { InstallEarlierVersion(); });
}

TEST_F(InstallRollback, TheRunLogNamesTheFailedStepAndSaysEverythingWasUndone) {
    ScratchFolder logs;
    log.Open(logs / "run.log");
    TFailingGate gate([](size_t, const TJournalRecord& change) { return change.Path.ends_with("guide.txt"); });
    EXPECT_FALSE(InstallThrough(gate));
    const std::string text = ReadFile(logs / "run.log");
    EXPECT_NE(text.find("Error: Failed step: Create file " + destination + "\\docs\\guide.txt ("), std::string::npos)
        << text;
    EXPECT_NE(text.find("Rolled back: everything the installation changed was undone"), std::string::npos) << text;
    EXPECT_FALSE(platform::DirectoryExists(productRoot));
}

// An installation for the user alone keeps its journal in the user's own
// folder and writes its entry below HKEY_CURRENT_USER; undone, the entry
// goes from there, and nothing ever touched the machine's list.
TEST_F(InstallRollback, AUsersInstallationJournalsInTheUsersFolderAndUndoesItsEntryThere) {
    const TInstallScope user = TInstallScope::isUser;
    const std::string userJournals = JournalRoot(user);
    ASSERT_NE(userJournals, JournalRoot()) << "the machine's and the user's journals lie apart";
    std::vector<std::string> seenAtTheLog;
    TFailingGate gate([&](size_t, const TJournalRecord& change) {
        if (!change.Path.ends_with("setup.log")) return false;
        std::vector<std::string> journals;
        AddTree(userJournals, journals);
        const bool journalThere = std::any_of(journals.begin(), journals.end(), [](const std::string& entry) {
            return entry.find(".journal=") != std::string::npos;
        });
        seenAtTheLog = {journalThere ? "journal in the user's folder" : "no journal in the user's folder",
                        platform::TRegistry(platform::TRootKey::rkCurrentUser).KeyExists(kUninstallKey) ? "user's entry" : "no user's entry",
                        platform::TRegistry(platform::TRootKey::rkLocalMachine).KeyExists(kUninstallKey) ? "machine's entry" : "no machine's entry"};
        return true;
    });
    EXPECT_EQ(InstallSilently(program, TSetupRun{true, destination, &log, &gate, "", user}), TSilentOutcome::soFailed);
    EXPECT_EQ(seenAtTheLog, (std::vector<std::string>{"journal in the user's folder", "user's entry", "no machine's entry"}));
    EXPECT_FALSE(platform::TRegistry(platform::TRootKey::rkCurrentUser).KeyExists(kUninstallKey));
    EXPECT_FALSE(platform::DirectoryExists(productRoot));
    std::vector<std::string> left;
    AddTree(userJournals, left);
    EXPECT_LE(left.size(), 1u) << "at most the journals' folder, empty: " << left.size();
}

// The wizard: a finish whose log cannot be written, then Cancel answered Yes.
TEST_F(InstallRollback, TheWizardCancelledAfterAFailedFinishUndoesTheInstallation) {
    InstallEarlierVersion();
    const std::vector<std::string> before = Machine();
    TFailingGate gate([](size_t, const TJournalRecord& change) { return change.Path.ends_with("setup.log"); });
    {
        TSetupForm form(nullptr, program, TSetupRun{false, std::nullopt, &log, &gate});
        form.Show();
        form.ShowPage(wpCopy);
        EXPECT_EQ(ReadFile(destination + "\\tool.exe"), "MZ");
        form.ReadMeCheck->SetChecked(false);
        form.LaunchProgCheck->SetChecked(false);
        EXPECT_NE(MessageOf([&] { form.ForwardbuttonClick(*form.Forwardbutton); }), "");
        EXPECT_EQ(CancelAnswering(form, VK_RETURN), "Do you want to cancel setup?");
    }
    EXPECT_EQ(Machine(), before);
}

// What killed runs leave: journals no one holds are undone (unless
// committed), a held one is left to its setup; working folders whose marker
// no one holds go, others stay.
TEST_F(InstallRollback, TheNextRunUndoesJournalsAndRemovesWorkingFoldersOfKilledRuns) {
    InstallEarlierVersion();
    const std::vector<std::string> before = Machine();
    const std::string root = JournalRoot();
    ASSERT_TRUE(platform::DirectoryExists(root) || platform::CreateAdminFolder(root));
    // A journal as a killed run leaves it: its copy of the replaced file, a last line cut off.
    ASSERT_TRUE(platform::CreateDir(root + "\\kill"));
    WriteFile(root + "\\kill\\1.bak", "MZ version one");
    WriteFile(destination + "\\tool.exe", "MZ half-written");
    ASSERT_TRUE(platform::CreateDir(destination + "\\plugins"));
    WriteFile(destination + "\\plugins\\codec.dll", "codec");
    platform::TRegistry registry(platform::TRootKey::rkLocalMachine);
    ASSERT_TRUE(registry.OpenKey(kUninstallKey, false));
    const auto earlierName = registry.ReadValue("DisplayName");
    registry.WriteString("DisplayName", kTitle);
    WriteFile(root + "\\kill.journal",
              JournalLine({TChangeKind::FileReplaced, destination + "\\tool.exe", root + "\\kill\\1.bak", {}}) +
                  JournalLine({TChangeKind::FolderMade, destination + "\\plugins", "", {}}) +
                  JournalLine({TChangeKind::FileCreated, destination + "\\plugins\\codec.dll", "", {}}) +
                  JournalLine({TChangeKind::ValueWritten, kUninstallKey, "DisplayName", earlierName}) + "F\t" +
                  destination + "\\tool.exe");
    // A committed journal, and one a running setup holds.
    WriteFile(root + "\\done.journal",
              JournalLine({TChangeKind::FileCreated, destination + "\\notes.txt", "", {}}) + JournalLine({}));
    platform::THeldFile running;
    ASSERT_TRUE(running.Create(root + "\\running.journal"));
    running.Append(JournalLine({TChangeKind::FileCreated, destination + "\\docs\\guide.txt", "", {}}));
    // Working folders: a killed setup's, one killed before its marker, a
    // running setup's, and folders of someone else's.
    const std::string killed = scratch / "temp", early = scratch / "tempx", held = scratch / "tempxx",
                      other = scratch / "tempxxx", empty = scratch / "tempxxxx";
    for (const std::string& folder : {killed, early, held, other}) ASSERT_TRUE(platform::ForceDirectories(folder + "\\Graphics"));
    ASSERT_TRUE(platform::CreateDir(early + "\\Sounds"));
    ASSERT_TRUE(platform::CreateDir(empty));
    WriteFile(killed + "\\" + kWorkFolderMarker, "");
    WriteFile(other + "\\Graphics\\mine.bmp", "");
    TWorkFolderMarker marker;
    marker.Hold(held + "\\");

    EXPECT_EQ(RecoverInterruptedInstallations(), std::vector<std::string>{root + "\\kill.journal"});
    RemoveLeftWorkFolders(scratch.Path() + "\\", true);

    running.Close();
    platform::RemoveFile(root + "\\running.journal");
    EXPECT_EQ(Machine(), before);
    EXPECT_FALSE(platform::DirectoryExists(killed));
    EXPECT_FALSE(platform::DirectoryExists(early));
    EXPECT_TRUE(platform::DirectoryExists(held));
    EXPECT_TRUE(platform::DirectoryExists(other));
    EXPECT_TRUE(platform::DirectoryExists(empty));
}
