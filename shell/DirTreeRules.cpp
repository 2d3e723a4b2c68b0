#include "shell/DirTreeRules.h"

#include "platform/Drives.h"
#include "platform/FileSystem.h"

bool DriveKindShown(uint32_t kind, TDriveTypes types) {
    switch (kind) {
        case platform::dkUnknown: return types & drtUnknown;
        case platform::dkRemovable: return types & drtRemovable;
        case platform::dkFixed: return types & drtFixed;
        case platform::dkRemote: return types & drtRemote;
        case platform::dkCDRom: return types & drtCDRom;
        case platform::dkRamDisk: return types & drtRamDisk;
        default: return true;
    }
}

uint32_t ShownDrives(uint32_t logicalDrives, TDriveTypes types, const std::function<uint32_t(char letter)>& kindOf) {
    uint32_t shown = 0;
    for (int i = 0; i < 26; ++i) {
        const uint32_t bit = 1u << i;
        if ((logicalDrives & bit) && DriveKindShown(kindOf(char('A' + i)), types)) shown |= bit;
    }
    return shown;
}

bool DirTypeAllowed(uint32_t attributes, TDirTypes types) {
    if (types & dtAll) return true;
    if ((attributes & platform::faHidden) && !(types & dtHidden)) return false;
    if ((attributes & platform::faSysFile) && !(types & dtSystem)) return false;
    if ((attributes & platform::faArchive) && !(types & dtArchive)) return false;
    return (types & dtNormal) || (attributes & (platform::faHidden | platform::faSysFile | platform::faArchive));
}

namespace {

std::string AsciiLowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return text;
}

// Whether the marked folder name occurs with more of the path after it.
bool HasFolderBelow(const std::string& path, const std::string& marker) {
    const size_t at = path.find(marker);
    return at != std::string::npos && at + marker.size() < path.size();
}

}  // namespace

// Both names are looked for: a Recycled folder inside a Recycler folder is
// below a recycle folder too.
bool BelowRecycleFolder(const std::string& path) {
    const std::string lower = AsciiLowerCase(path);
    return HasFolderBelow(lower, "\\recycled\\") || HasFolderBelow(lower, "\\recycler\\");
}

std::string DriveCaptionText(bool volumeRead, const std::string& label, char letter) {
    const char upper = (letter >= 'a' && letter <= 'z') ? char(letter - 'a' + 'A') : letter;
    const std::string drive = std::string("(") + upper + ":)";
    return volumeRead ? label + " " + drive : drive;
}

std::vector<std::string> PathLevels(const std::string& path) {
    std::vector<std::string> levels;
    for (size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1))
        levels.push_back(path.substr(0, at + 1));
    return levels;
}

std::string NewFolderName(const std::string& folder, const std::function<bool(const std::string& path)>& folderExists) {
    const std::string base = "New Folder";
    if (!folderExists(folder + base)) return base;
    for (int n = 2;; ++n) {
        const std::string name = base + " " + std::to_string(n);
        if (!folderExists(folder + name)) return name;
    }
}

int LetterIndex(char letter) {
    if (letter >= 'a' && letter <= 'z') return letter - 'a';
    if (letter >= 'A' && letter <= 'Z') return letter - 'A';
    return -1;
}

std::string RootOf(char letter) { return std::string{letter, ':', '\\'}; }
