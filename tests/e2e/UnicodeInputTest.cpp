// The wizard with the real mouse and keyboard on names beyond Windows-1252:
// the folder chooser shows a folder with a Cyrillic name in its tree and
// returns it when it is clicked, and the program-folder field takes a
// Cyrillic name entered on the keyboard. The product lands in both.
#include "tests/e2e/Leftovers.h"
#include "tests/e2e/SamplePlaces.h"
#include "tests/e2e/SetupWizard.h"
#include "tests/e2e/WineSystem.h"

namespace {

// The folder the description proposes, made before the run, and the
// Cyrillic folder in it that the chooser is to show.
const std::string kProposed = "Kel Chooser";
const std::string kChosen = "Выбор папки";
const std::string kEnteredGroup = "Мои заметки";

// The chooser's OK button, from the window's lower right corner, and the
// indent of a level of its tree.
constexpr int32_t kOkFromRight = 126, kOkFromBottom = 21, kTreeIndent = 19;

// The selected folder of the chooser's tree: the first and the last row of
// its band and where it starts; nothing when no row shows it. The band has
// the dialog's colour, and the tree's white follows it above and below the
// text, where the dialog around the tree and the scroll bars reach on to
// other colours or the edge.
struct SelectedBand {
    int32_t Top = 0, Bottom = 0, Left = 0;
};
std::optional<SelectedBand> SelectedFolder(const TRect& chooser) {
    constexpr ScreenColor kBand = 0xF5F5F5, kTree = 0xFFFFFF;
    const TRect tree{chooser.Left + 30, chooser.Top + 80, chooser.Right - 30, chooser.Bottom - 45};
    const ScreenImage image = GrabScreen(tree);
    const auto bandStart = [&](int32_t y) -> std::optional<int32_t> {
        for (int32_t x = tree.Left; x < tree.Right; ++x) {
            int32_t end = x;
            while (end < tree.Right && image.At(end, y) == kBand) ++end;
            if (end - x >= 20 && end < tree.Right && image.At(end, y) == kTree) return x;
            x = end;
        }
        return std::nullopt;
    };
    for (int32_t y = tree.Top; y < tree.Bottom; ++y) {
        const std::optional<int32_t> start = bandStart(y);
        if (!start) continue;
        // Its first row found, the band's left margin, free of the text, gives its height.
        SelectedBand band{y, y, *start};
        while (band.Bottom + 1 < tree.Bottom && image.At(band.Left, band.Bottom + 1) == kBand &&
               image.At(band.Left + 1, band.Bottom + 1) == kBand)
            ++band.Bottom;
        return band;
    }
    return std::nullopt;
}

class UnicodeInput : public SetupWizardTest {
protected:
    SamplePlaces places;
    Leftovers leftovers;

    void SetUp() override {
        places = ProductPlacesInThePrefix(kSampleTitle, kEnteredGroup, kProposed + "\\" + kChosen);
        RemoveSample(places);
        ASSERT_TRUE(platform::ForceDirectories(UnixPathOf(places.Destination)));
        leftovers.Watch({places.Group, places.DesktopLink});
    }
    void TearDown() override {
        EndWinePrograms();
        RemoveSample(places);
        leftovers.Remove();
        SetupWizardTest::TearDown();
    }

    // Clicks the Cyrillic folder below the proposed one, which the chooser
    // shows selected with its folders open, and closes the chooser with OK.
    void ChooseTheCyrillicFolder(const TRect& chooser) {
        Pause(1s);  // the tree's first paint
        SaveScreenshot("/tmp/e2e-unicode-chooser.png", chooser);
        const std::optional<SelectedBand> band = SelectedFolder(chooser);
        ASSERT_TRUE(band.has_value()) << "no selected folder in the chooser (see /tmp/e2e-unicode-chooser.png)";
        // A click on the proposed folder and the Right key open it; its
        // folder shows in the next row.
        ClickAt({band->Left + 10, (band->Top + band->Bottom) / 2});
        RunDisplayTool("xdotool key Right");
        Pause(1s);
        SaveScreenshot("/tmp/e2e-unicode-chooser-opened.png", chooser);
        ClickAt({band->Left + kTreeIndent + 15, band->Bottom + (band->Bottom - band->Top) / 2 + 2});
        Pause(500ms);
        SaveScreenshot("/tmp/e2e-unicode-chooser-chosen.png", chooser);
        EXPECT_EQ(ShownWindowText("Choose Folder", "Edit"), places.Destination + "\\") << "the clicked folder's path";
        ClickAt({chooser.Right - kOkFromRight, chooser.Bottom - kOkFromBottom});
        MoveMouse(1, 1);
    }

    // The program-folder field has the focus on its page: its text is
    // selected by keyboard and replaced. xdotool types a letter that the
    // keyboard map lacks by remapping a key for it, which Wine does not
    // always follow in time (letters go missing); so the name goes through
    // the X clipboard and Ctrl+V pastes it.
    void EnterTheGroup() {
        const std::string text = platform::NativePath(Scratch() / "group.txt");
        WriteFile(text, kEnteredGroup);
        BackgroundProgram clipboard({"xclip", "-quiet", "-selection", "clipboard", "-i", text},
                                    platform::NativePath(Scratch() / "xclip.txt"));
        Pause(500ms);
        MoveTo(OnForm(100, 100));  // without a window manager, keys go to the window under the pointer
        RunDisplayTool("xdotool key End shift+Home ctrl+v");
        Pause(1s);
        SaveForm("unicode-entered-group");
        MoveMouse(1, 1);
    }
};

}  // namespace

TEST_F(UnicodeInput, TheChooserReturnsACyrillicFolderAndTheFolderFieldTakesACyrillicName) {
    CheckPrerequisites(kSetupExe);
    if (HasFatalFailure()) return;
    std::string ini = ReadFile(KEL_SOURCE_DIR "/samples/setup/Setup.ini");
    ini.replace(ini.find("Destination=Larkspur\\Notes"), 26, "Destination=" + kProposed);
    ini.replace(ini.find("LaunchProg=1"), 12, "LaunchProg=0");
    ini.replace(ini.find("ReadMe=ReadMe.txt"), 17, "ReadMe=");
    MakeSetupWith(ini);
    if (HasFatalFailure()) return;
    ShowWizard();
    if (HasFatalFailure()) return;
    WalkToTheFolderPage("unicode", true, [&](const TRect& chooser) { ChooseTheCyrillicFolder(chooser); });
    if (HasFatalFailure()) return;
    EnterTheGroup();
    Click("Next");
    PageImage finish;
    ASSERT_TRUE(NewPage({folderPage}, finish));
    Click("Next");
    ExpectEndedWithoutWorkingFolder();
    if (HasFatalFailure()) return;

    // The product lands in the folder chosen and the group typed.
    for (const char* file : {"LarkNotes.exe", "uninstall.exe", "setup.log"})
        EXPECT_TRUE(platform::FileExists(UnixPathOf(places.Destination + "\\" + file))) << places.Destination << "\\" << file;
    EXPECT_TRUE(platform::FileExists(UnixPathOf(places.Group + "\\" + kSampleTitle + ".lnk"))) << places.Group;

    // The chosen folder ends in a separator, which the log's paths carry on;
    // the uninstaller removes the product from there all the same (the
    // folder itself was there before and stays).
    EXPECT_EQ(RunSilently(places.Destination + "\\uninstall.exe", {}), 0);
    const auto removed = [&] {
        for (const char* file : {"LarkNotes.exe", "uninstall.exe", "setup.log"})
            if (platform::FileExists(UnixPathOf(places.Destination + "\\" + file))) return false;
        return !platform::DirectoryExists(UnixPathOf(places.Group));
    };
    EXPECT_TRUE(WaitUntil(removed, 10s, 1s)) << places.Destination;
}
