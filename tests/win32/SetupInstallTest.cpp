// The copy phase and the finishing actions of the wizard form, run for real
// under Wine: the installed files, the program group and its shortcuts, the
// desktop shortcut, "setup.log" and the uninstall entry.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <commctrl.h>
#include <memory>
#include <string>
#include <vector>

#include "app/PageFlow.h"
#include "app/SilentSetup.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/ShellLink.h"
#include "platform/StringList.h"
#include "platform/SystemError.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/Label.h"
#include "platform/ui/ProgressBar.h"
#include "shell/FolderTree.h"
#include "app/ScopeFolders.h"
#include "shell/ShellFolders.h"
#include "skin/KelButton.h"
#include "tests/win32/QuestionBox.h"
#include "tests/win32/RegistryValueOverride.h"
#include "tests/win32/SetupFormFixture.h"

namespace {

const std::string kTitle = "Kel Install Test";
const std::string kGroupName = "Kel install test group";
const std::string kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + kTitle;

struct TLinkContents {
    std::string Target, Arguments, WorkingFolder, Description;
    bool operator==(const TLinkContents&) const = default;
};

void PrintTo(const TLinkContents& link, std::ostream* out) {
    *out << "{" << link.Target << " | " << link.Arguments << " | " << link.WorkingFolder << " | " << link.Description
         << "}";
}

TLinkContents LinkContents(const std::string& linkFile) {
    platform::TShellLink link;
    if (!link.Load(linkFile)) return {"(no link " + linkFile + ")", "", "", ""};
    return {link.Path(), link.Arguments(), link.WorkingDirectory(), link.Description()};
}

std::string RegistryValue(const std::string& name) {
    platform::TRegistry registry(platform::TRootKey::rkLocalMachine);
    if (!registry.OpenKey(kUninstallKey, false)) return "(no key)";
    if (!registry.ValueExists(name)) return "(no value)";
    const std::optional<platform::TRegistryValue> value = registry.ReadValue(name);
    if (value && value->Type == REG_DWORD) return "dword " + std::to_string(*reinterpret_cast<const DWORD*>(value->Data.data()));
    return registry.ReadString(name);
}

// The text of a message box: its static control has the number 0xFFFF.
std::string MessageBoxText(HWND box) {
    return TextOf(GetDlgItem(box, 0xFFFF));
}

// Everything a run leaves behind goes again after each test: the product's
// folder below Program Files, the program group, the desktop shortcut and
// the uninstall entry.
class SetupInstall : public SetupFormStart {
protected:
    std::unique_ptr<TSetupForm> form;
    const std::string productRoot = GetProgramFilesDir() + "Kel install test";
    const std::string destination = productRoot + "\\Product";
    const std::string group = ProgramsFolderOf(TInstallScope(), nullptr) + "\\" + kGroupName;
    const std::string desktopLink = DesktopFolderOf(TInstallScope()) + "\\" + kTitle + ".lnk";
    const std::string startFolder = platform::CurrentFolder();

    void SetUp() override {
        TearDown();
        payloadFiles = {{"ReadMe.txt", "Read me\r\n"}, {"data.bin", std::string("\0\1\2\xFF", 4)}};
    }
    void TearDown() override {
        form.reset();
        platform::SetCurrentFolder(startFolder);
        DeleteFolderTree(productRoot);
        DeleteFolderTree(group);
        platform::RemoveFile(desktopLink);
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, platform::Wide(kUninstallKey).c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, platform::Wide(kUninstallKey).c_str());
    }

    // Starts the wizard for the product with the given further entries; the
    // ReadMe viewer and the program are never started from a test.
    void StartWith(const std::string& entries) {
        WritePayload("SiteletTitle=" + kTitle + "\r\nDestination=Kel install test\\Product\r\nTargetFile=tool.exe\r\n" +
                     entries);
        form = Start();
        form->Show();
    }
    void Install() { form->ShowPage(wpCopy); }
    void Finish() {
        form->ReadMeCheck->SetChecked(false);
        form->LaunchProgCheck->SetChecked(false);
        form->ForwardbuttonClick(*form->Forwardbutton);
    }
    std::string Log() { return ReadFile(destination + "\\setup.log"); }
};

const char* const kFullRun =
    "Addfile=tool.exe\r\nAddfile=ReadMe.txt\r\nAddfile=data.bin\r\nFolder=Kel install test group\r\n"
    "ReadMe=ReadMe.txt\r\nDesktopIcon=1\r\nLaunchProg=1\r\nVersion=2.5\r\nPublisher=Kel Makers\r\n";

}  // namespace

TEST_F(SetupInstall, AFullRunCopiesLogsInReverseOrderAndRegistersTheUninstaller) {
    StartWith(kFullRun);
    Install();
    EXPECT_EQ(form->CurrentPage(), wpFinish);
    EXPECT_EQ(form->CopyProgress->Position(), 100) << "every byte of the three files written";
    EXPECT_EQ(ReadFile(destination + "\\tool.exe"), "MZ");
    EXPECT_EQ(ReadFile(destination + "\\data.bin"), std::string("\0\1\2\xFF", 4));
    for (const char* folder : {"\\Graphics", "\\Sounds", "\\Additional"})
        EXPECT_TRUE(platform::DirectoryExists(destination + folder)) << folder;
    Finish();
    EXPECT_FALSE(form->Visible()) << "the wizard closes at the end";

    const std::string d = destination;
    EXPECT_EQ(Log(), "SetupLOG\r\nNAME=" + kTitle + "\r\nKEY=" + kTitle + "\r\n"
                     "LINK=" + desktopLink + "\r\n"
                     "LINK=" + group + "\\ReadMe.txt.lnk\r\n"
                     "LINK=" + group + "\\Uninstall.lnk\r\n"
                     "LINK=" + group + "\\" + kTitle + ".lnk\r\n"
                     "DIRECTORY=" + group + "\r\n"
                     "COPYFILE=" + d + "\\data.bin\r\nCOPYFILE=" + d + "\\ReadMe.txt\r\nCOPYFILE=" + d + "\\tool.exe\r\n"
                     "DIRECTORY=" + d + "\\Additional\r\nDIRECTORY=" + d + "\\Sounds\r\nDIRECTORY=" + d + "\\Graphics\r\n"
                     "DIRECTORY=" + d + "\r\n"
                     "DIRECTORY=" + productRoot + "\r\n")
        << "the parent folder that the setup made is logged below the destination, so it goes after it";
    const std::pair<const char*, std::string> values[] = {
        {"DisplayName", kTitle},
        {"UninstallString", "\"" + d + "\\uninstall.exe\""},  // quoted: the path has blanks
        {"QuietUninstallString", "\"" + d + "\\uninstall.exe\" /S"},
        {"DisplayIcon", d + "\\tool.exe"},
        {"InstallLocation", d},
        {"EstimatedSize", "dword 1"},  // 15 bytes, rounded up
        {"NoModify", "dword 1"},
        {"NoRepair", "dword 1"},
        {"DisplayVersion", "2.5"},
        {"Publisher", "Kel Makers"},
    };
    for (const auto& [name, value] : values) EXPECT_EQ(RegistryValue(name), value) << name;
}

TEST_F(SetupInstall, ShortcutsReadBackWithTargetArgumentsFolderAndDescription) {
    payloadFiles.push_back({"uninstall.exe", "MZ"});
    StartWith("Addfile=tool.exe\r\nFolder=Kel install test group\r\nReadMe=docs\\read me.txt\r\nDesktopIcon=1\r\n");
    Install();
    Finish();
    const std::string d = destination;
    EXPECT_EQ(LinkContents(group + "\\" + kTitle + ".lnk"), (TLinkContents{d + "\\tool.exe", "", d, kTitle}));
    EXPECT_EQ(LinkContents(group + "\\Uninstall.lnk"),
              (TLinkContents{d + "\\uninstall.exe", "", d, "Uninstall " + kTitle}));
    const TLinkContents readMe = LinkContents(group + "\\read me.txt.lnk");
    EXPECT_TRUE(readMe.Target.ends_with("notepad.exe")) << readMe.Target;
    EXPECT_EQ(readMe.Arguments, "docs\\read me.txt") << "the ReadMe value as written";
    EXPECT_EQ(readMe.WorkingFolder, d) << "a relative ReadMe is found among the installed files";
    EXPECT_EQ(readMe.Description, "read me.txt");
    EXPECT_EQ(LinkContents(desktopLink), (TLinkContents{d + "\\tool.exe", "", d, kTitle}));
}

TEST_F(SetupInstall, WithoutGroupAndDesktopShortcutTheLogHoldsOnlyFilesAndFolders) {
    ASSERT_TRUE(platform::ForceDirectories(destination));
    WriteFile(destination + "\\setup.log", std::string(5000, 'x'));
    StartWith("Addfile=tool.exe\r\nAddfile=tool.exe\r\nFolder=   \r\nReadMe=ReadMe.txt\r\nDesktopIcon=1\r\n");
    form->DesktopCheck->SetChecked(false);
    Install();
    Finish();
    const std::string d = destination;
    EXPECT_EQ(Log(), "SetupLOG\r\nNAME=" + kTitle + "\r\nKEY=" + kTitle + "\r\n"
                     "COPYFILE=" + d + "\\tool.exe\r\nCOPYFILE=" + d + "\\tool.exe\r\n"
                     "DIRECTORY=" + d + "\\Additional\r\nDIRECTORY=" + d + "\\Sounds\r\nDIRECTORY=" + d + "\\Graphics\r\n"
                     "DIRECTORY=" + d + "\r\n")
        << "the same file twice is logged twice, and the old log is replaced";
    EXPECT_FALSE(platform::DirectoryExists(group));
    EXPECT_FALSE(platform::FileExists(desktopLink));
}

TEST_F(SetupInstall, AnExistingGroupGetsTheShortcutsButNoFolderLine) {
    ASSERT_TRUE(platform::CreateDir(group));
    StartWith("Addfile=tool.exe\r\nFolder=Kel install test group\r\n");
    Install();
    Finish();
    const std::string log = Log();
    EXPECT_EQ(log.find("DIRECTORY=" + group), std::string::npos) << log;
    EXPECT_NE(log.find("LINK=" + group + "\\Uninstall.lnk"), std::string::npos) << log;
    EXPECT_TRUE(platform::FileExists(group + "\\" + kTitle + ".lnk"));
    EXPECT_FALSE(platform::FileExists(group + "\\ReadMe.txt.lnk")) << "no ReadMe, no ReadMe shortcut";
}

TEST_F(SetupInstall, TwoRunsWithOneTitleShareTheKeyAndTheSecondWins) {
    {
        platform::TRegistry registry(platform::TRootKey::rkLocalMachine);
        ASSERT_TRUE(registry.OpenKey(kUninstallKey, true));
        registry.WriteString("Publisher", "Someone");
    }
    StartWith("Addfile=tool.exe\r\n");
    Install();
    Finish();
    form.reset();
    WritePayload("SiteletTitle=" + kTitle + "\r\nDestination=Kel install test\\Second\r\nAddfile=tool.exe\r\n");
    form = Start();
    form->Show();
    Install();
    Finish();
    EXPECT_EQ(RegistryValue("DisplayName"), kTitle);
    EXPECT_EQ(RegistryValue("UninstallString"), "\"" + destination + "\\uninstall.exe\"")
        << "the second run installs where the first did";
    EXPECT_FALSE(platform::DirectoryExists(productRoot + "\\Second"));
    EXPECT_EQ(RegistryValue("Publisher"), "Someone") << "other values of the key are left alone";
    EXPECT_EQ(RegistryValue("DisplayVersion"), "(no value)") << "a description without a version writes none";
}

TEST_F(SetupInstall, AProgramFolderWithSubFoldersIsMadeLevelByLevelAndEachNewLevelLogged) {
    const std::string vendor = ProgramsFolderOf(TInstallScope(), nullptr) + "\\Kel install test vendor";
    StartWith("Addfile=tool.exe\r\nFolder=Kel install test vendor\\Suite\\Tool\r\n");
    Install();
    Finish();
    const std::string log = Log();
    DeleteFolderTree(vendor);
    EXPECT_NE(log.find("LINK=" + vendor + "\\Suite\\Tool\\Uninstall.lnk\r\n"
                       "LINK=" + vendor + "\\Suite\\Tool\\" + kTitle + ".lnk\r\n"
                       "DIRECTORY=" + vendor + "\\Suite\\Tool\r\n"
                       "DIRECTORY=" + vendor + "\\Suite\r\n"
                       "DIRECTORY=" + vendor + "\r\n"),
              std::string::npos)
        << log;
}

// Each folder below the destination is made before the first file in it and
// logged there, so that the uninstaller removes it after its files.
TEST_F(SetupInstall, FilesInFoldersLandInTheSameFoldersBelowTheDestinationEachNewFolderLogged) {
    payloadFiles.push_back({"plugins\\codec.dll", "codec"});
    payloadFiles.push_back({"plugins\\de\\strings.txt", "Zeichen"});
    StartWith("Addfile=plugins\\de\\strings.txt\r\nAddfile=plugins/codec.dll\r\nAddfile=tool.exe\r\n");
    Install();
    Finish();
    const std::string d = destination;
    EXPECT_EQ(ReadFile(d + "\\plugins\\de\\strings.txt"), "Zeichen");
    EXPECT_EQ(ReadFile(d + "\\plugins\\codec.dll"), "codec");
    EXPECT_EQ(Log(), "SetupLOG\r\nNAME=" + kTitle + "\r\nKEY=" + kTitle + "\r\n"
                     "COPYFILE=" + d + "\\tool.exe\r\nCOPYFILE=" + d + "\\plugins/codec.dll\r\n"
                     "COPYFILE=" + d + "\\plugins\\de\\strings.txt\r\n"
                     "DIRECTORY=" + d + "\\plugins\\de\r\nDIRECTORY=" + d + "\\plugins\r\n"
                     "DIRECTORY=" + d + "\\Additional\r\nDIRECTORY=" + d + "\\Sounds\r\nDIRECTORY=" + d + "\\Graphics\r\n"
                     "DIRECTORY=" + d + "\r\n"
                     "DIRECTORY=" + productRoot + "\r\n");
}

namespace {

std::vector<int>& BarPositions() {
    static std::vector<int> positions;
    return positions;
}

// Notes each position a progress bar of this thread is given.
LRESULT CALLBACK NoteBarPosition(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == PBM_SETPOS) BarPositions().push_back(int(message->wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST_F(SetupInstall, TheBarMovesSteadilyUpToTheLastOfThreeThousandFiles) {
    std::string entries;
    for (int i = 0; i < 3000; ++i) {
        const std::string name = "many\\" + std::to_string(i % 30) + "\\f" + std::to_string(i) + ".txt";
        payloadFiles.push_back({name, "x"});
        entries += "Addfile=" + name + "\r\n";
    }
    StartWith(entries);
    BarPositions().clear();
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, NoteBarPosition, nullptr, GetCurrentThreadId());
    Install();
    UnhookWindowsHookEx(hook);
    const std::vector<int>& positions = BarPositions();
    ASSERT_GE(positions.size(), 3u) << "the bar moved while the files were copied";
    EXPECT_EQ(positions.back(), 100) << "every byte written at the end";
    EXPECT_LT(positions.front(), 100);
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_EQ(form->Copymessage->Caption(), "copying many\\29\\f2999.txt");
    EXPECT_EQ(ReadFile(destination + "\\many\\29\\f2999.txt"), "x");
}

TEST_F(SetupInstall, FilesThatCouldNotBeCopiedAreListedInOneBoxAndStillLogged) {
    StartWith("Addfile=missing one.txt\r\nAddfile=tool.exe\r\nAddfile=missing two.txt\r\n");
    std::string shown;
    WithQuestionBoxAnswer([&] { Install(); },
                          [&](HWND box) {
                              shown = TextOf(box) + "|" + MessageBoxText(box);
                              PostMessageW(box, WM_COMMAND, IDOK, 0);
                          });
    // Each with the system's reason: the source is not there.
    const std::string missing = " (" + platform::SystemErrorMessage(ERROR_FILE_NOT_FOUND) + ")\n";
    EXPECT_EQ(shown, kTitle + "|The following files could not be copied:\n\n" + destination + "\\missing one.txt" +
                         missing + destination + "\\missing two.txt" + missing +
                         "\nThe other files were installed. Make room on the disk "
                         "or close the programs that use these files, then run the setup again.");
    EXPECT_EQ(form->CurrentPage(), wpFinish) << "the wizard goes on to its end";
    EXPECT_EQ(ReadFile(destination + "\\tool.exe"), "MZ");
    Finish();
    EXPECT_NE(Log().find("COPYFILE=" + destination + "\\missing two.txt\r\n"), std::string::npos);
}

TEST_F(SetupInstall, AFailedFinishStaysOnItsPageWithoutAnEntryAndRunsAgainFromTheTop) {
    StartWith("Addfile=tool.exe\r\nDesktopIcon=1\r\n");
    Install();
    ASSERT_TRUE(platform::CreateDir(destination + "\\setup.log"));  // a folder where the log should go
    EXPECT_EQ(MessageOf([&] { Finish(); }), "Datei " + destination + "\\setup.log kann nicht erstellt werden");
    EXPECT_EQ(form->CurrentPage(), wpFinish);
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(RegistryValue("DisplayName"), "(no key)") << "no entry stays without its log";
    EXPECT_EQ(CancelAnswering(*form, VK_ESCAPE), "Do you want to cancel setup?") << "Cancel is a way out now";
    EXPECT_TRUE(form->Visible());
    ASSERT_TRUE(platform::RemoveDir(destination + "\\setup.log"));
    Finish();
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(Log().substr(0, 200).find("SetupLOG\r\nNAME=" + kTitle + "\r\nKEY=" + kTitle + "\r\nLINK=" + desktopLink +
                                        "\r\nSetupLOG\r\nNAME="),
              0u)
        << "the second try adds the head lines and the desktop shortcut again";
    EXPECT_EQ(RegistryValue("DisplayName"), kTitle);
}

TEST_F(SetupInstall, AnEarlierEntryGetsItsValuesBackWhenTheLogCannotBeWritten) {
    {
        platform::TRegistry registry(platform::TRootKey::rkLocalMachine);
        ASSERT_TRUE(registry.OpenKey(kUninstallKey, true));
        registry.WriteString("DisplayName", "Earlier");
        registry.WriteString("UninstallString", destination + "\\Uninstall.exe");
        registry.WriteInteger("NoModify", 7);
    }
    StartWith("Addfile=tool.exe\r\nPublisher=Kel Makers\r\n");
    Install();
    ASSERT_TRUE(platform::CreateDir(destination + "\\setup.log"));
    EXPECT_NE(MessageOf([&] { Finish(); }), "");
    const std::pair<const char*, std::string> values[] = {
        {"DisplayName", "Earlier"},       {"UninstallString", destination + "\\Uninstall.exe"},
        {"NoModify", "dword 7"},          {"QuietUninstallString", "(no value)"},
        {"Publisher", "(no value)"},      {"EstimatedSize", "(no value)"},
    };
    for (const auto& [name, value] : values) EXPECT_EQ(RegistryValue(name), value) << name;
}

TEST_F(SetupInstall, LaunchingMakesTheDestinationTheCurrentFolder) {
    StartWith("Addfile=ReadMe.txt\r\nTargetFile=not installed.exe\r\nLaunchProg=1\r\n");
    Install();
    form->ReadMeCheck->SetChecked(false);
    ASSERT_TRUE(form->LaunchProgCheck->Checked());
    form->ForwardbuttonClick(*form->Forwardbutton);
    EXPECT_EQ(platform::CurrentFolder(), destination);
}

TEST_F(SetupInstall, AProgramFolderThatCannotBeMadeIsLeftOutAndTheInstallationStillFinishes) {
    const std::string bad = ProgramsFolderOf(TInstallScope(), nullptr) + "\\Kel bad <name>";
    StartWith("Addfile=tool.exe\r\nFolder=Kel bad <name>\r\nDesktopIcon=1\r\n");
    std::string shown;
    WithQuestionBoxAnswer([&] { Install(); },
                          [&](HWND box) {
                              shown = MessageBoxText(box);
                              PostMessageW(box, WM_COMMAND, IDOK, 0);
                          });
    EXPECT_EQ(shown.rfind("The program folder " + bad + " could not be created (", 0), 0u) << shown;
    EXPECT_EQ(form->CurrentPage(), wpFinish);
    Finish();
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(Log().find(bad), std::string::npos) << "nothing of it is logged";
    EXPECT_NE(Log().find("LINK=" + desktopLink), std::string::npos) << "the rest of the installation is complete";
    EXPECT_EQ(RegistryValue("DisplayName"), kTitle);
}

// A folder that takes a shortcut's name keeps the shortcut from being
// saved: each such shortcut is a failed step with its reason, and none is
// logged as made, in the program group or on the desktop.
TEST_F(SetupInstall, AShortcutThatCannotBeSavedIsAFailedStepAndNotLogged) {
    const std::string groupLink = group + "\\" + kTitle + ".lnk";
    ASSERT_TRUE(platform::ForceDirectories(groupLink));
    ASSERT_TRUE(platform::CreateDir(desktopLink));
    StartWith("Addfile=tool.exe\r\nFolder=Kel install test group\r\nDesktopIcon=1\r\n");
    std::vector<std::string> shown;
    const auto answer = [&](HWND box) {
        shown.push_back(MessageBoxText(box));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    };
    WithQuestionBoxAnswer([&] { Install(); }, answer);
    WithQuestionBoxAnswer([&] { Finish(); }, answer);
    platform::RemoveDir(desktopLink);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].rfind("The shortcut " + groupLink + " could not be saved (", 0), 0u) << shown[0];
    EXPECT_EQ(shown[1].rfind("The shortcut " + desktopLink + " could not be saved (", 0), 0u) << shown[1];
    const std::string log = Log();
    EXPECT_EQ(log.find("LINK=" + groupLink), std::string::npos) << log;
    EXPECT_EQ(log.find("LINK=" + desktopLink), std::string::npos) << log;
    EXPECT_NE(log.find("LINK=" + group + "\\Uninstall.lnk"), std::string::npos) << "the others are made" << log;
}

// The user's desktop, as the user's shell folders name it, for an installation for the user alone.
TEST_F(SetupInstall, WithoutADesktopFolderTheDesktopShortcutIsLeftOut) {
    WritePayload("SiteletTitle=" + kTitle + "\r\nTargetFile=tool.exe\r\nAddfile=tool.exe\r\nDesktopIcon=1\r\n");
    form = std::make_unique<TSetupForm>(nullptr, program, TSetupRun{false, destination, nullptr, nullptr, "", TInstallScope::isUser});
    form->Show();
    const std::string desktopLink = GetShellFolder(0) + "\\" + kTitle + ".lnk";
    Install();
    {
        ValueOverride desktop(platform::TRootKey::rkCurrentUser,
                              "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Desktop");
        desktop.Remove();
        ASSERT_TRUE(form->DesktopCheck->Checked());
        Finish();
    }
    EXPECT_FALSE(platform::FileExists(desktopLink));
    EXPECT_FALSE(platform::FileExists("\\" + kTitle + ".lnk")) << "nothing lands at the root of the current drive";
    EXPECT_EQ(Log().find("LINK="), std::string::npos);
}

namespace {

// Sends the window's close command (what Alt+F4 and the task bar's close
// do); a question box it raises is answered with `key`. The question, or ""
// when none was asked.
std::string CloseAnswering(TSetupForm& form, WPARAM key) {
    std::string question;
    WithQuestionBoxAnswer([&] { SendMessageW(static_cast<HWND>(form.Handle()), WM_CLOSE, 0, 0); },
                          [&](HWND box) {
                              question = QuestionOf(box);
                              PostKey(key);
                          });
    return question;
}

}  // namespace

TEST_F(SetupInstall, TheCloseKeyAsksWhereCancelAsksAndOnTheFinishPageCompletesWithoutStartingAnything) {
    StartWith(kFullRun);
    for (const uint8_t page : {wpWelcome, wpDestination, wpFolder}) {
        form->ShowPage(page);
        EXPECT_EQ(CloseAnswering(*form, VK_ESCAPE), "Do you want to cancel setup?") << int(page);
        EXPECT_TRUE(form->Visible()) << "No keeps the wizard, page " << int(page);
    }
    Install();
    ASSERT_TRUE(form->LaunchProgCheck->Checked());
    EXPECT_EQ(CloseAnswering(*form, VK_ESCAPE), "") << "the Finish page does not ask";
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(Log().rfind("SetupLOG\r\nNAME=" + kTitle + "\r\nKEY=" + kTitle + "\r\nLINK=" + desktopLink + "\r\n", 0), 0u);
    EXPECT_EQ(RegistryValue("DisplayName"), kTitle);
    EXPECT_EQ(platform::CurrentFolder(), startFolder) << "the program was not started";
}

// A question that the close key raises inside another box's loop: answered
// No by its own timer, so that a wrong question cannot hang the test.
std::string& NestedQuestion() {
    static std::string question;
    return question;
}

void CALLBACK AnswerNestedQuestion(HWND, UINT, UINT_PTR id, DWORD) {
    const std::string question = QuestionOf(GetActiveWindow());
    if (question.empty()) return;
    KillTimer(nullptr, id);
    NestedQuestion() = question;
    PostKey(VK_ESCAPE);
}

TEST_F(SetupInstall, TheCloseKeyDoesNothingWhileFilesAreCopied) {
    StartWith("Addfile=missing.txt\r\nAddfile=tool.exe\r\n");
    NestedQuestion() = "";
    bool boxShown = false;
    WithQuestionBoxAnswer([&] { Install(); },
                          [&](HWND box) {
                              // Still inside the copy phase: the box of failed copies is up.
                              boxShown = true;
                              const UINT_PTR timer = SetTimer(nullptr, 0, 10, AnswerNestedQuestion);
                              SendMessageW(static_cast<HWND>(form->Handle()), WM_CLOSE, 0, 0);
                              KillTimer(nullptr, timer);
                              PostMessageW(box, WM_COMMAND, IDOK, 0);
                          });
    EXPECT_TRUE(boxShown);
    EXPECT_EQ(NestedQuestion(), "");
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->CurrentPage(), wpFinish);
}

TEST_F(SetupInstall, WithoutAWindowItInstallsAsDescribedAndTellsFailuresOnlyInItsLog) {
    WritePayload("SiteletTitle=" + kTitle + "\r\nDestination=Elsewhere\r\nTargetFile=tool.exe\r\nLicence=Licence.txt\r\n"
                 "Addfile=tool.exe\r\nAddfile=missing.txt\r\nFolder=" + kGroupName + "\r\nDesktopIcon=1\r\n"
                 "ReadMe=ReadMe.txt\r\nLaunchProg=1\r\n");
    const std::string runLog = scratch / "run.log";
    TRunLog log;
    log.Open(runLog);
    TSilentOutcome outcome = TSilentOutcome::soInstalled;
    std::string box = "(none)";
    WithQuestionBoxAnswer([&] { outcome = InstallSilently(program, TSetupRun{true, destination, &log}); },
                          [&](HWND shown) {
                              box = TextOf(shown);
                              PostMessageW(shown, WM_COMMAND, IDOK, 0);
                          });
    EXPECT_EQ(outcome, TSilentOutcome::soFailed) << "a file could not be copied";
    EXPECT_EQ(box, "(none)");
    EXPECT_FALSE(platform::DirectoryExists(destination)) << "the failed installation is undone";
    EXPECT_FALSE(platform::DirectoryExists(group));
    EXPECT_FALSE(platform::FileExists(desktopLink));
    EXPECT_EQ(RegistryValue("DisplayName"), "(no key)");
    EXPECT_EQ(platform::CurrentFolder(), startFolder) << "the program was not started";
    const std::string steps = ReadFile(runLog);
    for (const std::string& line : {"Copied " + destination + "\\tool.exe\r\n",
                                    "Error: Could not copy " + destination + "\\missing.txt (",
                                    std::string("Rolled back: everything the installation changed was undone\r\n")})
        EXPECT_NE(steps.find(line), std::string::npos) << line << "in\n" << steps;
}
