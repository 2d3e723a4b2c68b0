#pragma once
// How Wine names a file of the Unix file system: drive Z: is the root.
#include <algorithm>
#include <string>

inline std::string WinePath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
