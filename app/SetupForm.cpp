#include "app/SetupForm.h"

#include "app/PayloadInAdvance.h"

#include "app/PageFlow.h"
#include "app/SetupPreparation.h"

#include "archive/ZLIBArchive.h"
#include "platform/FileStream.h"
#include "platform/Text.h"
#include "platform/ui/Application.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Panel.h"
#include "shell/IniLine.h"
#include "skin/KelButton.h"

// A failure to remove the working folder at the end is told, not swallowed:
// the user should know that files were left behind. The handler outlives
// the form's other members, so it holds its own copy of the run.
TWorkFolderRemoval::TErrorHandler TSetupForm::RemovalErrorHandler(const TSetupRun& run) {
    return [run](const std::exception& error) {
        if (run.Log) run.Log->Failure(error.what());
        if (!run.Silent) Application().ShowException(error.what());
    };
}

TSetupForm::TSetupForm(TComponent* owner, const std::string& programFolder, const TSetupRun& run,
                       TPayloadInAdvance* payload)
    : TKelForm(owner), run_(run), programFolder_(programFolder) {
    OnCloseQuery = [this](TComponent& sender, bool& canClose) { WindowCloseQuery(sender, canClose); };
    OnQueryEndSession = [this](TComponent&, bool& canEnd) { canEnd = !copying_; };
    CreateComponents();
    StartProgramGroupsLookup();
    payload_ = payload ? payload->Take()
                       : std::make_unique<TSetupPayload>(*Archiver, programFolder_, true, run_.Log, RemovalErrorHandler(run));
    Step("Reading " + WorkFolder() + kSetupIniFile);
    HoldOutlines();
    ReadSetupIni(WorkFolder() + kSetupIniFile);
    ChooseLanguage();
    FindInstalledVersion();
    BuildPages();
    SkinWindow();
    SkinButton(*Backbutton);
    SkinButton(*Forwardbutton);
    SkinButton(*Cancelbutton);
    SetWidth(Skin().GetBitmap().Width());
    SetHeight(Skin().GetBitmap().Height());
    ReleaseOutlines();
    ShowPage(wpWelcome);
}

// The window is hidden first, so that a box about a working folder that
// could not be removed shows over nothing that can still be clicked. An
// installation that did not complete is undone. Then the settings go, the
// working folder after them (with its removal watcher), and the window and
// its components last.
TSetupForm::~TSetupForm() {
    Hide();
    if (installation_ && installation_->IsOpen()) UndoInstallation();
}

void TSetupForm::Step(const std::string& text) {
    if (run_.Log) run_.Log->Step(text);
}

// The description, the skinning and the sizing each change the window's and
// the buttons' pictures, thresholds, shapes or sizes; their outlines are cut
// once, when all of them are set.
void TSetupForm::HoldOutlines() {
    HoldOutline();
    for (TKelButton* button : {Backbutton, Forwardbutton, Cancelbutton}) button->HoldOutline();
}

void TSetupForm::ReleaseOutlines() {
    ReleaseOutline();
    for (TKelButton* button : {Backbutton, Forwardbutton, Cancelbutton}) button->ReleaseOutline();
}

void TSetupForm::SkinWindow() {
    Skin().SetAlphaMode(gaTransparentColor);
    SetAlphaThreshold(100);
    SetWindowShape(shAlphaMask);
}

void TSetupForm::SkinButton(TKelButton& button) {
    button.Skin().SetAlphaMode(gaTransparentColor);
    button.SetAlphaThreshold(100);
    button.SetEnabled(true);
    button.SetWindowShape(shAlphaMask);
}

void TSetupForm::ReadSetupIni(const std::string& fileName) {
    TSetupIniHandlers handlers;
    handlers.Setup = [this](const std::string& line) { ApplySetupEntry(settings_, line); };
    handlers.Toolweb = [this](const std::string& line) { ApplyToolwebEntry(line); };
    handlers.Panel = [this](const std::string& line) { ApplyPanelEntry(line); };
    handlers.Button = [this](TButtonRole role, const std::string& line) { ApplyButtonEntry(ButtonFor(role), line); };
    ::ReadSetupIni(fileName, handlers);
}

void TSetupForm::ApplyToolwebEntry(const std::string& line) {
    const std::string key = IniKeyOf(line);
    if (key == "Top") MainPanel->SetTop(StrToInt(IniValueOf(line)));
    else if (key == "Left") MainPanel->SetLeft(StrToInt(IniValueOf(line)));
    else if (key == "Width") MainPanel->SetWidth(StrToInt(IniValueOf(line)));
    else if (key == "Height") MainPanel->SetHeight(StrToInt(IniValueOf(line)));
}

void TSetupForm::ApplyPanelEntry(const std::string& line) {
    const std::string key = IniKeyOf(line);
    if (key == "Bitmap") Skin().SetFileName(WorkFolder() + IniValueOf(line));
    else if (key == "InvisibleColor") Skin().SetTransparentColor(StrToInt(IniValueOf(line)));
}

void TSetupForm::ApplyButtonEntry(TKelButton& button, const std::string& line) {
    const std::string key = IniKeyOf(line);
    const std::string value = IniValueOf(line);
    if (key == "Top") button.SetTop(StrToInt(value));
    else if (key == "Left") button.SetLeft(StrToInt(value));
    else if (key == "Mask") button.SetImageNormal(WorkFolder() + value);
    else if (key == "Touched") button.SetImageOver(WorkFolder() + value);
    else if (key == "Pressed") button.SetImagePressed(WorkFolder() + value);
    else if (key == "Disabled") button.SetImageDisabled(WorkFolder() + value);
    else if (key == "InvisibleColor") button.Skin().SetTransparentColor(StrToInt(value));
}

TKelButton& TSetupForm::ButtonFor(TButtonRole role) {
    switch (role) {
        case TButtonRole::Cancel: return *Cancelbutton;
        case TButtonRole::Forward: return *Forwardbutton;
        default: return *Backbutton;
    }
}

void TSetupForm::FindInstalledVersion() {
    if (run_.Scope) settings_.Scope = *run_.Scope;
    installed_ = FindEarlierInstallation(settings_, run_);
}

TVersionMeeting TSetupForm::VersionMeeting() const { return VersionMeetingOf(installed_, settings_); }

bool TSetupForm::ConfirmDowngrade() {
    const std::string question =
        words_->Filled(TSetupText::DowngradeQuestion, {{"{installed}", installed_->Version}, {"{version}", settings_.Version}});
    const bool yes = MessageDlg(question, settings_.SiteletTitle, mtWarning, mbYesNoDefaultNo) == mrYes;
    Step(yes ? "The user agreed to install the older version" : "The user kept the installed newer version");
    return yes;
}
