#pragma once
// Paths as the user of this system writes them: a folder and a name joined
// by the system's separator. The file layer takes either separator.
#include <string>

#ifdef _WIN32
inline constexpr char PathSeparator = '\\';
#else
inline constexpr char PathSeparator = '/';
#endif

inline bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The path without separators at its end; a lone separator stays.
inline std::string WithoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && IsSeparator(path.back())) path.pop_back();
    return path;
}

inline std::string JoinPath(const std::string& folder, const std::string& name) {
    return WithoutTrailingSeparators(folder) + PathSeparator + name;
}
