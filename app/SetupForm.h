#pragma once
// The wizard window: a skinned form that unpacks the payload into a working
// folder beside the program, reads the setup description, and leads the
// user through the Welcome, Licence, Destination, Program folder, Copy and
// Finish pages.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/DiskSpace.h"
#include "app/Installation.h"
#include "app/InstalledProduct.h"
#include "app/PageTexts.h"
#include "app/RunLog.h"
#include "app/SetupIni.h"
#include "app/SetupRun.h"
#include "app/SetupSettings.h"
#include "app/VersionOrder.h"
#include "app/WizardKeys.h"
#include "app/SetupPayload.h"
#include "platform/Thread.h"
#include "skin/KelForm.h"

class TButton;
class TPayloadInAdvance;
class TCheckBox;
class TEdit;
class TFileStream;
class TFolderMan;
class TGroupBox;
class TKelButton;
class TLabel;
class TListBox;
class TMemo;
class TPanel;
class TProgressBar;
class TZLBArchive;

class TSetupForm : public TKelForm {
public:
    // Builds the whole wizard from the payload beside the program in
    // programFolder (ending in a backslash): the one made in advance when
    // given, else one made now.
    TSetupForm(TComponent* owner, const std::string& programFolder, const TSetupRun& run = {},
               TPayloadInAdvance* payload = nullptr);
    ~TSetupForm() override;
    // What the run does with a failure to remove the working folder: logs
    // it, and shows it unless the run is silent (also for the payload made
    // in advance, before the form).
    static TWorkFolderRemoval::TErrorHandler RemovalErrorHandler(const TSetupRun& run);

    // Makes the folder chooser that the Browse button shows, after this form:
    // called when Browse is first pressed, so that its window and tree cost
    // nothing before the wizard shows.
    void SetFolderChooser(std::function<TFolderMan&()> make) { makeFolderChooser_ = std::move(make); }

    // The components, by name.
    TPanel* MainPanel = nullptr;
    TPanel* TextBox = nullptr;
    TPanel* WelcomeBox = nullptr;
    TPanel* LicenceBox = nullptr;
    TPanel* DestinationBox = nullptr;
    TPanel* FolderBox = nullptr;
    TPanel* CopyBox = nullptr;
    TPanel* FinishBox = nullptr;
    TLabel* WelcomeHead = nullptr;
    TLabel* WelcomeText = nullptr;
    TLabel* LicenceHead1 = nullptr;
    TLabel* LicenceHead2 = nullptr;
    TMemo* LicenceMemo = nullptr;
    TCheckBox* LicenceCheck = nullptr;
    TLabel* DestinationHead1 = nullptr;
    TLabel* DestinationHead2 = nullptr;
    TGroupBox* DestinationGroup = nullptr;
    TLabel* DestinationText = nullptr;
    TButton* DestinationButton = nullptr;
    TPanel* DestinationSpace = nullptr;
    TLabel* SpaceRequired = nullptr;
    TLabel* SpaceAvailable = nullptr;
    TLabel* FolderHead1 = nullptr;
    TLabel* FolderHead2 = nullptr;
    TLabel* FolderEditHead = nullptr;
    TEdit* FolderEdit = nullptr;
    TLabel* FolderListHead = nullptr;
    TListBox* FolderList = nullptr;
    TLabel* CopyHead1 = nullptr;
    TLabel* CopyHead2 = nullptr;
    TLabel* Copymessage = nullptr;
    TProgressBar* CopyProgress = nullptr;
    TLabel* FinishHead1 = nullptr;
    TLabel* FinshHead2 = nullptr;
    TPanel* FinishDesktopPanel = nullptr;
    TCheckBox* DesktopCheck = nullptr;
    TPanel* FinishReadMePanel = nullptr;
    TCheckBox* ReadMeCheck = nullptr;
    TPanel* FinishLaunchProgPanel = nullptr;
    TCheckBox* LaunchProgCheck = nullptr;
    TKelButton* Backbutton = nullptr;
    TKelButton* Forwardbutton = nullptr;
    TKelButton* Cancelbutton = nullptr;
    TZLBArchive* Archiver = nullptr;

    // The state of the run.
    const TSetupSettings& Settings() const { return settings_; }
    const std::string& WorkFolder() const { return payload_->WorkFolder(); }
    uint8_t CurrentPage() const { return currentPage_; }
    // The product as installed before this run; none when it was not.
    const std::optional<TInstalledProduct>& Installed() const { return installed_; }
    // What this run does to the installed product.
    TVersionMeeting VersionMeeting() const;
    // Asks, No being the default, whether the older version is to replace the installed newer one.
    bool ConfirmDowngrade();
    // Whether files in use are replaced only at the next restart.
    bool RestartNeeded() const { return installation_ && !installation_->RestartReplacements().empty(); }
    // The room the product's files need on the destination's drive, and the room there is now.
    TDiskSpace DiskSpaceNow() const;

    void ShowPage(uint8_t index);

    // Enter, Escape and the access keys of Back, Next and Cancel.
    bool HandleDialogKey(const TKeyInput& input) override;

    // Event handlers.
    void ForwardbuttonClick(TComponent& sender);
    void BackbuttonClick(TComponent& sender);
    void CancelButtonClick(TComponent& sender);
    void LicenceCheckClick(TComponent& sender);
    void DestinationButtonClick(TComponent& sender);
    void FolderEditChange(TComponent& sender);
    void FolderListClick(TComponent& sender);

protected:
    // The keyboard starts on the page shown.
    void FocusOnShow() override { FocusPage(); }

private:
    // The form's own description: its components, their places and handlers.
    void CreateComponents();
    void CreatePageHeadings(TPanel& page, TLabel*& head, TLabel*& text);
    void CreateLicencePage();
    void CreateDestinationPage();
    void CreateFolderPage();
    void CreateCopyPage();
    void CreateFinishPage();
    TKelButton& CreateSkinButton(const char* name, int32_t left);
    TPanel& CreatePanel(TWinControl& parent, TAlign align);
    TLabel& CreateLabel(TWinControl& parent, TAlign align);

    // The setup description.
    void ReadSetupIni(const std::string& fileName);
    void FindInstalledVersion();
    void ApplyToolwebEntry(const std::string& line);
    void ApplyPanelEntry(const std::string& line);
    void ApplyButtonEntry(TKelButton& button, const std::string& line);
    TKelButton& ButtonFor(TButtonRole role);

    // Skinning after the description was read.
    void HoldOutlines();
    void ReleaseOutlines();
    void SkinWindow();
    void SkinButton(TKelButton& button);

    // The pages.
    void BuildPages();
    void LoadLicence();
    void FillFolderList();
    void StartProgramGroupsLookup();
    static std::vector<std::string> ProgramGroupNames(TInstallScope scope);
    void ShowFinishOptions();
    void ChooseLanguage();
    void ApplyTexts();
    void FitBrowseButton();
    void ShowDiskSpace(const TDiskSpace& space);
    void FitDiskSpaceLines();
    bool DestinationHasRoom();
    TPanel& PagePanel(uint8_t index);
    void RemeasureHeadings(uint8_t index);
    TLabel& HeadingOf(uint8_t index);
    void ApplyPageButtons(uint8_t index);
    void EnableOnlyPage(uint8_t index);
    void FocusPage();
    TWizardButtons ButtonsForKeys() const;

    // The copy phase and the finishing actions.
    void InstallFiles();
    TInstallChoices Choices() const;
    void ShowCopying(const TInstallProgress& progress);
    void NoteRestartReplacements();
    void ReportFailedSteps();
    void FinishSetup();
    void CompleteInstallation();
    void UndoInstallation();

    // Ending the run: Cancel, the window's close key, and the wizard's own end.
    bool AskToCancel();
    void WindowCloseQuery(TComponent& sender, bool& canClose);
    bool MayCloseFromWindow();
    void EndWizard();
    void ReportFailure(const std::exception& error);
    void Step(const std::string& text);

    TSetupRun run_;
    std::string programFolder_;
    std::function<TFolderMan&()> makeFolderChooser_;
    TFolderMan* folderChooser_ = nullptr;
    std::unique_ptr<TSetupPayload> payload_;  // with the working folder, which goes after everything else
    TSetupSettings settings_;
    std::optional<TInstalledProduct> installed_;  // the product as this machine has it installed already
    TTextTable texts_ = BuiltInSetupTexts();
    std::optional<TSetupWords> words_;  // of the chosen language, once the description is read
    std::unique_ptr<TInstallation> installation_;  // from the copy phase on; undone unless committed
    std::vector<std::string> programGroups_[2];  // each scope's Programs groups (machine, user), once looked up
    std::string programGroupsError_;           // why the lookup failed
    std::unique_ptr<platform::TWorkerThread> programGroupsLookup_;  // after what it fills: waited for first
    uint8_t currentPage_ = 0;
    bool copying_ = false;       // the copy phase runs; the window takes no closing
    bool finishFailed_ = false;  // the last try of the finishing actions failed
    bool ending_ = false;        // the wizard closes itself
};
