#pragma once
// A file system held in memory, linked into a fuzz target in place of the
// POSIX file layer (platform/FileSystem.h and TFileStream), so that the code
// under test reads and writes files without a system call. Paths resolve as
// on POSIX: "\" and "/" separate, a path ends at its first NUL, "." and
// empty parts are skipped, ".." climbs (not above the root), a name may have
// 255 bytes and a path 4095. The current folder is the root.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Removes every file and folder below the folder, the root by default.
void ClearMemoryFiles(const std::string& folder = "/");

// Whether path names a file that holds exactly these bytes.
bool MemoryFileHolds(const std::string& path, const std::vector<uint8_t>& bytes);

// How many files and folders there are below the root, leaving out the
// contents of the folder skipped (a full path, as below).
size_t MemoryFileCount(const std::string& skipped = "");

// The full path ("/tmp/a") of every file and folder below the root, folders
// before their contents, names in byte order; the contents of the folder
// skipped (a full path too) are left out.
std::vector<std::string> MemoryFilePaths(const std::string& skipped = "");
