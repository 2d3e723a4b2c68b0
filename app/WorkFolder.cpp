#include "app/WorkFolder.h"

#include <algorithm>
#include <exception>

#include "archive/ZLIBArchive.h"
#include "platform/FileSystem.h"
#include "platform/NewFolder.h"
#include "platform/Text.h"
#include "shell/FolderTree.h"

namespace {

// Names taken one after another while the setup tries them: more means
// somebody keeps taking them, and the setup gives up on that folder.
constexpr int kNamesTried = 100;

void UnpackArchive(TZLBArchive& archiver, const std::string& archive, const std::string& destination, bool withPaths) {
    archiver.ExtractWithPath = withPaths;
    archiver.OpenArchive(archive);
    archiver.ExtractFiles(destination);
    archiver.CloseArchive();
}

// A path as Windows compares it, whatever separators it was written with.
std::string PayloadKey(const std::string& path) {
    std::string key;
    for (const char c : path) {
        const char separated = c == '/' ? '\\' : c;
        if (separated == '\\' && (key.empty() || key.back() == '\\')) continue;
        key += separated;
    }
    return UpperCaseText(key);
}

TPayloadCrcs CrcsOfOpenArchive(const TZLBArchive& archiver) {
    TPayloadCrcs crcs;
    TArchiveEntry entry;
    for (int i = 0; i < archiver.GetFileCount(); ++i) {
        archiver.GetFileEntry(i, entry);
        crcs.push_back({PayloadKey(entry.FilePath + "\\" + entry.FileName), entry.FileCRC,
                        uint64_t(std::max<int32_t>(entry.FileSize, 0))});
    }
    return crcs;
}

}  // namespace

std::string ChooseWorkFolder(const std::string& programFolder) {
    std::string folder = programFolder + "temp";
    while (platform::PathTaken(folder)) folder += "x";
    return folder + "\\";
}

std::string CreateFreshWorkFolder(const std::string& parentFolder) {
    for (int tries = 0; tries < kNamesTried; ++tries) {
        const std::string folder = ChooseWorkFolder(parentFolder);
        if (platform::CreateNewFolder(folder.substr(0, folder.size() - 1))) {
            for (const TInnerArchive& archive : kInnerArchives) platform::CreateDir(folder + archive.FolderName);
            return folder;
        }
        if (!platform::PathTaken(folder.substr(0, folder.size() - 1))) return {};  // the parent takes no folder
    }
    return {};
}

std::string MakeWorkFolder(const std::string& programFolder) {
    const std::string beside = CreateFreshWorkFolder(programFolder);
    if (!beside.empty()) return beside;
    const std::string temp = platform::TempFolder();
    const std::string inTemp = temp.empty() ? std::string() : CreateFreshWorkFolder(temp);
    return inTemp.empty() ? ChooseWorkFolder(programFolder) : inTemp;
}

const TPayloadEntry* PayloadEntryOf(const TPayloadCrcs& crcs, const std::string& name) {
    const std::string key = PayloadKey(name);
    for (auto entry = crcs.rbegin(); entry != crcs.rend(); ++entry)
        if (entry->Key == key) return &*entry;
    return nullptr;
}

std::optional<uint32_t> PayloadCrcOf(const TPayloadCrcs& crcs, const std::string& name) {
    const TPayloadEntry* entry = PayloadEntryOf(crcs, name);
    return entry ? std::optional(entry->Crc) : std::nullopt;
}

TPayloadCrcs UnpackPayload(TZLBArchive& archiver, const std::string& programFolder, const std::string& workFolder) {
    archiver.ExtractWithPath = true;
    archiver.OpenArchive(programFolder + kPayloadFile);
    TPayloadCrcs crcs = CrcsOfOpenArchive(archiver);
    archiver.ExtractFiles(workFolder);
    archiver.CloseArchive();
    for (const TInnerArchive& archive : kInnerArchives) {
        const std::string file = workFolder + archive.ArchiveName;
        if (archive.Required || platform::FileExists(file))
            UnpackArchive(archiver, file, workFolder + archive.FolderName + "\\", false);
    }
    return crcs;
}

TWorkFolderRemoval::~TWorkFolderRemoval() {
    if (workFolder_.empty() || !platform::DirectoryExists(workFolder_)) return;
    try {
        DeleteFolderTree(workFolder_.substr(0, workFolder_.size() - 1));  // without its backslash
    } catch (const std::exception& error) {
        if (onError_) onError_(error);
    }
}
