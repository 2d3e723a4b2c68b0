#include "tools/kelpack/KitFiles.h"

#include <algorithm>

#include "platform/FileSystem.h"
#include "tools/kelpack/NativePaths.h"

namespace {

// The folder that holds this one; a root stays itself.
std::string ParentOf(const std::string& folder) {
    const std::string path = WithoutTrailingSeparators(folder);
    const size_t cut = path.find_last_of("\\/");
    if (cut == std::string::npos) return ".";
    return path.substr(0, cut == 0 ? 1 : cut);
}

}  // namespace

std::string KitFolder() {
    const std::string program = platform::ProgramFolder();
    const std::string installed = JoinPath(JoinPath(ParentOf(program), "share"), "kelpack");
    return platform::DirectoryExists(installed) ? installed : program;
}

std::string KitFile(const std::string& name) { return JoinPath(KitFolder(), name); }

TKitUninstaller AddKitUninstaller(TSetupProject& project) {
    const bool held = std::any_of(project.Files.begin(), project.Files.end(),
                                  [](const TPackItem& file) {
                                      return file.FilePath.empty() && SameFileName(file.FileName, kUninstallerFile);
                                  });
    if (held) return TKitUninstaller::NotNeeded;
    const std::string kit = KitFile(kUninstallerFile);
    if (!platform::FileExists(kit)) return TKitUninstaller::Missing;
    project.Files.push_back({kit, kUninstallerFile, "", platform::FileSizeOf(kit)});
    return TKitUninstaller::Added;
}
