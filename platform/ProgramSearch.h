#pragma once
// Finding a program of the system on the search path by its full path, so
// that a tool never starts a file of that name from the current folder.
#include <functional>
#include <string>

namespace platform {

// The first folder of searchPath (entries split at separator) that holds
// name, joined to it with "\" when the folder is written with it, else "/". Only entries that are full paths count: an empty entry, "." or
// any relative one would mean the current folder. Empty when none holds it.
std::string FindInSearchPath(const std::string& name, const std::string& searchPath, char separator,
                             const std::function<bool(const std::string& path)>& isProgram);

// The full path of a program on the system's search path (on Windows, name
// with ".exe" added); empty when it is not there.
std::string ProgramOnSearchPath(const std::string& name);

}  // namespace platform
