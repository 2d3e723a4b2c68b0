#include "app/JournalRollback.h"

#include <exception>
#include <ranges>

#include "platform/FileStream.h"
#include "platform/FileSystem.h"
#include "platform/HeldFile.h"
#include "platform/Registry.h"
#include "platform/DataFolders.h"

namespace {

constexpr int64_t kLargestJournal = int64_t{1} << 30;

void RemoveMadeFile(const std::string& path) {
    platform::SetReadOnly(path, false);
    platform::RemoveFile(path);
}

void RestoreFile(const std::string& path, const std::string& backup) {
    if (!platform::FileExists(backup)) return;  // put back already
    platform::SetReadOnly(path, false);
    platform::CopyFileTo(backup, path, false);
}

void RestoreValue(const TJournalRecord& record, TInstallScope scope) {
    platform::TRegistry registry(scope.RegistryRoot());
    if (!registry.OpenKey(record.Path, false)) return;
    try {
        if (record.Earlier) registry.WriteValue(record.Detail, *record.Earlier);
        else registry.DeleteValue(record.Detail);
    } catch (const std::exception&) {
        // What cannot be put back stays; the rest is still undone.
    }
}

void Undo(const TJournalRecord& record, TInstallScope scope) {
    switch (record.Kind) {
        case TChangeKind::FileCreated:
        case TChangeKind::ShortcutMade: RemoveMadeFile(record.Path); break;
        case TChangeKind::FileReplaced:
        case TChangeKind::FileRemoved: RestoreFile(record.Path, record.Detail); break;
        case TChangeKind::FolderRemoved: platform::CreateDir(record.Path); break;
        case TChangeKind::FolderMade: platform::RemoveDir(record.Path); break;
        case TChangeKind::KeyMade: platform::TRegistry(scope.RegistryRoot()).DeleteKey(record.Path); break;
        case TChangeKind::ValueWritten: RestoreValue(record, scope); break;
        case TChangeKind::Committed: break;
    }
}

bool IsCommitted(const std::vector<TJournalRecord>& records) {
    return !records.empty() && records.back().Kind == TChangeKind::Committed;
}


// Rolls back the installation of one journal unless a running setup holds
// it; true when something was rolled back.
bool RecoverJournal(const std::string& journal, TInstallScope scope) {
    if (platform::IsFileHeld(journal)) return false;
    std::vector<TJournalRecord> records;
    try {
        const std::vector<uint8_t> bytes = ReadWholeFile(journal, kLargestJournal);
        records = ReadJournalText(std::string(bytes.begin(), bytes.end()));
    } catch (const std::exception&) {
        return false;  // unreadable now: left for a later run
    }
    const bool rollBack = !IsCommitted(records) && !records.empty();
    if (rollBack) UndoChanges(records, scope);
    RemoveBackupFolder(journal.substr(0, journal.size() - std::string(kJournalExtension).size()));
    platform::RemoveFile(journal);
    return rollBack;
}

}  // namespace

// The folder of the copies holds files only; what cannot go now, a later run removes.
void RemoveBackupFolder(const std::string& folder) {
    std::vector<std::string> files;
    platform::TFindEnum find;
    platform::TSearchRec found;
    for (bool more = find.First(folder + "\\*.*", platform::faAnyFile, found); more; more = find.Next(found))
        if (!(found.Attr & platform::faDirectory)) files.push_back(folder + "\\" + found.Name);
    find.Close();
    for (const std::string& file : files) platform::RemoveFile(file);
    platform::RemoveDir(folder);
}

// For the machine below the Windows folder, where no user but an
// administrator can make a folder: nobody can prepare the journals' folder
// (or plant a journal in it) for an elevated setup or uninstaller to carry
// out. For one user in that user's own folder, which only the user's runs read.
std::string JournalRoot(TInstallScope scope) {
    std::string base = scope.ForUser() ? platform::LocalAppDataFolder() : platform::WindowsFolder();
    if (base.empty()) base = platform::TempFolder();
    while (!base.empty() && base.back() == '\\') base.pop_back();
    return base + "\\Kel Setup Journals";
}

void UndoChanges(const std::vector<TJournalRecord>& records, TInstallScope scope) {
    for (const TJournalRecord& record : records | std::views::reverse) Undo(record, scope);
}

std::vector<std::string> RecoverInterruptedInstallations(TInstallScope scope) {
    const std::string root = JournalRoot(scope) + "\\";
    std::vector<std::string> journals, folders;
    platform::TFindEnum find;
    platform::TSearchRec found;
    for (bool more = find.First(root + "*.*", platform::faDirectory, found); more; more = find.Next(found)) {
        if (found.Name == "." || found.Name == ".." || (found.Attr & platform::faReparsePoint)) continue;
        if (found.Attr & platform::faDirectory) folders.push_back(root + found.Name);
        else if (found.Name.ends_with(kJournalExtension)) journals.push_back(root + found.Name);
    }
    find.Close();
    std::vector<std::string> recovered;
    for (const std::string& journal : journals)
        if (RecoverJournal(journal, scope)) recovered.push_back(journal);
    for (const std::string& folder : folders)
        if (!platform::FileExists(folder + kJournalExtension)) RemoveBackupFolder(folder);
    return recovered;
}
