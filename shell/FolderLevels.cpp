#include "shell/FolderLevels.h"

#include "platform/FileSystem.h"
#include "shell/PathParts.h"

std::vector<std::string> MissingFolderLevels(const std::string& folder) {
    std::vector<std::string> missing;
    std::string level = folder;
    while (level.size() > 1 && level.back() == '\\') level.pop_back();
    while (!level.empty() && !platform::DirectoryExists(level)) {
        missing.insert(missing.begin(), level);
        level = ParentFolderOf(level);
    }
    return missing;
}

std::vector<std::string> CreateFolderLevels(const std::string& folder) {
    return CreateFolderLevels(folder, [](const std::string& level) { return platform::CreateDir(level); });
}

std::vector<std::string> CreateFolderLevels(const std::string& folder,
                                            const std::function<bool(const std::string&)>& createDir) {
    std::vector<std::string> made;
    for (const std::string& level : MissingFolderLevels(folder)) {
        if (!createDir(level)) break;
        made.push_back(level);
    }
    return made;
}
