#pragma once
// One installation of the product, without a window: the folders, the
// product's files straight from the payload, the program folder with its
// shortcuts, the desktop shortcut, what the earlier version alone had
// removed, the uninstall entry and the log. Every change goes through the
// installation's journal, so that an installation that does not complete
// is undone. The progress is told through a callback on the calling
// thread; the wizard's form shows it, a silent run shows nothing. Windows only.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/InstallJournal.h"
#include "app/InstalledProduct.h"
#include "app/PageTexts.h"
#include "app/SetupLogBook.h"
#include "app/SetupSettings.h"
#include "platform/Shell.h"

class TRunLog;
class TSetupPayload;

// The viewer that opens the ReadMe, from its shortcut and after Finish.
inline constexpr const char* kReadMeViewer = "notepad.exe";

// What the user or the command line chose.
struct TInstallChoices {
    std::string Destination;  // full path
    std::string Folder;       // the program folder below the scope's Programs; blank: none
    TInstallScope Scope;
    std::string Language;     // the wizard's, by its English name, for the uninstaller to speak
};

struct TInstallProgress {
    std::string File;  // the product's file being written, as the description names it
    uint64_t DoneBytes = 0;
    uint64_t TotalBytes = 0;
};

class TInstallation {
public:
    // The settings and the payload outlive the installation. An installation
    // that is neither complete nor undone when it goes is undone then.
    TInstallation(const TSetupSettings& settings, const TSetupPayload& payload, const TInstallChoices& choices,
                  const std::optional<TInstalledProduct>& installed, TRunLog* log, TChangeGate* gate = nullptr);

    // Told now and then while the files are written, and once before the first.
    std::function<void(const TInstallProgress&)> OnProgress;
    // The window that owns the shell's boxes while folders are looked up; none without a window.
    platform::TWindowHandle Owner = nullptr;

    // The bytes of the product's files, a file named twice counted once.
    uint64_t ProductBytes() const;

    // The destination's folders, the product's files and the program folder
    // with its shortcuts. Steps that fail are collected, not raised.
    void InstallFiles();
    // The desktop shortcut when asked for, what the earlier version alone
    // had removed, the uninstall entry and the log: then the installation
    // is committed, unless a step failed and withFailedSteps is false. Raises
    // when the entry or the log cannot be written; runs again from the top
    // after that. A desktop shortcut that could not be saved is returned.
    std::optional<TFailedCopy> Complete(bool desktopShortcut, bool withFailedSteps);
    // Names the step that failed first, and undoes every change in reverse order.
    void Rollback();

    bool StepFailed() const;
    bool IsOpen() const { return journal_.IsOpen(); }
    bool Committed() const { return journal_.Committed(); }
    const std::vector<TFailedCopy>& FailedCopies() const { return failedCopies_; }
    const std::optional<TFailedCopy>& FailedGroup() const { return failedGroup_; }
    const std::vector<TFailedCopy>& FailedShortcuts() const { return failedShortcuts_; }
    // Installed files that replace the ones in use at the next restart.
    const std::vector<std::string>& RestartReplacements() const { return restartReplacements_; }
    const TSetupLogBook& LogBook() const { return logBook_; }
    std::string InstalledProgram() const;

private:
    struct TShortcutTarget {
        std::string Target;
        std::string Arguments;
        std::string WorkingFolder;
        std::string Description;
    };
    void CreateParentFolders(const std::string& folder);
    void WriteProductFiles();
    std::vector<struct TProductFile> ProductFiles() const;
    void Tell(size_t index, uint64_t doneBytes, uint64_t totalBytes);
    void LogCopy(const std::string& target, const struct TCopyOutcome& outcome);
    void NoteRestartReplacements();
    void LogFailedSteps();
    void CreateProgramGroup();
    bool WriteShortcut(const std::string& linkFile, const TShortcutTarget& target);
    std::optional<TFailedCopy> CreateDesktopShortcut();
    void CleanUpEarlierVersion();
    void RegisterAndSaveLog();
    TUninstallDetails UninstallDetails() const;
    void LogMadeFolder(const std::string& folder);
    void Step(const std::string& text) const;

    const TSetupSettings& settings_;
    const TSetupPayload& payload_;
    const TInstallChoices choices_;
    const std::optional<TInstalledProduct> installed_;
    TRunLog* log_;
    TSetupLogBook logBook_;
    TInstallJournal journal_;
    std::vector<TFailedCopy> failedCopies_;      // the copies that failed, with the reasons
    std::optional<TFailedCopy> failedGroup_;     // a program folder that could not be made
    std::vector<TFailedCopy> failedShortcuts_;   // shortcuts that could not be saved, with the reasons
    std::vector<std::string> restartReplacements_;
    bool earlierVersionCleaned_ = false;  // what the installed version alone had is gone
};
