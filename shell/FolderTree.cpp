#include "shell/FolderTree.h"

#include "platform/Exception.h"
#include "platform/FileSystem.h"

void DeleteFolderTree(const std::string& folder) {
    if (!platform::DirectoryExists(folder)) return;
    std::string entry;  // the entry being handled; empty once the listing is closed
    try {
        platform::TFindEnum find;
        platform::TSearchRec item;
        for (bool more = find.First(folder + "\\*.*", platform::faAnyFile, item); more; more = find.Next(item)) {
            entry = item.Name;
            if (entry == "." || entry == "..") continue;
            if (item.Attr & platform::faDirectory)
                DeleteFolderTree(folder + "\\" + entry);
            else if (!platform::RemoveFile(folder + "\\" + entry))
                throw EInOutError(platform::LastErrorCode());
        }
        find.Close();
        entry.clear();
        if (!platform::RemoveDir(folder)) throw EInOutError(platform::LastErrorCode());
    } catch (const std::exception&) {
        throw Exception("Aborted deleting Directory: " + folder + "file: " + entry);
    }
}
