#include "app/WorkFolder.h"

#include <exception>
#include <unordered_set>

#include "app/EntryFile.h"
#include "app/PayloadEntries.h"
#include "app/SetupIni.h"
#include "app/SetupSettings.h"
#include "archive/EntryNames.h"
#include "archive/EntryReader.h"
#include "archive/ZLIBArchive.h"
#include "platform/Exception.h"
#include "platform/FileStream.h"
#include "platform/SystemError.h"
#include "shell/PathParts.h"
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

// The files of the payload that no "Addfile" line names, and the licence's.
std::vector<int> PageEntriesOf(const std::string& workFolder, const TPayloadEntries& entries) {
    TSetupSettings settings;
    TSetupIniHandlers handlers;
    handlers.Setup = [&](const std::string& line) { ApplySetupEntry(settings, line); };
    ReadSetupIni(workFolder + kSetupIniFile, handlers);
    std::unordered_set<std::string> installed;
    for (const std::string& name : settings.AddFiles.Lines()) installed.insert(PayloadKey(name));
    std::vector<int> pageEntries;
    for (int i = 0; i < static_cast<int>(entries.All().size()); ++i)
        if (!installed.contains(entries.KeyOf(i))) pageEntries.push_back(i);
    const std::string licence = LicenceEntryName(settings.Licence);
    if (const std::optional<int> index = entries.IndexOf(licence); index && installed.contains(PayloadKey(licence)))
        pageEntries.push_back(*index);
    return pageEntries;
}

void UnpackEntry(TEntryReader& reader, TEntryFileWriter& writer, const TPayloadEntries& entries, int index,
                 const std::string& workFolder) {
    const TArchiveEntry& entry = entries[index];
    if (!IsSafeEntry(entry, true)) throw Exception(UnsafeEntryMessage(index, entry, true));
    const std::string folder = workFolder + entry.FilePath;
    if (!entry.FilePath.empty() && !platform::ForceDirectories(folder)) throw Exception("Unable to create destination path");
    const std::string file = (entry.FilePath.empty() ? workFolder : folder + "\\") + entry.FileName;
    TFileStream stream(file, TFileMode::fmCreate);
    if (!writer.Write(reader, index, stream))
        throw Exception(Format("Unable to write file %s (%s)", file.c_str(),
                               platform::SystemErrorMessage(platform::LastErrorCode()).c_str()));
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

std::string LicenceEntryName(const std::string& licence) {
    if (!IsRelativePath(licence)) return {};
    const std::string written = "temp\\";
    if (licence.size() > written.size() && SameText(licence.substr(0, written.size() - 1), "temp") &&
        (licence[written.size() - 1] == '\\' || licence[written.size() - 1] == '/'))
        return licence.substr(written.size());
    return licence;
}

void UnpackPageFiles(TZLBArchive& archiver, const std::string& payloadFile, const TPayloadEntries& entries,
                     const std::string& workFolder, bool withSkin) {
    TEntryReader reader(payloadFile, entries.All());
    TEntryFileWriter writer;
    const std::optional<int> description = entries.IndexOf(kSetupIniFile);
    if (!description) throw EFOpenError(workFolder + kSetupIniFile);
    UnpackEntry(reader, writer, entries, *description, workFolder);
    for (const int index : PageEntriesOf(workFolder, entries))
        if (index != *description) UnpackEntry(reader, writer, entries, index, workFolder);
    for (const TInnerArchive& archive : kInnerArchives) {
        const std::string file = workFolder + archive.ArchiveName;
        if (archive.Required && !platform::FileExists(file)) throw Exception("Archive file not found");
        if (platform::FileExists(file) && (withSkin || !archive.Required))
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
