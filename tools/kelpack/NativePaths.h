#pragma once
// Paths as the user of this system writes them: a folder and a name joined
// by the system's separator. The file layer takes either separator.
#include <string>

#ifdef _WIN32
inline constexpr char PathSeparator = '\\';
#else
inline constexpr char PathSeparator = '/';
#endif

inline std::string JoinPath(std::string folder, const std::string& name) {
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder + PathSeparator + name;
}
