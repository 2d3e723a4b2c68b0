#include "app/WorkFolder.h"

#include <exception>

#include "archive/ZLIBArchive.h"
#include "platform/FileSystem.h"
#include "shell/FolderTree.h"

namespace {

void UnpackArchive(TZLBArchive& archiver, const std::string& archive, const std::string& destination) {
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
    platform::ForceDirectories(workFolder + "Graphics");
    platform::ForceDirectories(workFolder + "Sounds");
    platform::ForceDirectories(workFolder + "Additional");
}

void UnpackPayload(TZLBArchive& archiver, const std::string& programFolder, const std::string& workFolder) {
    UnpackArchive(archiver, programFolder + "Data.Kel", workFolder);
    UnpackArchive(archiver, workFolder + "gfx.x", workFolder + "Graphics\\");
    if (platform::FileExists(workFolder + "snd.x")) UnpackArchive(archiver, workFolder + "snd.x", workFolder + "Sounds\\");
    if (platform::FileExists(workFolder + "add.x"))
        UnpackArchive(archiver, workFolder + "add.x", workFolder + "Additional\\");
}

TWorkFolderRemoval::~TWorkFolderRemoval() {
    if (workFolder_.empty() || !platform::DirectoryExists(workFolder_)) return;
    try {
        DeleteFolderTree(workFolder_.substr(0, workFolder_.size() - 1));  // without its backslash
    } catch (const std::exception& error) {
        if (onError_) onError_(error);
    }
}
