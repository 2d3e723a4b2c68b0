#include "tools/kelpack/SetupProject.h"

#include <optional>

#include "app/WorkFolder.h"
#include "archive/EntryNames.h"
#include "platform/FileSystem.h"
#include "tools/kelpack/ArchiveWriter.h"
#include "tools/kelpack/NativePaths.h"
#include "tools/kelpack/PackSources.h"
#include "tools/kelpack/VendorText.h"

namespace {

// Whether the payload itself puts a file or folder of this name into the working folder.
bool IsReservedName(const std::string& name) {
    if (SameFileName(name, kSetupIniFile)) return true;
    for (const TInnerArchive& archive : kInnerArchives)
        if (SameFileName(name, archive.ArchiveName) || SameFileName(name, archive.FolderName)) return true;
    return false;
}

// The name in the payload of a file or folder listed as systemName, when it
// can be unpacked in a folder that already holds the names seen: Windows must
// be able to hold it and must not take it for one of the others. What cannot
// is a problem.
std::optional<std::string> NameBeside(const std::string& path, const std::string& systemName,
                                      std::vector<std::string>& seen, std::vector<std::string>& problems) {
    const std::string name = PayloadNameOf(systemName);
    if (IsDeviceName(name)) {
        problems.push_back(DeviceNameProblem(path));
    } else if (IsUnfitFileName(name)) {
        problems.push_back(path + ": Windows cannot hold a file of this name");
    } else {
        for (const std::string& earlier : seen)
            if (SameFileName(earlier, name))
                problems.push_back(path + ": Windows takes this name for " + earlier +
                                   ", so one file would replace the other");
        seen.push_back(name);
        return name;
    }
    return std::nullopt;
}

// The files of one flat folder, by name. A sub-folder is a problem too.
std::vector<TPackItem> ReadFlatFolder(const std::string& folder, std::vector<std::string>& problems) {
    std::vector<TPackItem> files;
    std::vector<std::string> seen;
    for (const platform::TSearchRec& entry : ListFolder(folder)) {
        const std::string path = JoinPath(folder, entry.Name);
        if (entry.Attr & platform::faDirectory)
            problems.push_back(path + ": a sub-folder; the wizard unpacks this folder without sub-folders, "
                                      "so move its files up or out");
        else if (const std::optional<std::string> name = NameBeside(path, entry.Name, seen, problems))
            files.push_back({path, *name, "", entry.Size});
    }
    return files;
}

// The product's files below folder, each with its folder relative to Files
// ("plugins\codecs"), in name order level by level. At the top, a name the
// payload gives its own files is a problem; an empty folder cannot travel.
void ReadProductFolder(const std::string& folder, const std::string& relative, TSetupProject& project,
                       std::vector<std::string>& problems) {
    const std::vector<platform::TSearchRec> listing = ListFolder(folder);
    if (listing.empty() && !relative.empty()) project.EmptyFolders.push_back(folder);
    std::vector<std::string> seen;
    for (const platform::TSearchRec& entry : listing) {
        const std::string path = JoinPath(folder, entry.Name);
        const std::optional<std::string> name = NameBeside(path, entry.Name, seen, problems);
        if (!name) continue;
        if (relative.empty() && IsReservedName(*name))
            problems.push_back(path + ": the setup uses this name for its own file or folder; rename it");
        else if (entry.Attr & platform::faDirectory)
            ReadProductFolder(path, relative.empty() ? *name : relative + "\\" + *name, project, problems);
        else
            project.Files.push_back({path, *name, relative, entry.Size});
    }
}

TProjectArchive ReadProjectArchive(const std::string& project, const TInnerArchive& inner,
                                   std::vector<std::string>& problems) {
    TProjectArchive archive{inner.FolderName, inner.ArchiveName, false, {}};
    const std::string folder = JoinPath(project, inner.FolderName);
    archive.Present = platform::DirectoryExists(folder);
    if (archive.Present) archive.Files = ReadFlatFolder(folder, problems);
    else if (inner.Required)
        problems.push_back(folder + ": not found; the wizard does not start without its skin pictures");
    return archive;
}

// Each archive's names and folders must fit its 255-byte fields in the form
// it stores them in; a file whose name or folder does not is a problem.
void CheckNameLengths(const std::vector<TPackItem>& items, std::vector<std::string>& problems) {
    for (const size_t i : OverlongNames(items))
        problems.push_back(OverlongNameProblem(items[i].SourcePath));
}

void CheckNameLengths(const TSetupProject& project, std::vector<std::string>& problems) {
    std::vector<TPackItem> payload{{project.SetupIni, kSetupIniFile, "", 0}};
    for (const TProjectArchive& archive : project.Archives)
        if (archive.Present) {
            CheckNameLengths(archive.Files, problems);
            payload.push_back({archive.FolderName, archive.ArchiveName, "", 0});
        }
    const size_t products = payload.size();
    payload.insert(payload.end(), project.Files.begin(), project.Files.end());
    for (const size_t i : OverlongNames(payload))
        if (i >= products) problems.push_back(OverlongNameProblem(payload[i].SourcePath));
}

}  // namespace

TSetupProject ReadSetupProject(const std::string& folder, std::vector<std::string>& problems) {
    TSetupProject project;
    project.Folder = folder;
    if (!platform::DirectoryExists(folder)) {
        problems.push_back(folder + ": no such folder");
        return project;
    }
    project.SetupIni = JoinPath(folder, kSetupIniFile);
    if (!platform::FileExists(project.SetupIni)) problems.push_back(project.SetupIni + ": not found; every setup needs one");
    for (const TInnerArchive& inner : kInnerArchives) project.Archives.push_back(ReadProjectArchive(folder, inner, problems));
    const std::string files = JoinPath(folder, "Files");
    if (platform::DirectoryExists(files)) ReadProductFolder(files, "", project, problems);
    CheckNameLengths(project, problems);
    return project;
}

TPayloadNames PayloadNamesOf(const TSetupProject& project) {
    TPayloadNames names;
    names.Add(kSetupIniFile);
    for (const TProjectArchive& archive : project.Archives) {
        if (!archive.Present) continue;
        names.Add(archive.ArchiveName);
        for (const TPackItem& file : archive.Files) names.Add(archive.FolderName + "\\" + file.FileName);
    }
    for (const TPackItem& file : project.Files) names.Add(ProductFileName(file));
    return names;
}

std::string ProductFileName(const TPackItem& file) {
    return file.FilePath.empty() ? file.FileName : file.FilePath + "\\" + file.FileName;
}

std::vector<std::string> ProductFileNames(const TSetupProject& project) {
    std::vector<std::string> names;
    names.reserve(project.Files.size());
    for (const TPackItem& file : project.Files) names.push_back(ProductFileName(file));
    return names;
}
