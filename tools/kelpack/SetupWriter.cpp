#include "tools/kelpack/SetupWriter.h"

#include <list>

#include "app/WorkFolder.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "tools/kelpack/NativePaths.h"
#include "tools/kelpack/PayloadStamp.h"

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

// Setup.exe and Data.Kel in outFolder from the pending files: with the
// modes the umask gives, under their final names.
void CommitPair(TPendingFile& setup, TPendingFile& dataKel, const std::string& outFolder) {
    // Temporary files are private; the setup is for others to read and run.
    if (!platform::ApplyUmaskMode(setup.Path(), true) || !platform::ApplyUmaskMode(dataKel.Path(), false))
        throw Exception("Cannot set the permissions of the files in " + outFolder);
    setup.Commit(JoinPath(outFolder, "Setup.exe"));
    dataKel.Commit(JoinPath(outFolder, kPayloadFile));
}

void CopyInto(const std::string& source, const TPendingFile& pending) {
    if (!platform::CopyFileTo(source, pending.Path(), false)) throw Exception("Cannot copy " + source);
}

}  // namespace

TSetupFolderResult WriteSetupFolder(const TSetupProject& project, const std::string& setupExe,
                                    const std::string& outFolder, const TPackOptions& options,
                                    const TSetupFinisher& finish) {
    if (!platform::ForceDirectories(outFolder)) throw Exception("Cannot create the folder " + outFolder);
    TSetupFolderResult result;
    std::list<TPendingFile> archives;  // removed when done: they travel inside Data.Kel
    const std::string& setupIni = archives.emplace_back(outFolder).Path();
    project.PackedSetupIni.SaveToFile(setupIni);
    std::vector<TPackItem> payload{{setupIni, kSetupIniFile, "", platform::FileSizeOf(setupIni)}};
    for (const TProjectArchive& archive : project.Archives) {
        if (!archive.Present) continue;
        const std::string& path = archives.emplace_back(outFolder).Path();
        result.Archives.emplace_back(archive.ArchiveName, WriteArchive(path, archive.Files, options));
        payload.push_back({path, archive.ArchiveName, "", result.Archives.back().second.ArchiveBytes});
    }
    payload.insert(payload.end(), project.Files.begin(), project.Files.end());

    TPendingFile dataKel(outFolder);
    result.Payload = WriteArchive(dataKel.Path(), payload, options);
    TPendingFile setup(outFolder);
    CopyInto(setupExe, setup);
    result.DigestWritten = StampPayloadDigest(setup.Path(), dataKel.Path());
    if (finish) {
        const std::string finished = finish(setup.Path());
        if (finished != setup.Path()) CopyInto(finished, setup);
    }
    result.SetupBytes = platform::FileSizeOf(setup.Path());
    CommitPair(setup, dataKel, outFolder);
    return result;
}

void CommitSetupFolder(const std::string& builtFolder, const std::string& outFolder) {
    if (!platform::ForceDirectories(outFolder)) throw Exception("Cannot create the folder " + outFolder);
    TPendingFile dataKel(outFolder);
    CopyInto(JoinPath(builtFolder, kPayloadFile), dataKel);
    TPendingFile setup(outFolder);
    CopyInto(JoinPath(builtFolder, "Setup.exe"), setup);
    CommitPair(setup, dataKel, outFolder);
}
