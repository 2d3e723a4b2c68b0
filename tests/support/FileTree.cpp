#include "tests/support/FileTree.h"

#include <stdexcept>

#include "platform/FileSystem.h"
#include "tests/support/ScratchFolder.h"

namespace {

template <class Visit>
void ForEachEntry(const std::string& folder, Visit visit) {
    platform::TFindEnum find;
    platform::TSearchRec item;
    for (bool more = find.First(folder + "\\*.*", platform::faAnyFile, item); more; more = find.Next(item))
        if (item.Name != "." && item.Name != "..") visit(item);
}

void ReadTree(const std::string& folder, const std::string& relative, std::map<std::string, std::string>& tree) {
    ForEachEntry(folder, [&](const platform::TSearchRec& item) {
        const std::string path = relative.empty() ? item.Name : relative + "\\" + item.Name;
        if (item.Attr & platform::faDirectory)
            ReadTree(folder + "\\" + item.Name, path, tree);
        else
            tree[path] = ReadFile(folder + "\\" + item.Name);
    });
}

}  // namespace

std::map<std::string, std::string> FileTree(const std::string& folder) {
    std::map<std::string, std::string> tree;
    ReadTree(folder, "", tree);
    return tree;
}

void CopyTree(const std::string& folder, const std::string& target) {
    if (!platform::ForceDirectories(target)) throw std::runtime_error("cannot create " + target);
    ForEachEntry(folder, [&](const platform::TSearchRec& item) {
        const std::string from = folder + "\\" + item.Name;
        const std::string to = target + "\\" + item.Name;
        if (item.Attr & platform::faDirectory)
            CopyTree(from, to);
        else if (!platform::CopyFileTo(from, to, false))
            throw std::runtime_error("cannot copy " + from);
    });
}
