#pragma once
// Upgrading over an earlier installation of the product: what the earlier
// version made and this one does not is removed as the uninstaller would
// remove it, each removal through the installation's journal, so that an
// installation that does not complete puts it back. Windows only.
#include <string>
#include <vector>

#include "app/InstalledProduct.h"

class TInstallJournal;
class TSetupLogBook;

struct TEarlierVersionCleanup {
    bool LogRead = false;                 // the earlier log was found and understood
    std::vector<std::string> Removed;     // files, shortcuts and folders, in the order removed
    std::vector<std::string> KeptFolders; // folders it made that still hold something: the product's now
    std::vector<std::string> KeptFiles;   // files that are in use now: the product's, for a later removal
    bool Failed = false;                  // a removal failed; the journal tells which
};

// Reads the earlier version's log and removes what logBook (this run's, not
// yet saved) does not list. Paths outside the product, or through a link,
// are not touched. A user's own files stay, and so do the folders that hold them.
TEarlierVersionCleanup RemoveEarlierVersionsItems(const TInstalledProduct& installed, const TSetupLogBook& logBook,
                                                  TInstallJournal& journal);
