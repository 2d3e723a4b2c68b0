#pragma once
// The journal of one installation: every change the installation makes to
// the machine goes through it. Each change is recorded and flushed to the
// disk before it is made (a file replaced is first copied aside), so that
// whatever ends the installation, the change can be undone: by Rollback in
// this run, or by the next run that finds the journal. Commit ends it once
// the installation is complete. Windows only.
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "app/InstallScope.h"
#include "app/JournalRecord.h"
#include "app/ProductCopy.h"
#include "platform/HeldFile.h"

namespace platform {
class TRegistry;
}

// Where each change is made: the setup's own makes it; a test's may fail the
// change it chooses, to see that everything made before it is undone.
class TChangeGate {
public:
    virtual ~TChangeGate() = default;
    // Makes the change that perform carries out; false when it failed, with
    // the system's code of the failure as LastErrorCode gives it.
    virtual bool Make(const TJournalRecord& /*change*/, const std::function<bool()>& perform) { return perform(); }
};

class TInstallJournal : public TFileChanges {
public:
    explicit TInstallJournal(TChangeGate* gate = nullptr);
    // Rolls back what was not committed.
    ~TInstallJournal() override;
    TInstallJournal(const TInstallJournal&) = delete;
    TInstallJournal& operator=(const TInstallJournal&) = delete;

    // One folder level, which must not exist; false when it was not made.
    bool MakeFolder(const std::string& folder);
    std::vector<std::string> MakeFolderLevels(const std::string& folder) override;
    // Writes the target through its part file. A target in use (a running
    // program) is not replaced now: its new bytes are written beside it, to
    // replace it at the next restart.
    bool WriteFile(const std::string& target, const TFileWriter& write) override;
    // Records the missing levels of the folders, the creation of each
    // target's part file and of each target that is not there yet, all with
    // one flush; making and writing them in this order then records nothing
    // more.
    void ExpectCopies(const std::vector<std::string>& folders, const std::vector<std::string>& targets) override;
    // A file that write makes at target, where a file may be already: its
    // bytes are copied aside first. False when it was not made.
    bool PlaceFile(const std::string& target, bool shortcut, const std::function<bool()>& write);
    // The scope decides where the journal lies and which root its keys are
    // below; set before the first change.
    void SetScope(TInstallScope scope) { scope_ = scope; }
    // Removes a file, its bytes copied aside first, read-only or not; false when it stays.
    bool RemoveFile(const std::string& path);
    // Removes a folder, which must be empty; false when it stays.
    bool RemoveFolder(const std::string& folder);
    // Opens the key in registry (opened on the scope's root), making it when missing.
    bool OpenRegistryKey(platform::TRegistry& registry, const std::string& key);
    // A value that write puts into the key open in registry; its earlier
    // value is recorded. Raises ERegistryException when it was not written.
    void WriteRegistryValue(platform::TRegistry& registry, const std::string& key, const std::string& name,
                            const std::function<void()>& write);

    // Whether a change failed, and the first that did, with the system's reason.
    bool Failed() const { return !failedStep_.empty(); }
    const std::string& FailedStep() const { return failedStep_; }
    // Whether changes were made that are neither committed nor rolled back.
    bool IsOpen() const { return !records_.empty(); }
    bool Committed() const { return committed_; }
    // The targets in use whose copies replace them at the next restart, and those copies.
    struct TRestartReplacement {
        std::string Target;
        std::string Copy;
    };
    const std::vector<TRestartReplacement>& RestartReplacements() const { return restartReplacements_; }

    // The installation is complete: the journal and the copies go.
    void Commit();
    // Undoes every change newest first; the journal and the copies go.
    void Rollback();

private:
    bool Change(const TJournalRecord& record, const std::function<bool()>& perform);
    bool Perform(const TJournalRecord& record, const std::function<bool()>& perform);
    static bool TakeNext(const std::vector<std::string>& expected, size_t& next, const std::string& path);
    bool Start();
    bool MakeJournalRoot(const std::string& root) const;
    bool CopyAside(TJournalRecord& record);
    bool WriteForRestart(const std::string& target, const TFileWriter& write);
    bool Record(const TJournalRecord& record);
    void Fail(const TJournalRecord& record, const std::string& reason);
    void Close();

    TChangeGate defaultGate_;
    TChangeGate& gate_;
    platform::THeldFile file_;
    std::string journalName_;   // the journal's path, once started
    std::string backupFolder_;  // where replaced files are copied aside
    std::vector<TJournalRecord> records_;
    std::unordered_set<std::string> madeFolders_;  // what a file is written into there was not there before
    // Recorded creations of folders, part files and new targets, each in the order they come.
    std::vector<std::string> expectedFolders_, expectedParts_, expectedTargets_;
    size_t nextFolder_ = 0, nextPart_ = 0, nextTarget_ = 0;
    std::vector<TRestartReplacement> restartReplacements_;
    std::string failedStep_;
    int backups_ = 0;
    TInstallScope scope_;
    bool committed_ = false;
};
