#pragma once
// A path as the system resolves it: full, with "." and ".." steps taken,
// "/" made "\", and short 8.3 names of the folders that exist made long.
// Windows only.
#include <string>

namespace platform {

// The full, long form of path, relative ones taken from the current folder;
// empty when the system cannot resolve it.
std::string FullLongPath(const std::string& path);

}  // namespace platform
