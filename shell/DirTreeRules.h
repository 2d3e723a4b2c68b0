#pragma once
// The directory tree's rules that need no window system: which drives
// become roots, which folders are listed, how a drive root is captioned,
// how a path splits into the levels of the tree, and what a new folder is
// called.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Which folders the tree lists, by their attributes.
using TDirTypes = uint8_t;
constexpr TDirTypes dtReadOnly = 1, dtHidden = 2, dtSystem = 4, dtArchive = 8, dtNormal = 16, dtAll = 32;

// Which drives become roots, by the kind of drive.
using TDriveTypes = uint8_t;
constexpr TDriveTypes drtUnknown = 1, drtRemovable = 2, drtFixed = 4, drtRemote = 8, drtCDRom = 16, drtRamDisk = 32;
constexpr TDriveTypes drtAllDrives = 63;

// Whether a drive of the system's kind (platform::TDriveKind) is shown.
// A drive without a root folder, and a kind the set has no name for, always is.
bool DriveKindShown(uint32_t kind, TDriveTypes types);
// The letters of logicalDrives (bit 0 = A) whose drives are shown.
uint32_t ShownDrives(uint32_t logicalDrives, TDriveTypes types, const std::function<uint32_t(char letter)>& kindOf);

// Whether a folder with these attributes is listed. With dtAll every folder
// is; otherwise each of the hidden, system and archive attributes needs its
// type, and a folder with none of them needs dtNormal. Read-only plays no part.
bool DirTypeAllowed(uint32_t attributes, TDirTypes types);
// Whether the folder (a path ending in a backslash) lies below a folder
// named Recycled or Recycler; such a folder itself does not.
bool BelowRecycleFolder(const std::string& path);

// A drive root's caption: "Label (C:)" when the volume was read (with the
// space also for an empty label), "(C:)" when it was not.
std::string DriveCaptionText(bool volumeRead, const std::string& label, char letter);

// 0 for drive letter A to 25 for Z, either case; -1 for anything else.
int LetterIndex(char letter);
// The root of the drive: "C:\".
std::string RootOf(char letter);

// The path up to and including each of its backslashes, shortest first:
// "C:\A\B\" gives "C:\", "C:\A\", "C:\A\B\".
std::vector<std::string> PathLevels(const std::string& path);

// The first of "New Folder", "New Folder 2", "New Folder 3", ... that is
// not an existing folder inside folder (a path ending in a backslash).
std::string NewFolderName(const std::string& folder, const std::function<bool(const std::string& path)>& folderExists);
