#include "tools/kelpack/ScratchFolders.h"

#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "shell/FolderTree.h"

TScratchFolders::~TScratchFolders() {
    for (const std::string& folder : folders_) {
        try {
            DeleteFolderTree(folder);
        } catch (const std::exception&) {
            // What cannot be removed stays in the temporary folder.
        }
    }
    for (const std::string& marker : markers_) platform::RemoveFile(marker);
}

std::string TScratchFolders::NewFolder() {
    const std::string marker = platform::CreateTempFile(platform::TempFolder(), "kel");
    if (marker.empty()) throw Exception("Cannot create a temporary file in " + platform::TempFolder());
    markers_.push_back(marker);
    const std::string folder = marker + ".d";
    if (!platform::CreateDir(folder)) throw Exception("Cannot create the folder " + folder);
    folders_.push_back(folder);
    return folder;
}
