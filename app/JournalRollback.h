#pragma once
// Undoing an installation from its journal, and finding the journals of
// installations that were interrupted (killed, the power cut, the session
// ended) so that the next setup or uninstaller undoes them before anything
// else. Windows only.
#include <string>
#include <vector>

#include "app/InstallScope.h"
#include "app/JournalRecord.h"

// The folder that holds, for each running or interrupted installation, its
// journal "N.journal" and a folder "N" with the copies of replaced files.
// The journal is made first and removed last, so a folder without its
// journal is left over and goes.
// For a machine installation, which runs elevated, it lies below the
// Windows folder in a folder that only administrators and the system may
// change: a user cannot plant records there that an elevated setup would
// carry out. For an installation for one user, which runs with that user's
// rights, it lies in the user's local application data folder, and its
// registry records are below HKEY_CURRENT_USER. Without that folder, the
// temporary folder takes it.
std::string JournalRoot(TInstallScope scope = {});
inline constexpr const char* kJournalExtension = ".journal";

// Undoes the records newest first: made files, shortcuts, folders and keys
// go, replaced and removed files get their earlier bytes back, removed
// folders come again, values get their earlier value. Goes on past what cannot be undone; what is gone already counts as
// undone, so running it twice does no harm.
void UndoChanges(const std::vector<TJournalRecord>& records, TInstallScope scope = {});

// Rolls back every installation below the scope's journal root whose
// journal no running setup holds and that was not committed, and removes
// its journal and its folder; the paths of the journals rolled back.
std::vector<std::string> RecoverInterruptedInstallations(TInstallScope scope = {});
// Removes the folder of an installation's copies of replaced files.
void RemoveBackupFolder(const std::string& folder);
