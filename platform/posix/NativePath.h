#pragma once
// The POSIX build's view of a setup path: the backslash separator becomes "/".
#include <string>

namespace platform {

inline std::string NativePath(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

}  // namespace platform
