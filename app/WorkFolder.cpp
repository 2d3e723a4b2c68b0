#include "app/WorkFolder.h"

#include <exception>

#include "archive/ZLIBArchive.h"
#include "platform/FileSystem.h"
#include "shell/FolderTree.h"

namespace {

void UnpackArchive(TZLBArchive& archiver, const std::string& archive, const std::string& destination, bool withPaths) {
    archiver.ExtractWithPath = withPaths;
    archiver.OpenArchive(archive);
    archiver.ExtractFiles(destination);
    archiver.CloseArchive();
}

}  // namespace

std::string ChooseWorkFolder(const std::string& programFolder) {
    std::string folder = programFolder + "temp";
    while (platform::DirectoryExists(folder + "\\")) folder += "x";
    return folder + "\\";
}

void CreateWorkFolders(const std::string& workFolder) {
    for (const TInnerArchive& archive : kInnerArchives) platform::ForceDirectories(workFolder + archive.FolderName);
}

std::string MakeWorkFolder(const std::string& programFolder) {
    const std::string beside = ChooseWorkFolder(programFolder);
    CreateWorkFolders(beside);
    const std::string temp = platform::TempFolder();
    if (platform::DirectoryExists(beside) || temp.empty()) return beside;
    const std::string inTemp = ChooseWorkFolder(temp);
    CreateWorkFolders(inTemp);
    return inTemp;
}

void UnpackPayload(TZLBArchive& archiver, const std::string& programFolder, const std::string& workFolder) {
    UnpackArchive(archiver, programFolder + kPayloadFile, workFolder, true);
    for (const TInnerArchive& archive : kInnerArchives) {
        const std::string file = workFolder + archive.ArchiveName;
        if (archive.Required || platform::FileExists(file))
            UnpackArchive(archiver, file, workFolder + archive.FolderName + "\\", false);
    }
}

TWorkFolderRemoval::~TWorkFolderRemoval() {
    if (workFolder_.empty() || !platform::DirectoryExists(workFolder_)) return;
    try {
        DeleteFolderTree(workFolder_.substr(0, workFolder_.size() - 1));  // without its backslash
    } catch (const std::exception& error) {
        if (onError_) onError_(error);
    }
}
