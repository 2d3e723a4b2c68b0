#include "shell/PathParts.h"

namespace {

size_t NameStart(const std::string& path) {
    const size_t cut = path.find_last_of("\\:");
    return cut == std::string::npos ? 0 : cut + 1;
}

}  // namespace

std::string ExtractFilePath(const std::string& path) { return path.substr(0, NameStart(path)); }

std::string ExtractFileName(const std::string& path) { return path.substr(NameStart(path)); }

std::string FolderOfFile(const std::string& path) {
    const size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

std::string WithTrailingBackslash(const std::string& path) {
    return !path.empty() && path.back() == '\\' ? path : path + "\\";
}

bool IsRelativePath(const std::string& path) {
    return !(path.size() >= 2 && path[1] == ':') && !(!path.empty() && path[0] == '\\');
}

std::string ParentFolderOf(const std::string& path) {
    const size_t end = path.find_last_not_of('\\');
    if (end == std::string::npos) return std::string();
    const size_t cut = path.find_last_of('\\', end);
    if (cut == std::string::npos || cut == 0) return std::string();
    const std::string parent = path.substr(0, cut);
    return parent.back() == ':' ? parent + "\\" : parent;
}
