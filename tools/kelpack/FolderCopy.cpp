#include "tools/kelpack/FolderCopy.h"

#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "tools/kelpack/NativePaths.h"
#include "tools/kelpack/PackSources.h"

void CopyFolderTree(const std::string& source, const std::string& target) {
    if (!platform::ForceDirectories(target)) throw Exception("Cannot create the folder " + target);
    for (const platform::TSearchRec& entry : ListFolder(source)) {
        const std::string from = JoinPath(source, entry.Name);
        const std::string to = JoinPath(target, entry.Name);
        if (entry.Attr & platform::faDirectory)
            CopyFolderTree(from, to);
        else if (!platform::CopyFileTo(from, to, true))
            throw Exception("Cannot copy " + from + " to " + to);
    }
}
