#pragma once
// Files and folders that the system removes when it next starts: for a file
// that is in use now, such as a running program's own file. Windows only.
#include <string>

namespace platform {

// Asks the system to delete a file, or a folder that is empty by then, at
// the next restart; requests run in the order they were made, so a file is
// named before its folder. The request is made for the file opened by that
// path, never for a link or through one. Needs the rights of an
// administrator; false when the request could not be recorded.
bool RemoveAtRestart(const std::string& path);

// Asks the system to move source over target, replacing it, at the next
// restart: for a file in use now. Needs the rights of an administrator;
// false when the request could not be recorded. A source that is gone by
// then leaves the target as it is.
bool ReplaceAtRestart(const std::string& source, const std::string& target);

}  // namespace platform
