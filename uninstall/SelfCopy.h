#pragma once
// The uninstaller's way to leave nothing behind: a running program's file,
// and the folders that hold it, cannot be deleted, so the uninstaller copies
// itself to the temporary folder and lets the copy do the removal. The copy
// reports its result on an inherited pipe, the original exits with it, and
// the copy then waits for the original's process to end before it deletes
// the original's file and folders. Only the copy is left, marked for removal
// at the next restart. Windows only.
#include <optional>
#include <string>

// Runs the removal in a copy of programFile (the running uninstaller), with
// /S when silent. Returns the copy's result; when it ended without one, its
// exit code (1 when it did not end in time). Nothing when no copy could be
// made or started: then nothing was removed.
std::optional<int> RemoveThroughCopy(const std::string& programFile, bool silent);

// The folder of a copy is "Uninstall-" and 32 random hexadecimal digits in
// the temporary folder; the copy in it keeps the uninstaller's name.
inline constexpr const char* kCopyFolderPrefix = "Uninstall-";
inline constexpr const char* kCopyName = "Uninstall.exe";

// Run by the copy: its own file, and the folder it was made in, go at the
// next restart, as nothing is left to delete them.
void RemoveOwnCopyAtRestart(const std::string& copy);
