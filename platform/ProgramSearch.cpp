#include "platform/ProgramSearch.h"

#include <cstdlib>

#include "platform/FileSystem.h"

namespace platform {

namespace {

bool IsFullPath(const std::string& folder) {
    if (folder.empty()) return false;
    if (folder[0] == '/' || folder[0] == '\\') return true;
    return folder.size() >= 3 && folder[1] == ':' && (folder[2] == '\\' || folder[2] == '/');
}

#ifdef _WIN32
constexpr char kSeparator = ';';
constexpr const char* kProgramSuffix = ".exe";
#else
constexpr char kSeparator = ':';
constexpr const char* kProgramSuffix = "";
#endif

}  // namespace

std::string FindInSearchPath(const std::string& name, const std::string& searchPath, char separator,
                             const std::function<bool(const std::string& path)>& isProgram) {
    for (size_t start = 0; start <= searchPath.size();) {
        size_t end = searchPath.find(separator, start);
        if (end == std::string::npos) end = searchPath.size();
        std::string folder = searchPath.substr(start, end - start);
        start = end + 1;
        if (!IsFullPath(folder)) continue;
        if (folder.back() != '/' && folder.back() != '\\') folder += folder.find('\\') != std::string::npos ? '\\' : '/';
        if (isProgram(folder + name)) return folder + name;
    }
    return {};
}

std::string ProgramOnSearchPath(const std::string& name) {
    const char* searchPath = std::getenv("PATH");
    if (!searchPath) return {};
    return FindInSearchPath(name + kProgramSuffix, searchPath, kSeparator,
                            [](const std::string& path) { return FileExists(path); });
}

}  // namespace platform
