#include "shell/FolderTree.h"

#include "platform/Exception.h"
#include "platform/FileSystem.h"

namespace {

// A link goes as a directory entry of its own: a link to a folder as a
// folder, a link to a file as a file. What it points to is never entered.
bool RemoveEntry(const std::string& path, uint32_t attributes) {
    if ((attributes & platform::faReparsePoint) && (attributes & platform::faDirectory)) return platform::RemoveDir(path);
    return platform::RemoveFile(path);
}

}  // namespace

void DeleteFolderTree(const std::string& folder) {
    if (!platform::DirectoryExists(folder)) return;
    // A top that is itself a link goes as a link; what it points to is not entered.
    if (platform::IsLink(folder)) {
        if (!platform::RemoveDir(folder) && !platform::RemoveFile(folder))
            throw Exception("Aborted deleting Directory: " + folder + "file: ");
        return;
    }
    std::string entry;  // the entry being handled; empty once the listing is closed
    try {
        platform::TFindEnum find;
        platform::TSearchRec item;
        for (bool more = find.First(folder + "\\*.*", platform::faAnyFile, item); more; more = find.Next(item)) {
            entry = item.Name;
            if (entry == "." || entry == "..") continue;
            if ((item.Attr & platform::faDirectory) && !(item.Attr & platform::faReparsePoint))
                DeleteFolderTree(folder + "\\" + entry);
            else if (!RemoveEntry(folder + "\\" + entry, item.Attr))
                throw EInOutError(platform::LastErrorCode());
        }
        find.Close();
        entry.clear();
        if (!platform::RemoveDir(folder)) throw EInOutError(platform::LastErrorCode());
    } catch (const std::exception&) {
        throw Exception("Aborted deleting Directory: " + folder + "file: " + entry);
    }
}
