#include "app/WorkFolderMarker.h"

#include <exception>
#include <vector>

#include "app/WorkFolder.h"
#include "platform/FileSystem.h"
#include "shell/FolderTree.h"

namespace {

bool IsInnerFolderName(const std::string& name) {
    for (const TInnerArchive& archive : kInnerArchives)
        if (name == archive.FolderName) return true;
    return false;
}

// Whether the folder holds one or more of the working folder's sub-folders,
// all empty, and nothing else.
bool HoldsOnlyEmptyInnerFolders(const std::string& folder) {
    platform::TFindEnum find;
    platform::TSearchRec found;
    int inner = 0;
    for (bool more = find.First(folder + "\\*.*", platform::faAnyFile, found); more; more = find.Next(found)) {
        if (found.Name == "." || found.Name == "..") continue;
        if (!(found.Attr & platform::faDirectory) || !IsInnerFolderName(found.Name)) return false;
        platform::TFindEnum inside;
        platform::TSearchRec entry;
        for (bool any = inside.First(folder + "\\" + found.Name + "\\*.*", platform::faAnyFile, entry); any;
             any = inside.Next(entry))
            if (entry.Name != "." && entry.Name != "..") return false;
        ++inner;
    }
    return inner > 0;
}

}  // namespace

void RemoveLeftWorkFolders(const std::string& folder, bool besideProgram) {
    std::vector<std::string> leftOver;
    platform::TFindEnum find;
    platform::TSearchRec found;
    for (bool more = find.First(folder + "*.*", platform::faDirectory, found); more; more = find.Next(found)) {
        const bool plainFolder = (found.Attr & platform::faDirectory) && !(found.Attr & platform::faReparsePoint);
        if (!plainFolder || found.Name == "." || found.Name == "..") continue;
        const std::string marker = folder + found.Name + "\\" + kWorkFolderMarker;
        const bool marked = platform::FileExists(marker);
        if ((marked && !platform::IsFileHeld(marker)) || (!marked && besideProgram && HoldsOnlyEmptyInnerFolders(folder + found.Name)))
            leftOver.push_back(folder + found.Name);
    }
    find.Close();
    for (const std::string& path : leftOver) {
        try {
            DeleteFolderTree(path);
        } catch (const std::exception&) {
            // In use after all, or not ours to delete: a later run tries again.
        }
    }
}
