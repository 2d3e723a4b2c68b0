// The wizard form's own description: its components with their places,
// colours and handlers, as they are before the setup description is read.
#include "app/SetupForm.h"

#include "archive/WholeEntryArchive.h"
#include "platform/ui/Button.h"
#include "platform/ui/ButtonAccessibility.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/GroupBox.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Memo.h"
#include "platform/ui/Panel.h"
#include "platform/ui/ProgressBar.h"
#include "skin/KelButton.h"

namespace {

constexpr int32_t kPageWidth = 369;  // the page panels' width at design size
constexpr int32_t kSpaceGap = 6;     // between the destination's group and the lines about the room

template <class T>
T& Named(T& component, const char* name) {
    component.SetName(name);
    return component;
}

}  // namespace

TPanel& TSetupForm::CreatePanel(TWinControl& parent, TAlign align) {
    auto& panel = Make<TPanel>();
    panel.SetParent(&parent);
    panel.SetBevelOuter(bvNone);
    panel.SetParentColor(true);
    panel.SetAlign(align);
    return panel;
}

TLabel& TSetupForm::CreateLabel(TWinControl& parent, TAlign align) {
    auto& label = Make<TLabel>();
    label.SetParent(&parent);
    label.SetAlign(align);
    label.SetWordWrap(true);
    return label;
}

// A heading, a 13-pixel gap and a second text, stacked from the top.
void TSetupForm::CreatePageHeadings(TPanel& page, TLabel*& head, TLabel*& text) {
    head = &CreateLabel(page, alTop);
    head->SetAlignment(taCenter);
    auto& gap = CreateLabel(page, alTop);
    gap.SetAutoSize(false);
    gap.SetParentFont(false);  // a fixed font keeps the gap the same whatever the text font
    gap.SetHeight(13);
    text = &CreateLabel(page, alTop);
}

void TSetupForm::CreateComponents() {
    SetName("SetupForm");
    SetCaption("SetupForm");
    SetBorderStyle(bsNone);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 600, 420);

    MainPanel = &Named(Make<TPanel>(), "MainPanel");
    MainPanel->SetParent(this);
    MainPanel->SetBevelOuter(bvNone);
    MainPanel->SetBounds(104, 16, 393, 305);
    TextBox = &Named(CreatePanel(*MainPanel, alNone), "TextBox");
    TextBox->SetBounds(12, 14, kPageWidth, 275);
    TextBox->SetAnchors(akAll);

    WelcomeBox = &Named(CreatePanel(*TextBox, alClient), "WelcomeBox");
    CreatePageHeadings(*WelcomeBox, WelcomeHead, WelcomeText);
    CreateLicencePage();
    CreateDestinationPage();
    CreateFolderPage();
    CreateCopyPage();
    CreateFinishPage();
    // The later pages get their windows when first shown: start-up makes the Welcome page's only.
    for (TPanel* page : {LicenceBox, DestinationBox, FolderBox, CopyBox, FinishBox}) page->SetWindowOnDemand(true);

    Backbutton = &CreateSkinButton("Backbutton", 192);
    Forwardbutton = &CreateSkinButton("Forwardbutton", 280);
    Cancelbutton = &CreateSkinButton("Cancelbutton", 360);
    Backbutton->OnClick = [this](TComponent& sender) { BackbuttonClick(sender); };
    Forwardbutton->OnClick = [this](TComponent& sender) { ForwardbuttonClick(sender); };
    Cancelbutton->OnClick = [this](TComponent& sender) { CancelButtonClick(sender); };

    Archiver = &Named(Make<TWholeEntryArchive>(), "Archiver");
}

void TSetupForm::CreateLicencePage() {
    LicenceBox = &Named(CreatePanel(*TextBox, alClient), "LicenceBox");
    CreatePageHeadings(*LicenceBox, LicenceHead1, LicenceHead2);
    // The text comes before the tick box, so that Tab reaches them in reading order.
    TPanel& memoPanel = CreatePanel(*LicenceBox, alClient);
    LicenceMemo = &Named(Make<TMemo>(), "LicenceMemo");
    LicenceMemo->SetParent(&memoPanel);
    LicenceMemo->SetAlign(alClient);
    LicenceMemo->SetReadOnly(true);
    LicenceMemo->SetScrollBars(ssBoth);
    LicenceMemo->SetParentColor(true);
    TPanel& checkPanel = CreatePanel(*LicenceBox, alBottom);
    checkPanel.SetHeight(41);
    LicenceCheck = &Named(Make<TCheckBox>(), "LicenceCheck");
    LicenceCheck->SetParent(&checkPanel);
    LicenceCheck->SetBounds(0, 6, kPageWidth, 32);  // room for a caption of two lines
    LicenceCheck->SetAnchors(akLeft | akTop | akRight);
    LicenceCheck->OnClick = [this](TComponent& sender) { LicenceCheckClick(sender); };
}

// The headings, then at the bottom the destination's group, and below it
// the room the product needs and the room its drive has, a line each.
void TSetupForm::CreateDestinationPage() {
    DestinationBox = &Named(CreatePanel(*TextBox, alClient), "DestinationBox");
    CreatePageHeadings(*DestinationBox, DestinationHead1, DestinationHead2);
    // Made before the group, so that it lies below it.
    DestinationSpace = &Named(CreatePanel(*DestinationBox, alBottom), "DestinationSpace");
    auto& gap = CreateLabel(*DestinationSpace, alTop);
    gap.SetAutoSize(false);
    gap.SetParentFont(false);
    gap.SetHeight(kSpaceGap);
    SpaceRequired = &Named(CreateLabel(*DestinationSpace, alTop), "SpaceRequired");
    SpaceAvailable = &Named(CreateLabel(*DestinationSpace, alTop), "SpaceAvailable");
    for (TLabel* line : {SpaceRequired, SpaceAvailable}) line->OnResize = [this](TComponent&) { FitDiskSpaceLines(); };
    DestinationGroup = &Named(Make<TGroupBox>(), "DestinationGroup");
    DestinationGroup->SetParent(DestinationBox);
    DestinationGroup->SetAlign(alBottom);
    DestinationGroup->SetHeight(51);
    DestinationText = &Named(Make<TLabel>(), "DestinationText");
    DestinationText->SetParent(DestinationGroup);
    DestinationText->SetAutoSize(false);
    DestinationText->SetBounds(8, 24, kPageWidth - 100, 16);
    DestinationText->SetAnchors(akLeft | akTop | akRight);
    DestinationButton = &Named(Make<TButton>(), "DestinationButton");
    DestinationButton->SetParent(DestinationGroup);
    DestinationButton->SetBounds(kPageWidth - 83, 18, 75, 25);
    DestinationButton->SetAnchors(akTop | akRight);
    DestinationButton->OnClick = [this](TComponent& sender) { DestinationButtonClick(sender); };
}

void TSetupForm::CreateFolderPage() {
    FolderBox = &Named(CreatePanel(*TextBox, alClient), "FolderBox");
    CreatePageHeadings(*FolderBox, FolderHead1, FolderHead2);
    FolderEditHead = &Named(CreateLabel(*FolderBox, alTop), "FolderEditHead");
    TPanel& editPanel = CreatePanel(*FolderBox, alTop);
    editPanel.SetColor(clBtnFace);  // button face around the field
    editPanel.SetHeight(21);
    FolderEdit = &Named(Make<TEdit>(), "FolderEdit");
    FolderEdit->SetParent(&editPanel);
    FolderEdit->SetAlign(alClient);
    FolderEdit->OnChange = [this](TComponent& sender) { FolderEditChange(sender); };
    TLabel& gap = CreateLabel(*FolderBox, alTop);
    gap.SetAutoSize(false);
    gap.SetHeight(5);
    FolderListHead = &Named(CreateLabel(*FolderBox, alTop), "FolderListHead");
    FolderList = &Named(Make<TListBox>(), "FolderList");
    FolderList->SetParent(FolderBox);
    FolderList->SetAlign(alClient);
    FolderList->OnClick = [this](TComponent& sender) { FolderListClick(sender); };
}

// The message and the progress bar sit in a 321 x 33 panel, 24 pixels in
// and 65 pixels below the headings.
void TSetupForm::CreateCopyPage() {
    CopyBox = &Named(CreatePanel(*TextBox, alClient), "CopyBox");
    CreatePageHeadings(*CopyBox, CopyHead1, CopyHead2);
    TPanel& area = CreatePanel(*CopyBox, alTop);
    area.SetHeight(65 + 33);
    TPanel& progressPanel = CreatePanel(area, alNone);
    progressPanel.SetBounds(24, 65, 321, 33);
    Copymessage = &Named(Make<TLabel>(), "Copymessage");
    Copymessage->SetParent(&progressPanel);
    Copymessage->SetAutoSize(false);
    Copymessage->SetBounds(0, 0, 321, 15);
    CopyProgress = &Named(Make<TProgressBar>(), "CopyProgress");
    CopyProgress->SetParent(&progressPanel);
    CopyProgress->SetBounds(0, 17, 321, 16);
    CopyProgress->SetRange(0, 100);
}

void TSetupForm::CreateFinishPage() {
    FinishBox = &Named(CreatePanel(*TextBox, alClient), "FinishBox");
    CreatePageHeadings(*FinishBox, FinishHead1, FinshHead2);
    struct TOption {
        TPanel*& panel;
        TCheckBox*& check;
        const char* panelName;
        const char* checkName;
    };
    for (const TOption& option : {TOption{FinishDesktopPanel, DesktopCheck, "FinishDesktopPanel", "DesktopCheck"},
                                  TOption{FinishReadMePanel, ReadMeCheck, "FinishReadMePanel", "ReadMeCheck"},
                                  TOption{FinishLaunchProgPanel, LaunchProgCheck, "FinishLaunchProgPanel",
                                          "LaunchProgCheck"}}) {
        option.panel = &Named(CreatePanel(*FinishBox, alTop), option.panelName);
        option.panel->SetColor(clBtnFace);  // button face behind the tick boxes
        option.panel->SetHeight(20);
        option.check = &Named(Make<TCheckBox>(), option.checkName);
        option.check->SetParent(option.panel);
        option.check->SetAlign(alClient);
    }
}

TKelButton& TSetupForm::CreateSkinButton(const char* name, int32_t left) {
    auto& button = Named(Make<TKelButton>(), name);
    button.SetParent(this);
    button.SetBounds(left, 368, 73, 25);
    button.SetAccessibleObjectMaker(ButtonAccessibleObject);  // a button for screen readers
    return button;
}
