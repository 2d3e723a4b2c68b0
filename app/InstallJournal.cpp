#include "app/InstallJournal.h"

#include <algorithm>
#include <exception>

#include "app/JournalRollback.h"
#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/RestartRemoval.h"
#include "platform/SystemError.h"
#include "shell/FolderLevels.h"
#include "shell/PathParts.h"

namespace {

constexpr int kWriteFault = 29;  // the system's "cannot write" when the journal cannot be written
constexpr const char* kRestartCopySuffix = ".kelnew";  // beside a file in use, until the restart

const char* VerbOf(TChangeKind kind) {
    switch (kind) {
        case TChangeKind::FileCreated: return "Create file ";
        case TChangeKind::FileReplaced: return "Replace file ";
        case TChangeKind::FolderMade: return "Create folder ";
        case TChangeKind::ShortcutMade: return "Create shortcut ";
        case TChangeKind::FileRemoved: return "Remove file ";
        case TChangeKind::FolderRemoved: return "Remove folder ";
        case TChangeKind::KeyMade: return "Create registry key ";
        case TChangeKind::ValueWritten: return "Write registry value ";
        case TChangeKind::Committed: break;
    }
    return "Commit ";
}

}  // namespace

TInstallJournal::TInstallJournal(TChangeGate* gate) : gate_(gate ? *gate : defaultGate_) {}

TInstallJournal::~TInstallJournal() {
    if (IsOpen()) Rollback();
    Close();
}

bool TInstallJournal::MakeFolder(const std::string& folder) {
    const TJournalRecord record{TChangeKind::FolderMade, folder, "", {}};
    const auto make = [&] { return platform::CreateDir(folder); };
    const bool made = TakeNext(expectedFolders_, nextFolder_, folder) ? Perform(record, make) : Change(record, make);
    if (made) madeFolders_.insert(folder);
    return made;
}

std::vector<std::string> TInstallJournal::MakeFolderLevels(const std::string& folder) {
    return CreateFolderLevels(folder, [this](const std::string& level) { return MakeFolder(level); });
}

// A file that was not there is written in its place: its creation is on
// the disk first, so that an installation killed while writing it, or one
// that fails, removes it again. A file that replaces one is written through
// its part file, whose creation is on the disk before the part is.
bool TInstallJournal::WriteFile(const std::string& target, const TFileWriter& write) {
    if (TakeNext(expectedTargets_, nextTarget_, target))
        return Perform({TChangeKind::FileCreated, target, "", {}}, [&] { return WriteInPlace(target, write); });
    const std::string part = PartFileOf(target);
    if (!TakeNext(expectedParts_, nextPart_, part) && !Change({TChangeKind::FileCreated, part, "", {}}, [] { return true; }))
        return false;
    if (platform::FileExists(target) && platform::IsFileHeld(target)) return WriteForRestart(target, write);
    return PlaceFile(target, false, [&] { return WriteThroughPart(target, write); });
}

// A creation recorded but not made when the run ends undoes as nothing; a
// target that is there by then (named twice) was not there before the
// installation either, so removing it is still right. A target in a folder
// that this installation makes is new without a look.
void TInstallJournal::ExpectCopies(const std::vector<std::string>& folders, const std::vector<std::string>& targets) {
    std::vector<std::string> levels, parts, news;
    for (const std::string& folder : folders)
        for (const std::string& level : MissingFolderLevels(folder))
            if (std::find(levels.begin(), levels.end(), level) == levels.end()) levels.push_back(level);
    const auto inNewFolder = [&](const std::string& target) {
        const std::string folder = ParentFolderOf(target);
        return madeFolders_.contains(folder) || std::find(levels.begin(), levels.end(), folder) != levels.end();
    };
    for (const std::string& target : targets) {
        if (inNewFolder(target) || !platform::FileExists(target)) news.push_back(target);
        else parts.push_back(PartFileOf(target));
    }
    std::vector<TJournalRecord> records;
    for (const std::string& level : levels) records.push_back({TChangeKind::FolderMade, level, "", {}});
    for (const std::vector<std::string>* created : {&parts, &news})
        for (const std::string& path : *created) records.push_back({TChangeKind::FileCreated, path, "", {}});
    std::string lines;
    for (const TJournalRecord& record : records) lines += JournalLine(record);
    expectedFolders_.clear(), expectedParts_.clear(), expectedTargets_.clear();
    nextFolder_ = nextPart_ = nextTarget_ = 0;
    if (records.empty() || !Start() || !file_.Append(lines)) return;
    records_.insert(records_.end(), records.begin(), records.end());
    expectedFolders_ = std::move(levels);
    expectedParts_ = std::move(parts);
    expectedTargets_ = std::move(news);
}

bool TInstallJournal::TakeNext(const std::vector<std::string>& expected, size_t& next, const std::string& path) {
    if (next >= expected.size() || expected[next] != path) return false;
    ++next;
    return true;
}

// The new bytes beside the target make a file like any other: undone, it is
// gone, and the replacement asked for finds nothing to move at the restart.
bool TInstallJournal::WriteForRestart(const std::string& target, const TFileWriter& write) {
    std::string copy = target + kRestartCopySuffix;
    for (int n = 2; platform::FileExists(copy) || platform::DirectoryExists(copy); ++n)
        copy = target + kRestartCopySuffix + std::to_string(n);
    if (!Change({TChangeKind::FileCreated, copy, "", {}}, [&] {
            {
                TFileStream stream(copy, TFileMode::fmCreate);
                if (!write(stream)) return false;
            }
            return platform::FlushFile(copy) && platform::ReplaceAtRestart(copy, target);
        }))
        return false;
    restartReplacements_.push_back({target, copy});
    return true;
}

bool TInstallJournal::PlaceFile(const std::string& target, bool shortcut, const std::function<bool()>& write) {
    if (!platform::FileExists(target))
        return Change({shortcut ? TChangeKind::ShortcutMade : TChangeKind::FileCreated, target, "", {}}, write);
    TJournalRecord record{TChangeKind::FileReplaced, target, "", {}};
    return CopyAside(record) && Change(record, write);
}

bool TInstallJournal::RemoveFile(const std::string& path) {
    TJournalRecord record{TChangeKind::FileRemoved, path, "", {}};
    return CopyAside(record) && Change(record, [&] {
               return platform::RemoveFile(path) || (platform::SetReadOnly(path, false) && platform::RemoveFile(path));
           });
}

bool TInstallJournal::RemoveFolder(const std::string& folder) {
    return Change({TChangeKind::FolderRemoved, folder, "", {}}, [&] { return platform::RemoveDir(folder); });
}

// The copy of the record's file is complete on the disk before the record names it.
bool TInstallJournal::CopyAside(TJournalRecord& record) {
    const bool started = Start();
    if (started) record.Detail = backupFolder_ + "\\" + std::to_string(++backups_) + ".bak";
    if (!started || !platform::CopyFileTo(record.Path, record.Detail, false) || !platform::FlushFile(record.Detail)) {
        Fail(record, platform::SystemErrorMessage(started ? platform::LastErrorCode() : kWriteFault));
        return false;
    }
    return true;
}

bool TInstallJournal::OpenRegistryKey(platform::TRegistry& registry, const std::string& key) {
    if (registry.KeyExists(key)) return registry.OpenKey(key, true);
    return Change({TChangeKind::KeyMade, key, "", {}}, [&] { return registry.OpenKey(key, true); });
}

void TInstallJournal::WriteRegistryValue(platform::TRegistry& registry, const std::string& key, const std::string& name,
                                         const std::function<void()>& write) {
    const TJournalRecord record{TChangeKind::ValueWritten, key, name, registry.ReadValue(name)};
    if (!Change(record, [&] {
            write();
            return true;
        }))
        throw platform::ERegistryException("Konnte Daten für '" + name + "' nicht setzen");
}

// A change that raises is a failed change too; the error goes on to the caller.
bool TInstallJournal::Change(const TJournalRecord& record, const std::function<bool()>& perform) {
    if (!Record(record)) {
        Fail(record, platform::SystemErrorMessage(kWriteFault));
        platform::SetLastErrorCode(kWriteFault);
        return false;
    }
    return Perform(record, perform);
}

// Makes a change that the journal holds already.
bool TInstallJournal::Perform(const TJournalRecord& record, const std::function<bool()>& perform) {
    bool made = false;
    try {
        made = gate_.Make(record, perform);
    } catch (const std::exception& error) {
        Fail(record, error.what());
        throw;
    }
    if (!made) {
        const int code = platform::LastErrorCode();
        Fail(record, platform::SystemErrorMessage(code));
        platform::SetLastErrorCode(code);  // for the caller, who tells it too
    }
    return made;
}

// The machine's journals lie in a folder only administrators may change;
// the user's own in the user's folder, with its rights.
bool TInstallJournal::MakeJournalRoot(const std::string& root) const {
    return scope_.ForUser() ? platform::CreateDir(root) : platform::CreateAdminFolder(root);
}

// The journal is made on the first change: a run that changes nothing leaves none.
bool TInstallJournal::Start() {
    if (file_.IsOpen()) return true;
    const std::string root = JournalRoot(scope_);
    if (!platform::DirectoryExists(root) && !MakeJournalRoot(root) && !platform::DirectoryExists(root)) return false;
    for (int n = 1; n < 100000; ++n) {
        const std::string base = root + "\\" + std::to_string(n);
        if (platform::DirectoryExists(base) || !file_.Create(base + kJournalExtension)) continue;
        journalName_ = base + kJournalExtension;
        backupFolder_ = base;
        return platform::CreateDir(backupFolder_);
    }
    return false;
}

bool TInstallJournal::Record(const TJournalRecord& record) {
    if (!Start() || !file_.Append(JournalLine(record))) return false;
    records_.push_back(record);
    return true;
}

void TInstallJournal::Fail(const TJournalRecord& record, const std::string& reason) {
    if (!failedStep_.empty()) return;
    const bool value = record.Kind == TChangeKind::ValueWritten;
    failedStep_ = VerbOf(record.Kind) + record.Path + (value ? "\\" + record.Detail : "") + " (" + reason + ")";
}

void TInstallJournal::Commit() {
    if (file_.IsOpen()) file_.Append(JournalLine({}));
    records_.clear();
    committed_ = true;
    Close();
}

void TInstallJournal::Rollback() {
    UndoChanges(records_, scope_);
    records_.clear();
    Close();
}

// The copies go before the journal: should the run end in between, the next
// run finds a committed journal, or one whose files were put back already.
void TInstallJournal::Close() {
    if (!file_.IsOpen()) return;
    RemoveBackupFolder(backupFolder_);
    file_.Close();
    platform::RemoveFile(journalName_);
}
