#include "tools/kelpack/SetupProject.h"

#include "app/WorkFolder.h"
#include "archive/EntryNames.h"
#include "platform/FileSystem.h"
#include "tools/kelpack/NativePaths.h"
#include "tools/kelpack/PackSources.h"
#include "tools/kelpack/Windows1252.h"

namespace {

// Whether the payload itself puts a file or folder of this name into the working folder.
bool IsReservedName(const std::string& name) {
    if (SameFileName(name, kSetupIniFile)) return true;
    for (const TInnerArchive& archive : kInnerArchives)
        if (SameFileName(name, archive.ArchiveName) || SameFileName(name, archive.FolderName)) return true;
    return false;
}

// The files of one flat folder, by name. A sub-folder, a name Windows cannot
// hold, or two names Windows takes for one are problems.
std::vector<TPackItem> ReadFlatFolder(const std::string& folder, std::vector<std::string>& problems) {
    std::vector<TPackItem> files;
    for (const platform::TSearchRec& entry : ListFolder(folder)) {
        const std::string path = JoinPath(folder, entry.Name);
        if (entry.Attr & platform::faDirectory) {
            problems.push_back(path + ": a sub-folder; the wizard unpacks this folder without sub-folders, "
                                      "so move its files up or out");
            continue;
        }
        const std::optional<std::string> name = PayloadNameOf(entry.Name);
        if (!name) {
            problems.push_back(UnwritableNameProblem(path));
        } else if (IsDeviceName(*name)) {
            problems.push_back(DeviceNameProblem(path));
        } else if (IsUnfitFileName(*name)) {
            problems.push_back(path + ": Windows cannot hold a file of this name");
        } else {
            for (const TPackItem& earlier : files)
                if (SameFileName(earlier.FileName, *name))
                    problems.push_back(path + ": Windows takes this name for " + SystemNameOf(earlier.FileName) +
                                       ", so one file would replace the other");
            files.push_back({path, *name, "", entry.Size});
        }
    }
    return files;
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

// The product's files may not take a name the payload gives its own files.
void CheckProductNames(const std::vector<TPackItem>& files, std::vector<std::string>& problems) {
    for (const TPackItem& file : files)
        if (IsReservedName(file.FileName))
            problems.push_back(file.SourcePath + ": the setup uses this name for its own file or folder; rename it");
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
    if (platform::DirectoryExists(files)) project.Files = ReadFlatFolder(files, problems);
    CheckProductNames(project.Files, problems);
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
    for (const TPackItem& file : project.Files) names.Add(file.FileName);
    return names;
}
