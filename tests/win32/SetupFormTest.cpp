// The wizard form as a real window: its start-up from a payload beside a
// program folder, the failed start-ups, the pages with their controls and
// texts, and the navigation between them.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/PageFlow.h"
#include "app/SetupForm.h"
#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "platform/InterfaceFont.h"
#include "platform/ui/Button.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Edit.h"
#include "platform/ui/GroupBox.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Memo.h"
#include "platform/ui/Panel.h"
#include "platform/ui/TextExtent.h"
#include "platform/win32/WideText.h"
#include "shell/FolderMan.h"
#include "shell/FolderTree.h"
#include "app/ScopeFolders.h"
#include "shell/ShellFolders.h"
#include "skin/KelButton.h"
#include "tests/support/MessageOf.h"
#include "tests/support/ScratchFolder.h"
#include "tests/win32/QuestionBox.h"
#include "tests/win32/SetupFormFixture.h"
#include "tests/win32/WindowChecks.h"

namespace {

const char* const kEnglishWithLicence =
    "SiteletTitle=Tool\r\nLanguage=English\r\nLicence=Licence.txt\r\nDestination=Maker\\Tool\r\n"
    "Folder=Maker Tool\r\nAddfile=tool.exe\r\n";

}  // namespace

TEST_F(SetupFormStart, BuildsTheSkinnedWizardFromThePayloadAndRemovesItsFolderAtTheEnd) {
    WritePayload(kEnglishWithLicence);
    auto form = Start(true);
    const std::string work = program + "temp\\";
    EXPECT_EQ(form->WorkFolder(), work);
    EXPECT_TRUE(platform::FileExists(work + "Setup.ini"));
    EXPECT_TRUE(platform::FileExists(work + "Graphics\\Window.bmp"));
    EXPECT_TRUE(platform::DirectoryExists(work + "Sounds"));
    EXPECT_TRUE(platform::DirectoryExists(work + "Additional"));

    EXPECT_EQ(form->Caption(), "SetupForm");
    EXPECT_EQ(form->Width(), 320) << "the window takes the size of its skin, not of its description";
    EXPECT_EQ(form->Height(), 240);
    EXPECT_EQ(form->MainPanel->BoundsRect(), (TRect{40, 30, 260, 180}));
    EXPECT_EQ(form->TextBox->BoundsRect(), (TRect{12, 14, 208, 134})) << "the text box grows with the text area";
    EXPECT_EQ(form->Backbutton->BoundsRect(), (TRect{20, 200, 80, 224}));
    EXPECT_EQ(form->Forwardbutton->BoundsRect(), (TRect{120, 200, 190, 226}));
    EXPECT_EQ(form->Cancelbutton->BoundsRect(), (TRect{220, 200, 270, 222}));
    EXPECT_EQ(form->Backbutton->Skin().FileName(), work + "Graphics\\BackOff.bmp");
    EXPECT_EQ(form->Forwardbutton->Skin().FileName(), work + "Graphics\\Next.bmp");

    EXPECT_EQ(form->CurrentPage(), 0);
    EXPECT_FALSE(form->Backbutton->Enabled());
    EXPECT_TRUE(form->Forwardbutton->Enabled());
    EXPECT_TRUE(form->Cancelbutton->Enabled());
    EXPECT_EQ(form->Settings().Destination, GetProgramFilesDir() + "Maker\\Tool");
    EXPECT_EQ(form->DestinationText->Caption(), form->Settings().Destination);
    EXPECT_EQ(form->FolderEdit->Text(), "Maker Tool");

    form.reset();
    EXPECT_FALSE(platform::DirectoryExists(work));
    EXPECT_TRUE(platform::FileExists(program + "Data.Kel"));
}

TEST_F(SetupFormStart, TakesTheFirstFreeWorkingFolderAndLeavesTheOthersAlone) {
    WritePayload(kEnglishWithLicence);
    ASSERT_TRUE(platform::CreateDir(program + "temp"));
    ASSERT_TRUE(platform::CreateDir(program + "tempx"));
    auto form = Start();
    EXPECT_EQ(form->WorkFolder(), program + "tempxx\\");
    form.reset();
    EXPECT_TRUE(platform::DirectoryExists(program + "temp"));
    EXPECT_TRUE(platform::DirectoryExists(program + "tempx"));
    EXPECT_FALSE(platform::DirectoryExists(program + "tempxx"));
}

TEST_F(SetupFormStart, FailedStartUpsRaiseTheirMessageAndLeaveNoWorkingFolder) {
    struct Case {
        const char* what;
        std::function<void()> prepare;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"no Data.Kel", [] {}, "Archive file not found"},
        {"no gfx.x", [&] { WritePayload(kEnglishWithLicence, false); }, "Archive file not found"},
        {"damaged archive",
         [&] {
             WritePayload(kEnglishWithLicence);
             std::string bytes = ReadFile(program + "Data.Kel");
             bytes[bytes.size() / 2] ^= 0x55;
             WriteFile(program + "Data.Kel", bytes);
         },
         ""},
        {"a number with a trailing blank", [&] { WritePayload("TextBoxColor=20 \r\n"); },
         "'20 ' ist kein gültiger Integerwert"},
        {"a missing licence", [&] { WritePayload("Licence=\\nowhere\\Licence.txt\r\n"); },
         "Datei \\nowhere\\Licence.txt kann nicht geöffnet werden"},
        {"a block without end", [&] { WritePayload("", true, "Object=Panel\r\nBitmap=x\r\n"); },
         "Der Index der Liste überschreitet das Maximum (5)"},
    };
    for (const Case& c : cases) {
        platform::RemoveFile(program + "Data.Kel");
        c.prepare();
        const std::string message = StartError();
        if (c.message.empty()) EXPECT_FALSE(message.empty()) << c.what;
        else EXPECT_EQ(message, c.message) << c.what;
        EXPECT_FALSE(platform::DirectoryExists(program + "temp")) << c.what;
    }
}

namespace {

class SetupFormPages : public SetupFormStart {
protected:
    std::unique_ptr<TSetupForm> form;

    void StartWith(const std::string& entries) {
        WritePayload(entries);
        form = Start();
    }
    void Next() { form->ForwardbuttonClick(*form->Forwardbutton); }
    void Back() { form->BackbuttonClick(*form->Backbutton); }
    bool PageInFront(TPanel* page) { return form->TextBox->Controls().back() == page; }
};

}  // namespace

TEST_F(SetupFormPages, TheLicenceMustBeAcceptedOnEachVisit) {
    // A "Licence.txt" planted in the current folder is never read; the
    // payload put the licence into the working folder.
    const std::string planted = scratch / "current", before = platform::CurrentFolder();
    ASSERT_TRUE(platform::CreateDir(planted));
    WriteFile(planted + "\\Licence.txt", "PLANTED");
    ASSERT_TRUE(platform::SetCurrentFolder(planted));
    StartWith(kEnglishWithLicence);
    EXPECT_TRUE(PageInFront(form->WelcomeBox));
    Next();
    platform::SetCurrentFolder(before);
    EXPECT_EQ(form->CurrentPage(), 1);
    EXPECT_TRUE(PageInFront(form->LicenceBox));
    EXPECT_EQ(form->LicenceMemo->Text(), "LICENCE\r\nLine two\r\n");
    EXPECT_FALSE(form->LicenceCheck->Checked());
    EXPECT_TRUE(form->Backbutton->Enabled());
    EXPECT_FALSE(form->Forwardbutton->Enabled());
    form->LicenceCheck->SetChecked(true);
    EXPECT_TRUE(form->Forwardbutton->Enabled());
    Next();
    EXPECT_EQ(form->CurrentPage(), 2);
    EXPECT_TRUE(form->Forwardbutton->Enabled());
    Back();
    EXPECT_EQ(form->CurrentPage(), 1);
    EXPECT_FALSE(form->LicenceCheck->Checked()) << "ticked again on each visit";
    EXPECT_FALSE(form->Forwardbutton->Enabled());
    Back();
    EXPECT_EQ(form->CurrentPage(), 0);
    EXPECT_FALSE(form->Backbutton->Enabled());
    Back();
    EXPECT_EQ(form->CurrentPage(), 0);
}

// A description written for the working folder beside the program names its
// licence below "temp"; it is read from the working folder, whatever that is
// called, also when the licence is one of the installed files.
TEST_F(SetupFormPages, ALicenceNamedBelowTheWorkingFoldersWrittenNameIsReadFromIt) {
    ASSERT_TRUE(platform::CreateDir(program + "temp"));
    StartWith("SiteletTitle=Tool\r\nLicence=temp\\Licence.txt\r\nAddfile=Licence.txt\r\n");
    EXPECT_EQ(form->WorkFolder(), program + "tempx\\");
    Next();
    EXPECT_EQ(form->LicenceMemo->Text(), "LICENCE\r\nLine two\r\n");
}

TEST_F(SetupFormPages, WithoutALicenceThePageIsSkippedBothWays) {
    StartWith("SiteletTitle=Tool\r\nLicence=   \r\n");
    Next();
    EXPECT_EQ(form->CurrentPage(), 2);
    EXPECT_TRUE(PageInFront(form->DestinationBox));
    EXPECT_TRUE(form->Forwardbutton->Enabled());
    Next();
    EXPECT_EQ(form->CurrentPage(), 3);
    EXPECT_TRUE(PageInFront(form->FolderBox));
    EXPECT_TRUE(form->Backbutton->Enabled());
    Back();
    Back();
    EXPECT_EQ(form->CurrentPage(), 0);
}

// The list of existing groups and the proposed destination follow the
// scope: the common Start menu and Program Files for the machine, the
// user's own Start menu and programs folder for the user alone.
TEST_F(SetupFormPages, TheExistingGroupsAndTheDestinationAreThoseOfTheScope) {
    const std::string tag = std::to_string(GetCurrentProcessId());
    const struct {
        const char* Entry;
        TInstallScope Scope;
    } cases[] = {{"", TInstallScope::isMachine}, {"Scope=Machine\r\n", TInstallScope::isMachine},
                 {"Scope=User\r\n", TInstallScope::isUser}};
    const std::string machineGroup = "Scope test machine " + tag, userGroup = "Scope test user " + tag;
    platform::CreateDir(ProgramsFolderOf(TInstallScope::isMachine, nullptr) + "\\" + machineGroup);
    platform::CreateDir(ProgramsFolderOf(TInstallScope::isUser, nullptr) + "\\" + userGroup);
    for (const auto& c : cases) {
        StartWith(std::string("Destination=Maker\\Tool\r\n") + c.Entry);
        std::vector<std::string> listed;
        for (int i = 0; i < form->FolderList->Count(); ++i) listed.push_back(form->FolderList->Item(i));
        const auto holds = [&](const std::string& name) { return std::find(listed.begin(), listed.end(), name) != listed.end(); };
        EXPECT_EQ(holds(machineGroup), !c.Scope.ForUser()) << c.Entry;
        EXPECT_EQ(holds(userGroup), c.Scope.ForUser()) << c.Entry;
        EXPECT_EQ(form->Settings().Destination, DestinationRootOf(c.Scope) + "Maker\\Tool") << c.Entry;
        form.reset();
    }
    platform::RemoveDir(ProgramsFolderOf(TInstallScope::isMachine, nullptr) + "\\" + machineGroup);
    platform::RemoveDir(ProgramsFolderOf(TInstallScope::isUser, nullptr) + "\\" + userGroup);
}

TEST_F(SetupFormPages, TheProgramFolderComesFromTheListOrTheEditedText) {
    // Named for this process: the same tests run at once in other locales.
    const std::string name = "Setup form test group " + std::to_string(GetCurrentProcessId());
    const std::string group = ProgramsFolderOf(TInstallScope(), nullptr) + "\\" + name;
    platform::CreateDir(group);
    StartWith("Folder=Start\r\n");
    platform::RemoveDir(group);
    int index = -1;
    for (int i = 0; i < form->FolderList->Count(); ++i)
        if (form->FolderList->Item(i) == name) index = i;
    ASSERT_GE(index, 0) << "existing groups are listed by name";
    EXPECT_EQ(form->FolderEdit->Font().Color(), clBlack);
    form->FolderList->SetItemIndex(index);
    form->FolderListClick(*form->FolderList);
    EXPECT_EQ(form->FolderEdit->Text(), name);
    EXPECT_EQ(form->Settings().Folder, name);
    form->FolderEdit->SetText("Setup form test group 2");
    EXPECT_EQ(form->Settings().Folder, "Setup form test group 2");
}

TEST_F(SetupFormPages, EnglishAndGermanTextsAndEnglishForAnyOtherLanguage) {
    StartWith("SiteletTitle=Tool\r\nLanguage=German\r\n");
    EXPECT_EQ(form->WelcomeHead->Caption(), "Willkommen zum Setup Assistenten für Tool");
    EXPECT_EQ(form->DestinationButton->Caption(), "Durchsuchen...");
    TButton& browse = *form->DestinationButton;
    EXPECT_LT(TextExtentOf(browse.Font(), browse.Caption()).Width, browse.Width() - 8) << "the caption fits its button";
    const int32_t rightEdge = browse.BoundsRect().Right;
    EXPECT_EQ(form->CopyHead2->Caption(), "Tool  wird jetzt auf Ihrem Computer installiert. Bitte warten.");
    EXPECT_EQ(form->LaunchProgCheck->Caption(), "Tool starten.");
    form.reset();
    for (const char* language : {"Klingon", "english"}) {
        StartWith(std::string("SiteletTitle=Tool\r\nLanguage=") + language + "\r\n");
        EXPECT_EQ(form->WelcomeHead->Caption(), "Welcome to the Setup Wizard for Tool") << language;
        EXPECT_EQ(form->DestinationGroup->Caption(), "Destination Folder") << language;
        EXPECT_EQ(form->DestinationButton->Width(), 75) << "Browse... fits the designed width";
        EXPECT_EQ(form->DestinationButton->BoundsRect().Right, rightEdge) << "both stay at the group's right edge";
        EXPECT_EQ(form->FinshHead2->Caption(), "Tool has been installed successfully. Click Next to finish Setup.");
        form.reset();
    }
}

// What the windows of the pages hold, as Windows gives it back: the same
// letters on every system, whatever its code page (ctest runs this again
// with Cyrillic and Japanese ones). The description is in Windows-1252.
TEST_F(SetupFormPages, GermanTextsAndTheProductsNameReachTheWindowsAsWritten) {
    StartWith("SiteletTitle=Gr\xFC\xDF" "e Caf\xE9\r\nFolder=Gr\xFC\xDF" "e Caf\xE9\r\nLanguage=German\r\n");
    const std::pair<TWinControl*, std::string> windows[] = {
        {form->LicenceCheck, "Ich stimme sämtlichen Bedingungen des vorstehenden Lizenzvertrages zu."},
        {form->DestinationGroup, "Zielordner"},
        {form->FolderEdit, "Grüße Café"},
        {form->DesktopCheck, "Verknüpfung auf dem Desktop erstellen."},
        {form->LaunchProgCheck, "Grüße Café starten."},
    };
    for (const auto& [control, text] : windows) {
        const HWND window = WindowOf(*control);
        std::wstring shown(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
        shown.resize(size_t(GetWindowTextW(window, shown.data(), int(shown.size()))));
        EXPECT_EQ(platform::Utf8Of(shown), text);
    }
}

TEST_F(SetupFormPages, FontAndColourOfTheTextAreaWithLargerBoldHeadings) {
    StartWith("Fontname=Arial\r\nFontheight=-19\r\nFontcolor=$0000FF\r\nTextBoxColor=$00FFFFFF\r\n");
    EXPECT_EQ(form->MainPanel->Color(), 0xFFFFFF);
    EXPECT_EQ(form->WelcomeBox->Color(), 0xFFFFFF);
    EXPECT_EQ(form->MainPanel->Font().Name(), "Arial");
    EXPECT_EQ(form->MainPanel->Font().Size(), 14);
    EXPECT_EQ(form->WelcomeText->Font().Color(), 0x0000FF);
    EXPECT_EQ(form->WelcomeHead->Font().Size(), 16);
    EXPECT_TRUE(form->WelcomeHead->Font().Style() & fsBold);
    EXPECT_TRUE(form->FolderEditHead->Font().Style() & fsBold);
    EXPECT_EQ(form->FolderEditHead->Font().Size(), 14);
    EXPECT_EQ(form->DestinationButton->Font().Size(), 10) << "the Browse button stays at 10 points";
    EXPECT_EQ(form->FolderEdit->Color(), clWindow);
    EXPECT_EQ(form->FinishLaunchProgPanel->Color(), clBtnFace);
}

TEST_F(SetupFormPages, FinishOptionsShowOnlyWhatTheDescriptionOffers) {
    StartWith("LaunchProg=1\r\nReadMe= \r\n");
    EXPECT_FALSE(form->FinishDesktopPanel->Visible());
    EXPECT_FALSE(form->FinishReadMePanel->Visible());
    EXPECT_TRUE(form->FinishLaunchProgPanel->Visible());
    EXPECT_TRUE(form->LaunchProgCheck->Checked());
    EXPECT_FALSE(form->DesktopCheck->Checked());
    form->FinishBox->RealignControls();
    EXPECT_EQ(form->FinishLaunchProgPanel->Top(), form->FinshHead2->BoundsRect().Bottom)
        << "the only option closes up under the headings";
    form.reset();
    StartWith("DesktopIcon=1\r\nReadMe=ReadMe.txt\r\n");
    EXPECT_TRUE(form->FinishDesktopPanel->Visible() && form->DesktopCheck->Checked());
    EXPECT_TRUE(form->FinishReadMePanel->Visible() && form->ReadMeCheck->Checked());
    EXPECT_FALSE(form->FinishLaunchProgPanel->Visible());
}

// A vendor's language file in the payload adds its language (a text it
// lacks stays English); "/LANG=" wins over the description; the boxes and
// the uninstall entry speak the chosen language; Japanese takes the
// system's interface font, which has its characters.
TEST_F(SetupFormPages, VendorsLanguageCommandLineAndFontChooseWhatTheWizardShows) {
    ArchiveBuilder languages;
    languages.Add("Swedish.lng", "WelcomeHead=V\xC3\xA4lkommen till installationen av {title}\nNextButton=&N\xC3\xA4sta\n");
    payloadFiles.push_back({"lng.x", languages.Build()});
    StartWith("SiteletTitle=Tool\r\nLanguage=Swedish\r\n");
    EXPECT_EQ(form->WelcomeHead->Caption(), "V\xC3\xA4lkommen till installationen av Tool");
    EXPECT_EQ(form->Forwardbutton->Caption(), "&N\xC3\xA4sta");
    EXPECT_EQ(form->Backbutton->Caption(), "&Back");
    form.reset();

    form = std::make_unique<TSetupForm>(nullptr, program, TSetupRun{false, std::nullopt, nullptr, nullptr, "french"});
    EXPECT_EQ(form->WelcomeHead->Caption(), "Bienvenue dans l'assistant d'installation de Tool");
    EXPECT_EQ(BoxWords().QuestionCaption, "Confirmation");
    EXPECT_EQ(BoxWords().Yes, "&Oui");
    EXPECT_EQ(BoxWords().ErrorCaption, "Erreur de l'application");
    EXPECT_EQ(form->MainPanel->Font().Name(), "MS Sans Serif");
    form.reset();

    StartWith("Fontname=Arial\r\nLanguage=Japanese\r\n");
    const std::string font = platform::InterfaceFontName(platform::TIdeographs::Japanese);
    EXPECT_EQ(form->MainPanel->Font().Name(), font);
    EXPECT_EQ(form->WelcomeHead->Font().Name(), font);
    EXPECT_EQ(form->Cancelbutton->Caption(), "\xE3\x82\xAD\xE3\x83\xA3\xE3\x83\xB3\xE3\x82\xBB\xE3\x83\xAB(&C)");
}

TEST_F(SetupFormPages, CancelAsksInTheWizardsLanguageButNotOnTheFinishPage) {
    StartWith("Language=German\r\n");
    EXPECT_EQ(BoxWords().QuestionCaption, "Best\xC3\xA4tigung");
    EXPECT_EQ(BoxWords().No, "&Nein");
    form->Show();
    EXPECT_EQ(CancelAnswering(*form, VK_ESCAPE), "Wollen Sie das Setup abbrechen?");
    EXPECT_TRUE(form->Visible()) << "No keeps the wizard";
    EXPECT_EQ(form->CurrentPage(), 0);

    form->ShowPage(5);
    EXPECT_EQ(CancelAnswering(*form, VK_RETURN), "") << "no question on the Finish page";
    EXPECT_TRUE(form->Visible());
    form.reset();

    StartWith("Language=english\r\n");
    EXPECT_EQ(BoxWords().QuestionCaption, "Confirmation");
    form->Show();
    form->ShowPage(3);
    EXPECT_EQ(CancelAnswering(*form, VK_RETURN), "Do you want to cancel setup?");
    EXPECT_FALSE(form->Visible()) << "Yes closes the wizard";
}

TEST_F(SetupFormPages, BrowseTakesTheChosenFolderOnlyWhenTheChooserSaysOK) {
    StartWith(kEnglishWithLicence);
    TFolderMan chooser(nullptr);
    form->SetFolderChooser([&]() -> TFolderMan& { return chooser; });
    const std::string proposed = form->Settings().Destination;
    ASSERT_FALSE(platform::DirectoryExists(proposed));

    std::string shownPath;
    chooser.OnShow = [&](TComponent&) {
        shownPath = chooser.PathEdit().Text();
        PostButtonClick(chooser.OKBut());
    };
    form->DestinationButtonClick(*form->DestinationButton);
    EXPECT_EQ(shownPath, proposed) << "a folder that does not exist yet is offered as it is";
    EXPECT_EQ(form->Settings().Destination, proposed);

    chooser.OnShow = [&](TComponent&) {
        chooser.PathEdit().SetText("D:\\Elsewhere");
        PostButtonClick(chooser.OKBut());
    };
    form->DestinationButtonClick(*form->DestinationButton);
    EXPECT_EQ(form->Settings().Destination, "D:\\Elsewhere");
    EXPECT_EQ(form->DestinationText->Caption(), "D:\\Elsewhere");

    chooser.OnShow = [&](TComponent&) {
        chooser.PathEdit().SetText("E:\\Not taken");
        PostButtonClick(chooser.CancelBut());
    };
    form->DestinationButtonClick(*form->DestinationButton);
    EXPECT_EQ(form->Settings().Destination, "D:\\Elsewhere");
    chooser.OnShow = nullptr;
}

// The room the product needs is what the payload gives for its files: a
// file named twice, in any letter case, once, and a name the payload lacks
// not at all. The Destination page shows it with the room its drive has.
TEST_F(SetupFormPages, TheProductsRoomCountsEachOfItsPayloadFilesOnce) {
    payloadFiles = {{"data\\big.bin", std::string(3000, 'x')}, {"notes.txt", std::string(100, 'n')}};
    StartWith(std::string(kEnglishWithLicence) +
              "Addfile=data\\big.bin\r\nAddfile=DATA\\Big.BIN\r\nAddfile=notes.txt\r\nAddfile=gone.txt\r\n");
    EXPECT_EQ(form->DiskSpaceNow().Needed, 2u + 3000 + 100) << "tool.exe, big.bin and notes.txt";
    form->ShowPage(wpDestination);
    EXPECT_EQ(form->SpaceRequired->Caption(), "Space required: 3.1 KB");
    EXPECT_EQ(form->SpaceAvailable->Caption().rfind("Space available on the drive: ", 0), 0u)
        << form->SpaceAvailable->Caption();
    // In this narrow text area the lines wrap; below the group they still show whole.
    EXPECT_GE(form->DestinationSpace->Top(), form->DestinationGroup->BoundsRect().Bottom);
    for (TLabel* line : {form->SpaceRequired, form->SpaceAvailable})
        EXPECT_LE(line->BoundsRect().Bottom, form->DestinationSpace->Height()) << line->Caption();
}

TEST_F(SetupFormStart, AWorkingFolderThatCannotBeRemovedIsToldWithTheWizardAlreadyHidden) {
    WritePayload(kEnglishWithLicence);
    auto form = Start();
    form->Show();
    const HWND window = static_cast<HWND>(form->Handle());
    std::string told;
    bool wizardShown = true;
    {
        TFileStream held(program + "temp\\Setup.ini", TFileMode::fmOpenRead);
        WithQuestionBoxAnswer([&] { form.reset(); },
                              [&](HWND box) {
                                  told = TextOf(GetDlgItem(box, 0xFFFF));
                                  wizardShown = IsWindowVisible(window);
                                  PostMessageW(box, WM_COMMAND, IDOK, 0);
                              });
    }
    EXPECT_EQ(told.rfind("Aborted deleting Directory: ", 0), 0u) << told;
    EXPECT_FALSE(wizardShown) << "the box must not show over a wizard that can still be clicked";
    DeleteFolderTree(program + "temp");
}

// The later pages get their windows when first shown: in whatever order they
// come, the page shown is the top window of the text box and its controls
// have their windows, and the first page is on top when the wizard appears.
TEST_F(SetupFormPages, EachPageShownInAnyOrderIsTheTopWindowWithItsControls) {
    StartWith(std::string(kEnglishWithLicence) + "DesktopIcon=1\r\n");
    form->Show();
    const auto topPage = [&] { return GetWindow(static_cast<HWND>(form->TextBox->Handle()), GW_CHILD); };
    EXPECT_EQ(topPage(), form->WelcomeBox->Handle()) << "the Welcome page is in front at the start";
    const std::vector<std::pair<uint8_t, TWinControl*>> visits = {
        {3, form->FolderEdit}, {1, form->LicenceMemo}, {5, form->DesktopCheck}, {2, form->DestinationButton}, {0, nullptr}, {3, form->FolderList}};
    for (const auto& [page, control] : visits) {
        form->ShowPage(page);
        TPanel* const pages[] = {form->WelcomeBox, form->LicenceBox, form->DestinationBox, form->FolderBox, form->CopyBox, form->FinishBox};
        EXPECT_EQ(topPage(), pages[page]->Handle()) << "page " << int(page);
        if (control) {
            EXPECT_TRUE(control->HandleAllocated() && IsWindowVisible(static_cast<HWND>(control->Handle()))) << "page " << int(page);
        }
    }
    EXPECT_EQ(form->LicenceMemo->Text(), "LICENCE\r\nLine two\r\n");
    EXPECT_EQ(form->FolderEdit->Text(), "Maker Tool");
}
