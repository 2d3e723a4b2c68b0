#include "tools/kelpack/KitFiles.h"

#include <algorithm>

#include "platform/FileSystem.h"
#include "tools/kelpack/NativePaths.h"

namespace {

std::string ParentOf(const std::string& folder) {
    const size_t cut = WithoutTrailingSeparators(folder).find_last_of("\\/");
    return cut == std::string::npos || cut == 0 ? folder.substr(0, cut == 0 ? 1 : 0) : folder.substr(0, cut);
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
                                  [](const TPackItem& file) { return SameFileName(file.FileName, kUninstallerFile); });
    if (held) return TKitUninstaller::NotNeeded;
    const std::string kit = KitFile(kUninstallerFile);
    if (!platform::FileExists(kit)) return TKitUninstaller::Missing;
    project.Files.push_back({kit, kUninstallerFile, "", platform::FileSizeOf(kit)});
    return TKitUninstaller::Added;
}
