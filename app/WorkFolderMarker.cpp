#include "app/WorkFolderMarker.h"

#include <exception>
#include <vector>

#include "platform/FileSystem.h"
#include "shell/FolderTree.h"

void RemoveLeftWorkFolders(const std::string& folder) {
    std::vector<std::string> leftOver;
    platform::TFindEnum find;
    platform::TSearchRec found;
    for (bool more = find.First(folder + "*.*", platform::faDirectory, found); more; more = find.Next(found)) {
        const bool plainFolder = (found.Attr & platform::faDirectory) && !(found.Attr & platform::faReparsePoint);
        if (!plainFolder || found.Name == "." || found.Name == "..") continue;
        const std::string marker = folder + found.Name + "\\" + kWorkFolderMarker;
        if (platform::FileExists(marker) && !platform::IsFileHeld(marker)) leftOver.push_back(folder + found.Name);
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
