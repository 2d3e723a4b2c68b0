#include "tools/kelpack/SetupWriter.h"

#include <list>
#include <optional>

#include "app/WorkFolder.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "tools/kelpack/AddfileWildcards.h"
#include "tools/kelpack/NativePaths.h"

namespace {

// A file under a temporary name in the output folder, removed unless it is
// given its final name.
class TPendingFile {
public:
    explicit TPendingFile(const std::string& folder) : path_(platform::CreateTempFile(folder + PathSeparator, "kel")) {
        if (path_.empty()) throw Exception("Cannot create a file in " + folder);
    }
    ~TPendingFile() {
        if (!path_.empty()) platform::RemoveFile(path_);
    }
    TPendingFile(const TPendingFile&) = delete;
    TPendingFile& operator=(const TPendingFile&) = delete;

    const std::string& Path() const { return path_; }

    void Commit(const std::string& name) {
        if (!platform::RenameFile(path_, name)) throw Exception("Cannot write " + name);
        path_.clear();
    }

private:
    std::string path_;
};

}  // namespace

TSetupFolderResult WriteSetupFolder(const TSetupProject& project, const std::string& setupExe,
                                    const std::string& outFolder) {
    if (!platform::ForceDirectories(outFolder)) throw Exception("Cannot create the folder " + outFolder);
    TSetupFolderResult result;
    // The description goes as the project has it unless Addfile wildcards
    // were expanded; then the copy with the literal lines goes.
    std::string setupIni = project.SetupIni;
    std::optional<TPendingFile> expandedIni;
    if (const TAddfileExpansion expansion = ExpandAddfileWildcards(project); expansion.Changed) {
        setupIni = expandedIni.emplace(outFolder).Path();
        expansion.Lines.SaveToFile(setupIni);
    }
    std::vector<TPackItem> payload{{setupIni, kSetupIniFile, "", platform::FileSizeOf(setupIni)}};
    std::list<TPendingFile> archives;  // removed when done: they travel inside Data.Kel
    for (const TProjectArchive& archive : project.Archives) {
        if (!archive.Present) continue;
        const std::string& path = archives.emplace_back(outFolder).Path();
        result.Archives.emplace_back(archive.ArchiveName, WriteArchive(path, archive.Files, TPackOptions{}));
        payload.push_back({path, archive.ArchiveName, "", result.Archives.back().second.ArchiveBytes});
    }
    payload.insert(payload.end(), project.Files.begin(), project.Files.end());

    TPendingFile dataKel(outFolder);
    result.Payload = WriteArchive(dataKel.Path(), payload, TPackOptions{});
    TPendingFile setup(outFolder);
    if (!platform::CopyFileTo(setupExe, setup.Path(), false)) throw Exception("Cannot copy " + setupExe);
    result.SetupBytes = platform::FileSizeOf(setup.Path());
    setup.Commit(JoinPath(outFolder, "Setup.exe"));
    dataKel.Commit(JoinPath(outFolder, kPayloadFile));
    return result;
}
