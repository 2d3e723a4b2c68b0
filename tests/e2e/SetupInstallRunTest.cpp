// The sample setup installed from start to finish with the real mouse, in
// English and in German, and once with a file that cannot be copied. What
// the run leaves in the Wine prefix is checked afterwards: the files, the
// log, the uninstall entry, the shortcuts, and the programs it started.
#include <algorithm>
#include <memory>
#include <sstream>

#include "tests/e2e/LinkFile.h"
#include "tests/e2e/SamplePlaces.h"
#include "tests/e2e/SetupWizard.h"
#include "tests/e2e/TestMount.h"
#include "tests/e2e/WineSystem.h"

namespace {

const std::string& kTitle = kSampleTitle;
const std::string& kUninstallKey = kSampleUninstallKey;

// The "Addfile" entries of the sample's description, in their order.
std::vector<std::string> SampleFiles() {
    std::istringstream lines(ReadFile(KEL_SOURCE_DIR "/samples/setup/Setup.ini"));
    std::vector<std::string> files;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("Addfile=", 0) == 0) files.push_back(line.substr(8));
    }
    return files;
}

// The titles of the shown windows whose title matches the regular expression.
std::vector<std::string> WindowTitles(const std::string& pattern) {
    const ProcessResult found =
        RunProcess("xdotool search --onlyvisible --name " + Quoted(pattern) + " getwindowname %@ 2>/dev/null");
    std::istringstream lines(found.Out);
    std::vector<std::string> titles;
    for (std::string line; std::getline(lines, line);) titles.push_back(line);
    return titles;
}

class SetupInstallRun : public SetupWizardTest {
protected:
    SamplePlaces sample;
    const std::string &productRoot = sample.ProductRoot, &destination = sample.Destination, &group = sample.Group,
                      &desktopLink = sample.DesktopLink;

    void SetUp() override {
        sample = SamplePlacesInThePrefix();
        RemoveSample(sample);
    }
    void TearDown() override {
        EndWinePrograms();
        RemoveSample(sample);
        SetupWizardTest::TearDown();
    }

    void WalkToTheFolderPage(const std::string& language) {
        StartSetup(language);
        if (HasFatalFailure()) return;
        // Browse makes the folder chooser when it is first pressed; closing it keeps the destination.
        SetupWizardTest::WalkToTheFolderPage("install-" + language, true);
    }

    // Next on the Finish page ends the run.
    void Finish(const std::string& language) {
        PageImage finish;
        ASSERT_TRUE(NewPage({folderPage}, finish));
        ASSERT_TRUE(ButtonShows("Next", ButtonState::Normal));
        SaveForm("install-" + language + "-5-finish");
        Click("Next");
        ExpectEndedWithoutWorkingFolder();
    }

    std::string Installed(const std::string& name) { return UnixPathOf(destination + "\\" + name); }

    // Each installed file but the failed ones holds what the payload holds.
    void ExpectFilesMatchThePayload(const std::vector<std::string>& failed = {}) {
        const std::string extracted = platform::NativePath(Scratch() / "payload");
        const ProcessResult unpacked =
            RunProcess(Quoted(KEL_KELPACK) + " extract " + Quoted(setupFolder + "/Data.Kel") + " " + Quoted(extracted));
        ASSERT_EQ(unpacked.ExitCode, 0) << unpacked.Err;
        for (const std::string& name : SampleFiles()) {
            if (std::find(failed.begin(), failed.end(), name) != failed.end()) continue;
            ASSERT_TRUE(platform::FileExists(Installed(name))) << name << " is not installed";
            EXPECT_TRUE(ReadFile(Installed(name)) == ReadFile(extracted + "/" + name)) << name << " differs";
        }
    }

    // rootMade: the setup made the product's root folder, which it then logs.
    std::string ExpectedLog(bool rootMade) {
        std::string log = "SetupLOG\r\nNAME=" + kTitle + "\r\nKEY=" + kTitle + "\r\nLINK=" + desktopLink + "\r\n" +
                          "LINK=" + group + "\\ReadMe.txt.lnk\r\nLINK=" + group + "\\Uninstall.lnk\r\n" + "LINK=" + group +
                          "\\" + kTitle + ".lnk\r\nDIRECTORY=" + group + "\r\n";
        const std::vector<std::string> files = SampleFiles();
        for (auto file = files.rbegin(); file != files.rend(); ++file)
            log += "COPYFILE=" + destination + "\\" + *file + "\r\n";
        for (const char* folder : {"\\Additional", "\\Sounds", "\\Graphics", ""})
            log += "DIRECTORY=" + destination + folder + "\r\n";
        return rootMade ? log + "DIRECTORY=" + productRoot + "\r\n" : log;  // made by the setup, so it goes too
    }

    void ExpectLogAndUninstallEntry(bool rootMade = true) {
        EXPECT_EQ(ReadFile(Installed("setup.log")), ExpectedLog(rootMade));
        EXPECT_EQ(RegistryValue32(kUninstallKey, "DisplayName"), kTitle);
        EXPECT_EQ(RegistryValue32(kUninstallKey, "UninstallString"), "\"" + destination + "\\uninstall.exe\"");
    }

    void ExpectShortcuts() {
        const LinkFile program{destination + "\\LarkNotes.exe", "", destination, kTitle};
        EXPECT_EQ(ReadLinkFile(UnixPathOfDriveC(group + "\\" + kTitle + ".lnk")), program);
        EXPECT_EQ(ReadLinkFile(UnixPathOfDriveC(desktopLink)), program);
        EXPECT_EQ(ReadLinkFile(UnixPathOfDriveC(group + "\\Uninstall.lnk")),
                  (LinkFile{destination + "\\uninstall.exe", "", destination, "Uninstall " + kTitle}));
        const std::optional<LinkFile> readMe = ReadLinkFile(UnixPathOfDriveC(group + "\\ReadMe.txt.lnk"));
        ASSERT_TRUE(readMe.has_value());
        EXPECT_TRUE(readMe->Target.ends_with("notepad.exe")) << readMe->Target;
        EXPECT_EQ(readMe->Arguments, "ReadMe.txt");
        EXPECT_EQ(readMe->WorkingFolder, destination);
        EXPECT_EQ(readMe->Description, "ReadMe.txt");
    }

    // The program shows its notes file by full path: it ran in the destination.
    void ExpectProgramAndReadMeStarted() {
        std::vector<std::string> program, readMe;
        EXPECT_TRUE(WaitUntil([&] { return !(program = WindowTitles("^Larkspur Notes - ")).empty(); }, 30s, 500ms))
            << "the installed program did not start";
        if (!program.empty()) {
            EXPECT_EQ(program[0], kTitle + " - " + destination + "\\Notes.txt");
        }
        EXPECT_TRUE(WaitUntil([&] { return !(readMe = WindowTitles("ReadMe.*Notepad")).empty(); }, 30s, 500ms))
            << "the ReadMe did not open in the text editor";
        SaveScreenshot("/tmp/e2e-install-started.png", TRect{0, 0, 1280, 1024});
    }

    // Escape asks the Cancel question; Escape answers No.
    void EscapeAsks() {
        PressKeys("Escape");
        AnswerQuestion("Escape");
    }

    // Keys typed into the window under the pointer, which the pointer then leaves.
    static void KeysAt(const ScreenPoint& where, const std::string& xdotoolArguments) {
        MoveMouse(where.X, where.Y);
        RunDisplayTool("xdotool " + xdotoolArguments);
        MoveMouse(1, 1);
    }

    // The chooser by its keys: Tab into the tree, where typing the first
    // letters of the product's root selects it and Space takes it into the
    // path; Shift+Tab back to the path, where the destination's last folder
    // is typed after it; Tab to OK, and Enter.
    void ChooseByKeys(const TRect& chooser) {
        const ScreenPoint title{(chooser.Left + chooser.Right) / 2, chooser.Top + 8};
        const auto pathShows = [](const std::string& path) {
            return WaitUntil([&] { return ShownWindowText("Choose Folder", "Edit") == path; }, 10s, 200ms);
        };
        Pause(1s);  // the tree's first paint
        KeysAt(title, "key --delay 150 Tab");
        KeysAt(title, "type --delay 150 Lark");
        KeysAt(title, "key --delay 150 space");
        ASSERT_TRUE(pathShows(productRoot + "\\")) << "the folder picked in the tree: " << *ShownWindowText("Choose Folder", "Edit");
        SaveScreenshot("/tmp/e2e-keys-chooser.png", chooser);
        KeysAt(title, "key --delay 150 shift+Tab End");
        KeysAt(title, "type --delay 150 " + Quoted(destination.substr(productRoot.size() + 1)));
        ASSERT_TRUE(pathShows(destination)) << "the path typed on";
        KeysAt(title, "key --delay 150 Tab Tab Return");
    }

    // The program folder's field has the focus on its page: its text is
    // selected by keyboard and replaced by the sample's program folder.
    void TypeTheProgramFolder() {
        const std::string name = group.substr(group.rfind('\\') + 1);
        PressKeys("End shift+Home BackSpace");
        ASSERT_TRUE(WaitUntil([&] { return ShownWindowText("SetupForm", "Edit") == ""; }, 10s, 200ms))
            << "the field is not emptied";
        MoveTo(OnForm(100, 100));
        RunDisplayTool("xdotool type --delay 150 " + Quoted(name));
        ASSERT_TRUE(WaitUntil([&] { return ShownWindowText("SetupForm", "Edit") == name; }, 10s, 200ms))
            << "the field shows " << ShownWindowText("SetupForm", "Edit").value_or("(none)");
    }

    void InstallFromStartToFinish(const std::string& language) {
        WalkToTheFolderPage(language);
        if (HasFatalFailure()) return;
        Click("Next");
        Finish(language);
        if (HasFatalFailure()) return;
        ExpectFilesMatchThePayload();
        ExpectLogAndUninstallEntry();
        EXPECT_EQ(RegistryValue32(kUninstallKey, "SetupLanguage"), language) << "the uninstaller's language";
        ExpectShortcuts();
        ExpectProgramAndReadMeStarted();
    }
};

}  // namespace

// The share of the pixels in which two images of the same area differ.
double ImageDifference(const ScreenImage& a, const ScreenImage& b) {
    const TRect& area = a.Area();
    size_t differing = 0;
    for (int32_t y = area.Top; y < area.Bottom; ++y)
        for (int32_t x = area.Left; x < area.Right; ++x) differing += a.At(x, y) != b.At(x, y);
    return double(differing) / double(area.Width() * area.Height());
}

// The installation with the keyboard alone: the focus frame on the image
// buttons, Escape on each page before the copy, Alt+B on the way, the
// licence ticked with Tab and Space, the folder chooser closed with the
// close key and then worked with its keys, the program folder typed, Enter to the end. The result is the
// mouse walk's but for the product's root folder, which the user picks in
// the chooser and the setup therefore did not make.
TEST_F(SetupInstallRun, InstallsTheSampleWithTheKeyboardAloneFromWelcomeToFinish) {
    // The description proposes another folder than the one the user takes,
    // whose shorter path changes a few hundred pixels of the page.
    constexpr double kChangedPath = 0.001;
    ASSERT_TRUE(platform::ForceDirectories(UnixPathOf(productRoot)));
    CheckPrerequisites(kSetupExe);
    if (HasFatalFailure()) return;
    std::string ini = ReadFile(KEL_SOURCE_DIR "/samples/setup/Setup.ini");
    const std::string proposed = "Destination=Larkspur\\Notes";
    ini.replace(ini.find(proposed), proposed.size(), proposed + " Proposed");
    MakeSetupWith(ini);
    if (HasFatalFailure()) return;
    ShowWizard();
    if (HasFatalFailure()) return;
    const ScreenImage unfocusedCancel = ButtonImage("Cancel");
    PressKeys("Tab");
    const ScreenImage unfocusedNext = ButtonImage("Next");
    SaveForm("keys-0-focus-on-cancel");
    EXPECT_GT(ImageDifference(ButtonImage("Cancel"), unfocusedCancel), 0.05) << "the focus frame shows over the picture";
    PressKeys("Tab");
    SaveForm("keys-0-focus-on-next");
    EXPECT_EQ(ImageDifference(ButtonImage("Cancel"), unfocusedCancel), 0) << "the frame goes with the focus";
    EXPECT_GT(ImageDifference(ButtonImage("Next"), unfocusedNext), 0.05);

    PageImage welcome = Page(), licence, destinationPage, folder, finish;
    ASSERT_NO_FATAL_FAILURE(EscapeAsks()) << "Welcome";
    PressKeys("Return");
    ASSERT_TRUE(NewPage({welcome}, licence));
    PressKeys("alt+n Return");
    EXPECT_TRUE(SamePage(licence)) << "Next waits for the licence tick";
    ASSERT_NO_FATAL_FAILURE(EscapeAsks()) << "Licence";
    PressKeys("Tab space");
    ASSERT_TRUE(ButtonShows("Next", ButtonState::Normal));
    PressKeys("Return");
    ASSERT_TRUE(NewPage({welcome, licence}, destinationPage));
    PressKeys("alt+b");
    ASSERT_TRUE(NewPage({welcome, destinationPage}, licence)) << "Alt+B goes back";
    ASSERT_TRUE(ButtonShows("Next", ButtonState::Disabled)) << "the tick is asked for again";
    PressKeys("Tab space alt+n");
    ASSERT_TRUE(NewPage({welcome, licence}, destinationPage));
    ASSERT_NO_FATAL_FAILURE(EscapeAsks()) << "Destination";

    // Browse has the focus: Enter opens the chooser. The close key closes
    // it, and the focus is back on Browse, where Enter opens it again.
    std::optional<TRect> chooser;
    const auto openAndClose = [&](const std::function<void()>& close) {
        PressKeys("Return");
        ASSERT_TRUE(WaitUntil([&] { return (chooser = FindShownWindow("Choose Folder")).has_value(); }, 20s));
        close();
        ASSERT_TRUE(WaitUntil([&] { return !FindShownWindow("Choose Folder").has_value(); }, 20s)) << "the chooser stays";
    };
    openAndClose([&] { KeysAt({(chooser->Left + chooser->Right) / 2, chooser->Top + 8}, "key alt+F4"); });
    if (HasFatalFailure()) return;
    openAndClose([&] { ChooseByKeys(*chooser); });
    if (HasFatalFailure()) return;
    PageImage chosen;
    const bool shown = WaitUntil([&] { return Difference(chosen = Page(), destinationPage) > kChangedPath; }, 5s, 100ms);
    SaveForm("keys-2-chosen");
    ASSERT_TRUE(shown) << "the chosen folder shows";

    // The focus is back on Browse, where Enter would open the chooser again; Alt+N is Next.
    PressKeys("alt+n");
    ASSERT_TRUE(NewPage({welcome, licence, chosen}, folder));
    ASSERT_NO_FATAL_FAILURE(EscapeAsks()) << "Program folder";
    TypeTheProgramFolder();
    if (HasFatalFailure()) return;
    PressKeys("Return");
    ASSERT_TRUE(NewPage({folder}, finish));
    SaveForm("keys-5-finish");
    PressKeys("Return");
    ExpectEndedWithoutWorkingFolder();
    ExpectFilesMatchThePayload();
    ExpectLogAndUninstallEntry(false);
    ExpectShortcuts();
    ExpectProgramAndReadMeStarted();
}

TEST_F(SetupInstallRun, InstallsTheSampleInEnglishFromStartToFinish) { InstallFromStartToFinish("English"); }

TEST_F(SetupInstallRun, InstallsTheSampleInGermanFromStartToFinish) { InstallFromStartToFinish("German"); }

TEST_F(SetupInstallRun, InstallsTheSampleInFrenchFromStartToFinish) { InstallFromStartToFinish("French"); }

TEST_F(SetupInstallRun, InstallsTheSampleInRussianFromStartToFinish) { InstallFromStartToFinish("Russian"); }

TEST_F(SetupInstallRun, InstallsTheSampleInJapaneseFromStartToFinish) { InstallFromStartToFinish("Japanese"); }

namespace {

// A copy that fails for one of the reasons a user meets: what stands in the
// way, the files it hits, and the system's reason as Wine words it.
// A file in use is no fault: it is replaced at the next restart (UpgradeTest).
enum class CopyFaultKind { FolderInTheWay, FullDisk };
struct CopyFault {
    const char* Name;
    CopyFaultKind Kind;
    const char* Reason;
};

const CopyFault kCopyFaults[] = {
    {"FolderInTheWay", CopyFaultKind::FolderInTheWay, "Access denied."},
    {"FullDisk", CopyFaultKind::FullDisk, "Disk full."},
};

void PrintTo(const CopyFault& fault, std::ostream* out) { *out << fault.Name; }

const std::string kProgramFilesKey = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion";

// The full disk is a small tmpfs given to the prefix as drive K:, made the
// Program Files folder, so that the proposed destination lies on it.
class SetupCopyFault : public SetupInstallRun, public testing::WithParamInterface<CopyFault> {
protected:
    void SetUp() override {
        if (GetParam().Kind == CopyFaultKind::FullDisk) {
            // A server left from the test before would not know the new drive.
            EndWinePrograms();
            programFiles = RegistryValue32(kProgramFilesKey, "ProgramFilesDir");
            ASSERT_TRUE(programFiles.has_value());
            disk = std::make_unique<TestMount>(platform::NativePath(diskScratch / "disk"), 8 << 20);
            ASSERT_TRUE(disk->Mounted()) << disk->Error();
            ASSERT_TRUE(MapDrive("k:", disk->Folder()));
            SetRegistryValue32(kProgramFilesKey, "ProgramFilesDir", "K:");
        }
        SetupInstallRun::SetUp();
    }
    // Wine's drive list is made when Wine starts: the drive goes before the
    // next start, which restoring the registry makes.
    void TearDown() override {
        SetupInstallRun::TearDown();
        if (disk) {
            UnmapDrive("k:");
            EndWinePrograms();
        }
        if (programFiles) SetRegistryValue32(kProgramFilesKey, "ProgramFilesDir", *programFiles);
        disk.reset();
    }

    // Puts the fault in the way; the names of the files it makes fail.
    std::vector<std::string> Arrange() {
        switch (GetParam().Kind) {
            case CopyFaultKind::FolderInTheWay:
                RunProcess("mkdir -p " + Quoted(Installed("ReadMe.txt")));
                return {"ReadMe.txt"};
            case CopyFaultKind::FullDisk:
                // The program file comes first and does not fit: it fills the
                // disk, and none of the others fits after it.
                EXPECT_TRUE(disk->LeaveFree(64 << 10));
                return SampleFiles();
        }
        return {};
    }

    // The box names each failed file with the reason, in the order of the copies.
    std::string ExpectedBoxStart(const std::vector<std::string>& failed) const {
        std::string text = "The following files could not be copied:\n\n";
        for (const std::string& name : failed) text += destination + "\\" + name + " (" + GetParam().Reason + ")\n";
        return text + "\n";
    }

    ScratchFolder diskScratch;
    std::optional<std::string> programFiles;
    std::unique_ptr<TestMount> disk;
};

}  // namespace

TEST_P(SetupCopyFault, TheBoxOfFailedCopiesSaysWhyAndTheWizardFinishes) {
    const std::vector<std::string> failed = Arrange();
    if (HasFailure()) return;
    WalkToTheFolderPage("English");
    if (HasFatalFailure()) return;
    Click("Next");
    std::optional<TRect> box;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindShownWindow(kTitle)).has_value(); }, 30s)) << "no error box";
    SaveScreenshot(std::string("/tmp/e2e-install-copy-error-") + GetParam().Name + ".png",
                   TRect{Form().Left - 20, Form().Top - 20, Form().Right + 20, Form().Bottom + 20});
    const std::string text = ShownBoxText(kTitle).value_or("(no box text)");
    EXPECT_EQ(text.substr(0, ExpectedBoxStart(failed).size()), ExpectedBoxStart(failed)) << text;
    if (disk) disk->RemoveFiller();  // the user makes room, as the box advises
    MoveMouse((box->Left + box->Right) / 2, box->Top + 8);
    RunDisplayTool("xdotool key Return");
    // Next saw the mouse last before the box came; passing over it again
    // lets it see the mouse leave.
    MoveTo(ButtonMiddle("Next"));
    MoveMouse(1, 1);
    Finish("English");
    if (HasFatalFailure()) return;
    ExpectFilesMatchThePayload(failed);
    const std::string log = ReadFile(Installed("setup.log"));
    for (const std::string& name : failed)
        EXPECT_NE(log.find("COPYFILE=" + destination + "\\" + name + "\r\n"), std::string::npos)
            << "a failed copy is logged all the same: " << name;
}

TEST_F(SetupInstallRun, TheCloseKeyAsksOnThePagesAndOnTheFinishPageCompletesWithoutStartingAnything) {
    WalkToTheFolderPage("English");
    if (HasFatalFailure()) return;
    PressCloseKey();
    AnswerQuestion("Escape");
    if (HasFatalFailure()) return;
    ASSERT_TRUE(SamePage(folderPage)) << "No keeps the wizard on its page";
    Click("Next");
    PageImage finish;
    ASSERT_TRUE(NewPage({folderPage}, finish));
    PressCloseKey();
    ExpectEndedWithoutWorkingFolder();
    ExpectLogAndUninstallEntry();
    Pause(3s);
    EXPECT_EQ(WindowTitles("Larkspur Notes - |ReadMe.*Notepad"), std::vector<std::string>{})
        << "the close key starts neither the program nor the ReadMe";
}

INSTANTIATE_TEST_SUITE_P(Faults, SetupCopyFault, testing::ValuesIn(kCopyFaults),
                         [](const testing::TestParamInfo<CopyFault>& info) { return std::string(info.param.Name); });
