#include "shell/FolderLevels.h"

#include "platform/FileSystem.h"
#include "shell/PathParts.h"

namespace {

// The levels of the folder that do not exist, innermost first.
std::vector<std::string> MissingLevels(const std::string& folder) {
    std::vector<std::string> missing;
    std::string level = folder;
    while (level.size() > 1 && level.back() == '\\') level.pop_back();
    while (!level.empty() && !platform::DirectoryExists(level)) {
        missing.push_back(level);
        level = ParentFolderOf(level);
    }
    return missing;
}

}  // namespace

std::vector<std::string> CreateFolderLevels(const std::string& folder) {
    return CreateFolderLevels(folder, [](const std::string& level) { return platform::CreateDir(level); });
}

std::vector<std::string> CreateFolderLevels(const std::string& folder,
                                            const std::function<bool(const std::string&)>& createDir) {
    std::vector<std::string> made;
    const std::vector<std::string> missing = MissingLevels(folder);
    for (auto level = missing.rbegin(); level != missing.rend(); ++level) {
        if (!createDir(*level)) break;
        made.push_back(*level);
    }
    return made;
}
