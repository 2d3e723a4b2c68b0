// The pages: how they are prepared from the settings, what showing one does,
// and the handlers of the buttons and of the page controls.
#include "app/PageFlow.h"
#include "app/ScopeFolders.h"
#include "app/SetupPreparation.h"
#include "app/SetupForm.h"
#include "platform/Exception.h"
#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/ui/Button.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Edit.h"
#include "platform/ui/GroupBox.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Memo.h"
#include "platform/ui/Panel.h"
#include "platform/ui/ProgressBar.h"
#include "platform/ui/TextExtent.h"
#include "shell/FolderMan.h"
#include "shell/PathParts.h"
#include "shell/ShellFolders.h"
#include "skin/KelButton.h"

namespace {

// A heading: two points larger than the text font, and bold.
void MakeHeading(TLabel& label) {
    label.Font().SetSize(label.Font().Size() + 2);
    label.Font().SetStyle(label.Font().Style() | fsBold);
}

void MakeBold(TLabel& label) { label.Font().SetStyle(label.Font().Style() | fsBold); }

}  // namespace

void TSetupForm::BuildPages() {
    MainPanel->SetColor(settings_.TextBoxColor);
    MainPanel->Font().Assign(settings_.TextFont);
    MakeHeading(*WelcomeHead);
    if (settings_.HasLicence()) {
        MakeHeading(*LicenceHead1);
        LoadLicence();
        LicenceCheck->SetChecked(false);
    }
    MakeHeading(*DestinationHead1);
    if (DestinationButton->Font().Size() > 10) DestinationButton->Font().SetSize(10);
    settings_.Destination = ProposedDestination(settings_, run_, installed_);
    DestinationText->SetCaption(settings_.Destination);
    MakeHeading(*FolderHead1);
    FillFolderList();
    FolderEdit->SetText(settings_.Folder);
    FolderEdit->Font().SetColor(clBlack);
    FolderList->Font().SetColor(clBlack);
    MakeBold(*FolderEditHead);
    MakeBold(*FolderListHead);
    MakeHeading(*CopyHead1);
    Copymessage->SetCaption("");
    CopyProgress->SetPosition(0);
    MakeHeading(*FinishHead1);
    ShowFinishOptions();
    ApplyTexts();
    ShowPage(wpWelcome);
}

// The licence from the working folder, where the payload put it, when its
// name is relative (also when it names the working folder "temp" first);
// never from the current folder, which anybody may fill. A full name is
// read as it stands. Its text is Windows-1252, or UTF-8 after a byte-order
// mark.
void TSetupForm::LoadLicence() {
    const std::string& name = settings_.Licence;
    const std::string fileName = IsRelativePath(name) ? WorkFolder() + LicenceEntryName(name) : name;
    LicenceMemo->SetText(EditControlText(ReadText8File(fileName, TMemo::kMaxFileSize)));
}

// The existing program groups: the sub-folders of the Start menu's Programs
// folder of each install scope, without hidden, system and dot folders, in
// the order the folder search gives them. Without a Programs folder a list
// stays empty. They are looked up on a thread of their own while the payload
// is unpacked, before the description names the scope: the lookup loads the
// shell library, which the first page needs no more than these lists.
void TSetupForm::StartProgramGroupsLookup() {
    programGroupsLookup_ = std::make_unique<platform::TWorkerThread>([this] {
        try {
            for (const TInstallScope scope : {TInstallScope::isMachine, TInstallScope::isUser})
                programGroups_[scope.ForUser()] = ProgramGroupNames(scope);
        } catch (const std::exception& error) {
            programGroupsError_ = error.what();
        }
    });
}

std::vector<std::string> TSetupForm::ProgramGroupNames(TInstallScope scope) {
    std::vector<std::string> names;
    const std::string programs = ProgramsFolderOf(scope, nullptr);
    if (programs.empty()) return names;
    platform::TFindEnum find;
    platform::TSearchRec found;
    for (bool more = find.First(WithTrailingBackslash(programs) + "*.*", platform::faDirectory, found); more; more = find.Next(found)) {
        const bool folder = (found.Attr & platform::faDirectory) != 0;
        const bool hidden = (found.Attr & (platform::faHidden | platform::faSysFile)) != 0;
        if (folder && !hidden && !found.Name.empty() && found.Name[0] != '.') names.push_back(found.Name);
    }
    return names;
}

void TSetupForm::FillFolderList() {
    if (!programGroupsLookup_) StartProgramGroupsLookup();
    programGroupsLookup_.reset();  // waits for the lookup
    if (!programGroupsError_.empty()) throw Exception(programGroupsError_);
    for (const std::string& name : programGroups_[settings_.Scope.ForUser()]) FolderList->AddItem(name);
}

void TSetupForm::ShowFinishOptions() {
    FinishDesktopPanel->SetVisible(settings_.DesktopIcon);
    FinishLaunchProgPanel->SetVisible(settings_.LaunchProg);
    FinishReadMePanel->SetVisible(settings_.HasReadMe());
    DesktopCheck->SetChecked(settings_.DesktopIcon);
    LaunchProgCheck->SetChecked(settings_.LaunchProg);
    ReadMeCheck->SetChecked(settings_.HasReadMe());
}

void TSetupForm::ApplyTexts() {
    const TSetupWords& words = *words_;
    using T = TSetupText;
    WelcomeHead->SetCaption(words[T::WelcomeHead]);
    WelcomeText->SetCaption(words[T::WelcomeText]);
    LicenceHead1->SetCaption(words[T::LicenceHead1]);
    LicenceHead2->SetCaption(words[T::LicenceHead2]);
    LicenceCheck->SetCaption(words[T::LicenceCheck]);
    DestinationHead1->SetCaption(words[T::DestinationHead1]);
    DestinationHead2->SetCaption(words[T::DestinationHead2]);
    DestinationGroup->SetCaption(words[T::DestinationGroup]);
    DestinationButton->SetCaption(words[T::DestinationButton]);
    FolderHead1->SetCaption(words[T::FolderHead1]);
    FolderHead2->SetCaption(words[T::FolderHead2]);
    FolderEditHead->SetCaption(words[T::FolderEditHead]);
    FolderListHead->SetCaption(words[T::FolderListHead]);
    CopyHead1->SetCaption(words[T::CopyHead1]);
    CopyHead2->SetCaption(words[T::CopyHead2]);
    FinishHead1->SetCaption(words[T::FinishHead1]);
    FinshHead2->SetCaption(words[T::FinishHead2]);
    FitBrowseButton();
    DesktopCheck->SetCaption(words[T::DesktopCheck]);
    LaunchProgCheck->SetCaption(words[T::LaunchProgCheck]);
    ReadMeCheck->SetCaption(words[T::ReadMeCheck]);
    Backbutton->SetCaption(words[T::BackButton]);
    Forwardbutton->SetCaption(words[T::NextButton]);
    Cancelbutton->SetCaption(words[T::CancelButton]);
    // A page's window carries its heading, which screen readers speak when it shows.
    for (uint8_t index = wpWelcome; index <= wpFinish; ++index) PagePanel(index).SetCaption(HeadingOf(index).Caption());
}

// The Browse button keeps its 75 pixels unless its caption needs more; it
// then grows to the left, staying at the group's right edge.
void TSetupForm::FitBrowseButton() {
    TButton& button = *DestinationButton;
    const int32_t needed = TextExtentOf(button.Font(), button.Caption()).Width + 16;
    if (needed <= button.Width()) return;
    button.SetBounds(button.BoundsRect().Right - needed, button.Top(), needed, button.Height());
}

TPanel& TSetupForm::PagePanel(uint8_t index) {
    TPanel* pages[] = {WelcomeBox, LicenceBox, DestinationBox, FolderBox, CopyBox, FinishBox};
    return *pages[index < 6 ? index : 0];
}

void TSetupForm::ApplyPageButtons(uint8_t index) {
    const TPageButtons buttons = PageButtons(index);
    if (buttons.Back) Backbutton->SetEnabled(*buttons.Back);
    if (buttons.Next) Forwardbutton->SetEnabled(*buttons.Next);
}

TLabel& TSetupForm::HeadingOf(uint8_t index) {
    TLabel* headings[] = {WelcomeHead, LicenceHead1, DestinationHead1, FolderHead1, CopyHead1, FinishHead1};
    return *headings[index < 6 ? index : 0];
}

// Wrapped headings take their full height at the page's current width.
void TSetupForm::RemeasureHeadings(uint8_t index) {
    TLabel* headings[][2] = {{WelcomeHead, WelcomeText},   {LicenceHead1, LicenceHead2}, {DestinationHead1, DestinationHead2},
                             {FolderHead1, FolderHead2},   {CopyHead1, CopyHead2},       {FinishHead1, FinshHead2}};
    for (TLabel* label : headings[index < 6 ? index : 0]) {
        label->SetAutoSize(false);
        label->SetAutoSize(true);
    }
}

// The pages behind the one shown take no input, so that Tab passes over their controls.
void TSetupForm::EnableOnlyPage(uint8_t index) {
    for (uint8_t page = wpWelcome; page <= wpFinish; ++page) PagePanel(page).SetEnabled(page == index);
}

// Once the keyboard has been used, the focus goes to the first control of
// the page shown (Next on a page without one); otherwise to Next, where a
// mouse user sees no difference. Screen readers hear of the new page.
void TSetupForm::FocusPage() {
    if (!Visible()) return;
    TPanel& page = PagePanel(currentPage_);
    page.Announce();
    if (KeyboardUsed()) FocusFirstControl();
    else if (Forwardbutton->Enabled()) Forwardbutton->SetFocus();
    else Cancelbutton->SetFocus();
}

void TSetupForm::ShowPage(uint8_t index) {
    currentPage_ = index;
    ApplyPageButtons(index);
    if (index == wpLicence) {
        LoadLicence();
        LicenceCheck->SetChecked(false);
    }
    if (index == wpDestination) ShowDiskSpace(DiskSpaceNow());
    EnableOnlyPage(index);
    PagePanel(index).BringToFront();
    RemeasureHeadings(index);
    FocusPage();
    if (index == wpFolder) {
        if (Visible()) FolderEdit->SetFocus();
        Repaint();
    }
    if (index == wpCopy) {
        InstallFiles();
        ShowPage(wpFinish);
    }
}

void TSetupForm::ForwardbuttonClick(TComponent&) {
    if (currentPage_ == wpDestination && !DestinationHasRoom()) return;
    const TForwardStep step = ForwardStep(currentPage_, settings_.HasLicence());
    if (step.Kind == TForwardStep::Show) ShowPage(step.Page);
    else if (step.Kind == TForwardStep::Finish) FinishSetup();
}

void TSetupForm::BackbuttonClick(TComponent&) {
    if (const auto page = BackStep(currentPage_, settings_.HasLicence())) ShowPage(*page);
}

void TSetupForm::CancelButtonClick(TComponent&) {
    if (AskToCancel()) EndWizard();
}

void TSetupForm::LicenceCheckClick(TComponent&) { Forwardbutton->SetEnabled(LicenceCheck->Checked()); }

void TSetupForm::DestinationButtonClick(TComponent&) {
    if (!folderChooser_ && makeFolderChooser_) folderChooser_ = &makeFolderChooser_();
    if (!folderChooser_) return;
    folderChooser_->SetFolderPath(settings_.Destination);
    if (!folderChooser_->Execute()) return;
    settings_.Destination = folderChooser_->FolderPath();
    DestinationText->SetCaption(settings_.Destination);
    ShowDiskSpace(DiskSpaceNow());
}

void TSetupForm::FolderEditChange(TComponent&) { settings_.Folder = FolderEdit->Text(); }

void TSetupForm::FolderListClick(TComponent&) {
    const int32_t index = FolderList->ItemIndex();
    if (index < 0) return;
    settings_.Folder = FolderList->Item(index);
    FolderEdit->SetText(settings_.Folder);
}
