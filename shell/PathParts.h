#pragma once
// The parts of a backslash-separated path, and a folder made ready for a name.
#include <string>

// Everything up to and including the last "\" or ":"; empty when there is neither.
std::string ExtractFilePath(const std::string& path);
// Everything after the last "\" or ":"; the whole path when there is neither.
std::string ExtractFileName(const std::string& path);
// The folder that holds a file: everything before the last "\", without
// it; empty when there is none.
std::string FolderOfFile(const std::string& path);
// The path with a backslash at its end.
std::string WithTrailingBackslash(const std::string& path);
// Whether the path is taken from the current folder: it names no drive and
// does not start at a root with "\".
bool IsRelativePath(const std::string& path);
// The folder that holds the path, trailing backslashes of the path ignored:
// "C:\A\B\" gives "C:\A", and "C:\A" gives "C:\". Empty when the path
// names no folder above it.
std::string ParentFolderOf(const std::string& path);
