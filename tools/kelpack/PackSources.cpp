#include "tools/kelpack/PackSources.h"

#include <algorithm>

#include "archive/EntryNames.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "tools/kelpack/NativePaths.h"
#include "tools/kelpack/PayloadNames.h"
#include "tools/kelpack/VendorText.h"

namespace {

std::string BaseName(const std::string& path) {
    const size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

// The name the archive gives a file or folder. Windows could not unpack one
// named after a device, so the archive is not written at all.
std::string PayloadNameFor(const std::string& path, const std::string& systemName) {
    std::string name = PayloadNameOf(systemName);
    if (IsDeviceName(name)) throw Exception(DeviceNameProblem(path));
    return name;
}

std::string JoinRelative(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "\\" + name;
}

void CollectFolder(const std::string& folder, const std::string& relative, std::vector<TPackItem>& items,
                   std::vector<std::string>& warnings) {
    const std::vector<platform::TSearchRec> listing = ListFolder(folder);
    if (listing.empty() && !relative.empty()) warnings.push_back("empty folder not kept: " + folder);
    for (const platform::TSearchRec& entry : listing) {
        const std::string path = folder + "\\" + entry.Name;
        const std::string name = PayloadNameFor(path, entry.Name);
        if (entry.Attr & platform::faDirectory)
            CollectFolder(path, JoinRelative(relative, name), items, warnings);
        else
            items.push_back({path, name, relative, entry.Size});
    }
}

}  // namespace

std::vector<platform::TSearchRec> ListFolder(const std::string& folder) {
    std::vector<platform::TSearchRec> items;
    platform::TFindEnum find;
    platform::TSearchRec item;
    for (bool more = find.First(folder + "\\*.*", platform::faAnyFile, item); more; more = find.Next(item))
        if (item.Name != "." && item.Name != "..") items.push_back(item);
    std::sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
    return items;
}

std::vector<TPackItem> CollectPackItems(const std::vector<std::string>& paths, std::vector<std::string>& warnings) {
    std::vector<TPackItem> items;
    for (const std::string& given : paths) {
        const std::string path = WithoutTrailingSeparators(given);
        if (platform::DirectoryExists(path)) {
            CollectFolder(path, "", items, warnings);
        } else if (platform::FileExists(path)) {
            items.push_back({path, PayloadNameFor(path, BaseName(path)), "", platform::FileSizeOf(path)});
        } else {
            throw Exception("No such file or folder: " + given);
        }
    }
    return items;
}
